#include "foundation/KeyValueObservation.h"

#include "foundation/Diagnostics.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/ObservationRegistry.h"
#include "foundation/Values.h"

#include <QStringList>
#include <mutex>
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

    void attach(qsizetype index, QObject* object, Failure failure);
    void detach(qsizetype index);
    void reattachFrom(qsizetype index, Failure failure);
    QVariant currentValue() const;
    void deliver();

    // Held while the path is rewired and while the callback runs. Recursive, so that a callback may end its
    // own observation or cause another change of the same path on its thread.
    mutable std::recursive_mutex mutex_;
    const QStringList keys_;
    const KeyValueObservation::Callback callback_;
    bool active_ = false;
    std::vector<std::shared_ptr<Step>> steps_;
    std::vector<QObject*> objects_; // objects_[i] holds keys_[i]; nullptr where the path is nil
};

void Observation::start(QObject* root, KeyValueObservation::InitialValue initialValue)
{
    const std::lock_guard lock(mutex_);
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
        stop();
        throw;
    }
    if (initialValue == KeyValueObservation::InitialValue::deliver) {
        deliver();
    }
}

void Observation::stop()
{
    const std::lock_guard lock(mutex_);
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
    const std::lock_guard lock(mutex_);
    if (!active_) {
        return;
    }
    reattachFrom(index + 1, Failure::warn);
    deliver();
}

void Observation::objectDestroyed(qsizetype index, QObject* object)
{
    const std::lock_guard lock(mutex_);
    if (objects_[index] != object) {
        return;
    }
    objects_[index] = nullptr;
    if (index == 0) {
        stop();
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

void Observation::deliver()
{
    // Keep this observation alive while its callback may end it.
    const auto self = shared_from_this();
    callback_(currentValue());
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
