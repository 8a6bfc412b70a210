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
        : keys_(keyPath.split(QLatin1Char('.')))
        , callback_(std::move(callback))
        , objects_(keys_.size(), nullptr)
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
            : observation_(std::move(observation))
            , index_(index)
        {}

        void valueDidChange() override
        {
            if (const auto observation = observation_.lock()) {
                observation->keyDidChange(index_);
            }
        }

        void objectDestroyed(QObject* object) override
        {
            if (const auto observation = observation_.lock()) {
                observation->objectDestroyed(index_, object);
            }
        }

    private:
        std::weak_ptr<Observation> observation_;
        qsizetype index_;
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
    mutable std::recursive_mutex mutex_;
    std::condition_variable_any idle_;
    std::vector<std::thread::id> running_; // the threads inside the callback, once per call
    const QStringList keys_;
    const KeyValueObservation::Callback callback_;
    bool active_ = false;
    std::vector<std::shared_ptr<Step>> steps_;
    std::vector<QObject*> objects_; // objects_[i] holds keys_[i]; nullptr where the path is nil
};

void Observation::start(QObject* root, KeyValueObservation::InitialValue initialValue)
{
    Lock lock(mutex_);
    for (qsizetype i = 0; i < keys_.size(); ++i) {
        steps_.push_back(std::make_shared<Step>(weak_from_this(), i));
    }
    if (!root) {
        return;
    }
    active_ = true;
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
    Lock lock(mutex_);
    detachAll();
    // Calls in progress on other threads finish first; one on this thread is the caller's own.
    const std::thread::id self = std::this_thread::get_id();
    idle_.wait(lock, [&] {
        return std::all_of(running_.begin(), running_.end(),
                           [&](std::thread::id thread) { return thread == self; });
    });
}

void Observation::detachAll()
{
    active_ = false;
    for (qsizetype i = 0; i < keys_.size(); ++i) {
        detach(i);
    }
}

bool Observation::isActive() const
{
    const std::lock_guard lock(mutex_);
    return active_;
}

void Observation::keyDidChange(qsizetype index)
{
    Lock lock(mutex_);
    if (!active_) {
        return;
    }
    reattachFrom(index + 1, Failure::warn);
    deliver(lock);
}

void Observation::objectDestroyed(qsizetype index, QObject* object)
{
    const std::lock_guard lock(mutex_);
    if (objects_[index] != object) {
        return;
    }
    objects_[index] = nullptr;
    if (index == 0) {
        detachAll();
        return;
    }
    for (qsizetype i = index + 1; i < keys_.size(); ++i) {
        detach(i);
    }
}

void Observation::attach(qsizetype index, QObject* object, Failure failure)
{
    const KeyLookup lookup = KeyLookup::find(object, keys_[index]);
    if (lookup.kind == KeyLookup::Kind::unknown) {
        const KeyValueError error(KeyValueError::Kind::unknownKey,
                                  QString::fromLatin1(object->metaObject()->className()), keys_[index]);
        if (failure == Failure::raise) {
            throw error;
        }
        warning(error.message());
        return;
    }
    observationRegistry::attach(object, lookup, keys_[index], steps_[index]);
    objects_[index] = object;
}

void Observation::detach(qsizetype index)
{
    if (QObject* object = objects_[index]) {
        observationRegistry::detach(object, keys_[index], steps_[index].get());
        objects_[index] = nullptr;
    }
}

void Observation::reattachFrom(qsizetype index, Failure failure)
{
    for (qsizetype i = std::max<qsizetype>(index, 1); i < keys_.size(); ++i) {
        QObject* next = nullptr;
        if (QObject* holder = objects_[i - 1]) {
            QVariant value;
            try {
                value = valueForKey(holder, keys_[i - 1]);
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
                                          keys_[i - 1]);
                if (failure == Failure::raise) {
                    throw error;
                }
                warning(error.message());
            }
        }
        if (next == objects_[i]) {
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
    QObject* holder = objects_.back();
    if (!holder) {
        return nilValue();
    }
    try {
        const QVariant value = valueForKey(holder, keys_.last());
        return isNil(value) ? nilValue() : value;
    } catch (const KeyValueError& error) {
        warning(error.message());
        return nilValue();
    }
}

void Observation::deliver(Lock& lock)
{
    if (!active_) {
        return;
    }
    const QVariant value = currentValue();
    // Keep this observation alive while its callback may end it.
    const auto self = shared_from_this();
    const std::thread::id thread = std::this_thread::get_id();
    running_.push_back(thread);
    lock.unlock();
    const auto finish = qScopeGuard([&] {
        lock.lock();
        running_.erase(std::find(running_.begin(), running_.end(), thread));
        idle_.notify_all();
    });
    callback_(value);
}

} // namespace foundation::detail

namespace foundation {

KeyValueObservation::KeyValueObservation() noexcept = default;

KeyValueObservation::KeyValueObservation(QObject* object, const QString& keyPath, InitialValue initialValue,
                                         Callback callback)
    : observation_(std::make_shared<detail::Observation>(keyPath, std::move(callback)))
{
    if (keyPath.isEmpty() || keyPath.split(QLatin1Char('.')).contains(QString())) {
        throw KeyValueError(KeyValueError::Kind::unknownKey,
                            object ? QString::fromLatin1(object->metaObject()->className()) : QString(),
                            keyPath);
    }
    observation_->start(object, initialValue);
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
        observation_ = std::move(other.observation_);
    }
    return *this;
}

void KeyValueObservation::invalidate()
{
    if (const auto observation = std::exchange(observation_, nullptr)) {
        observation->stop();
    }
}

bool KeyValueObservation::isActive() const
{
    return observation_ && observation_->isActive();
}

} // namespace foundation
