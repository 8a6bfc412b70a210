#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

namespace foundation {

namespace detail {
class Observation;
}

// One observation of a key path of an object, alive for as long as this token is: destroying, moving over
// or invalidating the token ends it.
//
// A Q_PROPERTY announces stores through its NOTIFY signal, so the setter of an observable property emits it
// on every store, also of an equal value; stores through setValueForKey notify once whatever the setter
// does. A KeyValueObject announces its own keys through valueChangedForKey.
//
// The callback gets the key path's new value after every store into any key along the path, also when the
// value did not change. It runs synchronously on the thread that made the store, after the store; with
// InitialValue::deliver it also runs once with the current value inside the constructor. A nil value
// arrives as foundation::nilValue() (a valid variant holding std::nullptr_t). When an object in the middle
// of the path is replaced, the observation moves on to the new object. When the observed object is
// destroyed the observation ends without a call; when an object in the middle of the path is destroyed,
// the rest of the path waits for that key to be set again.
//
// Observations may be made and ended on any thread, also from inside a callback. Ending an observation
// while its callback runs on another thread waits until that call has returned.
class KeyValueObservation
{
public:
    using Callback = std::function<void(const QVariant& newValue)>;

    enum class InitialValue
    {
        deliver,
        skip,
    };

    KeyValueObservation() noexcept;
    // Throws KeyValueError when a key of the path is unknown to the object that currently holds it.
    KeyValueObservation(QObject* object, const QString& keyPath, InitialValue initialValue,
                        Callback callback);
    ~KeyValueObservation();

    KeyValueObservation(KeyValueObservation&& other) noexcept;
    KeyValueObservation& operator=(KeyValueObservation&& other) noexcept;
    KeyValueObservation(const KeyValueObservation&) = delete;
    KeyValueObservation& operator=(const KeyValueObservation&) = delete;

    // Ends the observation; no callback starts after this returns.
    void invalidate();

    // Whether the observation still runs: false after invalidate() and after the observed object died.
    bool isActive() const;

private:
    std::shared_ptr<detail::Observation> m_observation;
};

} // namespace foundation
