#pragma once

#include "foundation/KeyLookup.h"

#include <QObject>
#include <QString>
#include <memory>

namespace foundation::detail {

// One step of an observed key path: told when its key of its object changes or when the object dies.
class ChangeListener
{
public:
    virtual ~ChangeListener() = default;
    virtual void valueDidChange() = 0;
    virtual void objectDestroyed(QObject* object) = 0;
};

// The process-wide table of who observes which key of which object. Every function is thread-safe.
// Listeners are called on the thread that made the change, outside the table's lock, so they may add and
// remove listeners themselves; a listener removed while a change is delivered is still called by that
// delivery and must ignore the call itself.
namespace observationRegistry {

// Starts telling listener about changes of key, which lookup found on object.
void attach(QObject* object, const KeyLookup& lookup, const QString& key,
            const std::shared_ptr<ChangeListener>& listener);
void detach(QObject* object, const QString& key, const ChangeListener* listener);

// Tells the listeners of key on object that it changed.
void deliverChange(QObject* object, const QString& key);

} // namespace observationRegistry

// Marks a store into a Q_PROPERTY through key-value coding on this thread, so that the store notifies
// exactly once: through the NOTIFY signal when the setter emits it, otherwise by the writer afterwards.
class PropertyWriteScope
{
public:
    PropertyWriteScope(const QObject* object, int notifySignalIndex);
    ~PropertyWriteScope();
    PropertyWriteScope(const PropertyWriteScope&) = delete;
    PropertyWriteScope& operator=(const PropertyWriteScope&) = delete;

    bool announced() const { return m_announced; }

    // Called when a NOTIFY signal of object fires on this thread.
    static void signalFired(const QObject* object, int signalIndex);

private:
    const QObject* m_object;
    int m_signalIndex;
    bool m_announced = false;
    PropertyWriteScope* m_previous;
};

} // namespace foundation::detail
