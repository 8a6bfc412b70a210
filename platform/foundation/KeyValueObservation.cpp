#include "foundation/KeyValueObservation.h"

#include "foundation/Diagnostics.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/ObservationRegistry.h"
#include "foundation/Values.h"

#include <QScopeGuard>
#include <QStringList>
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace foundation::detail {

class Observation : public std::enable_shared_from_this<Observation>
{
public:
    Observation(const QString& keyPath, KeyValueObservation::Callback callback)
        : m_keys(keyPath.split(QLatin1Char('.')))
        , m_callback(std::move(callback))
        , m_objects(m_keys.size(), nullptr)
    {}

    void start(QObject* root, KeyValueObservation::InitialValue initialValue);
    void stop();
    bool isActive() const;

    void keyDidChange(qsizetype index);
    void objectDestroyed(qsizetype index, QObject* object);

private:
    class Step : public ChangeListener
    {
    public:
        Step(std::weak_ptr<Observation> observation, qsizetype index)
            : m_observation(std::move(observation))
            , m_index(index)
        {}

        void valueDidChange() override
        {
            if (const auto observation = m_observation.lock()) {
                observation->keyDidChange(m_index);
            }
        }

        void objectDestroyed(QObject* object) override
        {
            if (const auto observation = m_observation.lock()) {
                observation->objectDestroyed(m_index, object);
            }
        }

    private:
        std::weak_ptr<Observation> m_observation;
        qsizetype m_index;
    };

    enum class Failure
    {
        raise,
        warn,
    };

    using Lock = std::unique_lock<std::recursive_mutex>;

    void attach(qsizetype index, QObject* object, Failure failure);
    void detach(qsizetype index);
    void detachAll();
    void reattachFrom(qsizetype index, Failure failure);
    QVariant currentValue() const;
    void deliver(Lock& lock);

    // Guards the path and the fields below; never held while the callback runs, so callbacks that cause
    // changes elsewhere cannot deadlock against other observations. Recursive, because a getter read while
    // the path is rewired may itself cause a change of this path.
    mutable std::recursive_mutex m_mutex;
    std::condition_variable_any m_idle;
    std::vector<std::thread::id> m_running; // the threads inside the callback, once per call
    const QStringList m_keys;
    const KeyValueObservation::Callback m_callback;
    bool m_active = false;
    std::vector<std::shared_ptr<Step>> m_steps;
    std::vector<QObject*> m_objects; // m_objects[i] holds m_keys[i]; nullptr where the path is nil
};

void Observation::start(QObject* root, KeyValueObservation::InitialValue initialValue)
{
    Lock lock(m_mutex);
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        m_steps.push_back(std::make_shared<Step>(weak_from_this(), i));
    }
    if (!root) {
        return;
    }
    m_active = true;
    try {
        attach(0, root, Failure::raise);
        reattachFrom(1, Failure::raise);
    } catch (...) {
        detachAll();
        throw;
    }
    if (initialValue == KeyValueObservation::InitialValue::deliver) {
        deliver(lock);
    }
}

void Observation::stop()
{
    Lock lock(m_mutex);
    detachAll();
    // Calls in progress on other threads finish first; one on this thread is the caller's own.
    const std::thread::id self = std::this_thread::get_id();
    m_idle.wait(lock, [&] {
        return std::all_of(m_running.begin(), m_running.end(),
                           [&](std::thread::id thread) { return thread == self; });
    });
}

void Observation::detachAll()
{
    m_active = false;
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        detach(i);
    }
}

bool Observation::isActive() const
{
    const std::lock_guard lock(m_mutex);
    return m_active;
}

void Observation::keyDidChange(qsizetype index)
{
    Lock lock(m_mutex);
    if (!m_active) {
        return;
    }
    reattachFrom(index + 1, Failure::warn);
    deliver(lock);
}

void Observation::objectDestroyed(qsizetype index, QObject* object)
{
    const std::lock_guard lock(m_mutex);
    if (m_objects[index] != object) {
        return;
    }
    m_objects[index] = nullptr;
    if (index == 0) {
        detachAll();
        return;
    }
    for (qsizetype i = index + 1; i < m_keys.size(); ++i) {
        detach(i);
    }
}

void Observation::attach(qsizetype index, QObject* object, Failure failure)
{
    const KeyLookup lookup = KeyLookup::find(object, m_keys[index]);
    if (lookup.kind == KeyLookup::Kind::unknown) {
        const KeyValueError error(KeyValueError::Kind::unknownKey,
                                  QString::fromLatin1(object->metaObject()->className()), m_keys[index]);
        if (failure == Failure::raise) {
            throw error;
        }
        warning(error.message());
        return;
    }
    observationRegistry::attach(object, lookup, m_keys[index], m_steps[index]);
    m_objects[index] = object;
}

void Observation::detach(qsizetype index)
{
    if (QObject* object = m_objects[index]) {
        observationRegistry::detach(object, m_keys[index], m_steps[index].get());
        m_objects[index] = nullptr;
    }
}

void Observation::reattachFrom(qsizetype index, Failure failure)
{
    for (qsizetype i = std::max<qsizetype>(index, 1); i < m_keys.size(); ++i) {
        QObject* next = nullptr;
        if (QObject* holder = m_objects[i - 1]) {
            QVariant value;
            try {
                value = valueForKey(holder, m_keys[i - 1]);
            } catch (const KeyValueError& error) {
                if (failure == Failure::raise) {
                    throw;
                }
                warning(error.message());
            }
            next = objectFromValue(value);
            if (!next && !isNil(value)) {
                const KeyValueError error(KeyValueError::Kind::notAnObject,
                                          QString::fromLatin1(holder->metaObject()->className()),
                                          m_keys[i - 1]);
                if (failure == Failure::raise) {
                    throw error;
                }
                warning(error.message());
            }
        }
        if (next == m_objects[i]) {
            continue;
        }
        detach(i);
        if (next) {
            attach(i, next, failure);
        }
    }
}

QVariant Observation::currentValue() const
{
    QObject* holder = m_objects.back();
    if (!holder) {
        return nilValue();
    }
    try {
        const QVariant value = valueForKey(holder, m_keys.last());
        return isNil(value) ? nilValue() : value;
    } catch (const KeyValueError& error) {
        warning(error.message());
        return nilValue();
    }
}

void Observation::deliver(Lock& lock)
{
    if (!m_active) {
        return;
    }
    const QVariant value = currentValue();
    // Keep this observation alive while its callback may end it.
    const auto self = shared_from_this();
    const std::thread::id thread = std::this_thread::get_id();
    m_running.push_back(thread);
    lock.unlock();
    const auto finish = qScopeGuard([&] {
        lock.lock();
        m_running.erase(std::find(m_running.begin(), m_running.end(), thread));
        m_idle.notify_all();
    });
    m_callback(value);
}

} // namespace foundation::detail

namespace foundation {

KeyValueObservation::KeyValueObservation() noexcept = default;

KeyValueObservation::KeyValueObservation(QObject* object, const QString& keyPath, InitialValue initialValue,
                                         Callback callback)
    : m_observation(std::make_shared<detail::Observation>(keyPath, std::move(callback)))
{
    if (keyPath.isEmpty() || keyPath.split(QLatin1Char('.')).contains(QString())) {
        throw KeyValueError(KeyValueError::Kind::unknownKey,
                            object ? QString::fromLatin1(object->metaObject()->className()) : QString(),
                            keyPath);
    }
    m_observation->start(object, initialValue);
}

KeyValueObservation::~KeyValueObservation()
{
    invalidate();
}

KeyValueObservation::KeyValueObservation(KeyValueObservation&& other) noexcept = default;

KeyValueObservation& KeyValueObservation::operator=(KeyValueObservation&& other) noexcept
{
    if (this != &other) {
        invalidate();
        m_observation = std::move(other.m_observation);
    }
    return *this;
}

void KeyValueObservation::invalidate()
{
    if (const auto observation = std::exchange(m_observation, nullptr)) {
        observation->stop();
    }
}

bool KeyValueObservation::isActive() const
{
    return m_observation && m_observation->isActive();
}

} // namespace foundation
