#include "foundation/ObservationRegistry.h"

#include "foundation/KeyValueObject.h"

#include <QHash>
#include <QMetaMethod>
#include <QSet>
#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace foundation::detail {
namespace {

thread_local PropertyWriteScope* currentWriteScope = nullptr;

// Receives one NOTIFY signal of one object (or a KeyValueObject's valueChangedForKey) and hands it to the
// registry. A relay has no thread affinity and lives until its object dies, so a signal emitted on any
// thread never meets a relay that is being deleted.
class NotifyRelay : public QObject
{
    Q_OBJECT

public:
    NotifyRelay(QObject* object, int signalIndex)
        : m_object(object)
        , m_signalIndex(signalIndex)
    {
        moveToThread(nullptr);
    }

public slots:
    void notify();
    void notifyKey(const QString& key);

private:
    QObject* m_object;
    int m_signalIndex;
};

struct ObservedObject
{
    std::vector<std::unique_ptr<NotifyRelay>> relays;
    QSet<int> connectedSignals;
    QHash<int, QSet<QString>> keysBySignal;
    QHash<QString, std::vector<std::weak_ptr<ChangeListener>>> listeners;
};

class Registry
{
public:
    void attach(QObject* object, const KeyLookup& lookup, const QString& key,
                const std::shared_ptr<ChangeListener>& listener)
    {
        const std::lock_guard lock(m_mutex);
        auto [entry, inserted] = m_objects.try_emplace(object);
        ObservedObject& observed = entry->second;
        if (inserted) {
            QObject::connect(object, &QObject::destroyed, [](QObject* dying) { objectDestroyed(dying); });
        }
        if (lookup.kind == KeyLookup::Kind::keyValue) {
            connectRelay(object, observed, -1);
        } else if (lookup.kind == KeyLookup::Kind::property && lookup.property.hasNotifySignal()) {
            const int signalIndex = lookup.property.notifySignalIndex();
            connectRelay(object, observed, signalIndex);
            observed.keysBySignal[signalIndex].insert(key);
        }
        auto& listeners = observed.listeners[key];
        std::erase_if(listeners, [](const auto& weak) { return weak.expired(); });
        listeners.push_back(listener);
    }

    void detach(QObject* object, const QString& key, const ChangeListener* listener)
    {
        const std::lock_guard lock(m_mutex);
        const auto entry = m_objects.find(object);
        if (entry == m_objects.end()) {
            return;
        }
        const auto listeners = entry->second.listeners.find(key);
        if (listeners == entry->second.listeners.end()) {
            return;
        }
        std::erase_if(*listeners, [listener](const auto& weak) {
            const auto strong = weak.lock();
            return !strong || strong.get() == listener;
        });
    }

    void deliverKeys(QObject* object, int signalIndex, const QString* key)
    {
        std::vector<std::shared_ptr<ChangeListener>> snapshot;
        {
            const std::lock_guard lock(m_mutex);
            const auto entry = m_objects.find(object);
            if (entry == m_objects.end()) {
                return;
            }
            const ObservedObject& observed = entry->second;
            const auto collect = [&](const QString& name) {
                const auto listeners = observed.listeners.constFind(name);
                if (listeners == observed.listeners.cend()) {
                    return;
                }
                for (const auto& weak : *listeners) {
                    if (auto strong = weak.lock()) {
                        snapshot.push_back(std::move(strong));
                    }
                }
            };
            if (key) {
                collect(*key);
            } else {
                for (const QString& name : observed.keysBySignal.value(signalIndex)) {
                    collect(name);
                }
            }
        }
        for (const auto& listener : snapshot) {
            listener->valueDidChange();
        }
    }

private:
    static void objectDestroyed(QObject* object);

    void connectRelay(QObject* object, ObservedObject& observed, int signalIndex)
    {
        if (observed.connectedSignals.contains(signalIndex)) {
            return;
        }
        auto relay = std::make_unique<NotifyRelay>(object, signalIndex);
        if (signalIndex < 0) {
            QObject::connect(static_cast<KeyValueObject*>(object), &KeyValueObject::valueChangedForKey,
                             relay.get(), &NotifyRelay::notifyKey, Qt::DirectConnection);
        } else {
            QObject::connect(object, object->metaObject()->method(signalIndex), relay.get(), m_notifySlot,
                             Qt::DirectConnection);
        }
        observed.connectedSignals.insert(signalIndex);
        observed.relays.push_back(std::move(relay));
    }

    void forget(QObject* object)
    {
        ObservedObject observed;
        {
            const std::lock_guard lock(m_mutex);
            const auto entry = m_objects.find(object);
            if (entry == m_objects.end()) {
                return;
            }
            observed = std::move(entry->second);
            m_objects.erase(entry);
        }
        for (const auto& listeners : std::as_const(observed.listeners)) {
            for (const auto& weak : listeners) {
                if (const auto listener = weak.lock()) {
                    listener->objectDestroyed(object);
                }
            }
        }
        // The relays go with `observed`; the object emits nothing more once it is being destroyed.
    }

    // Looked up by name once: a NOTIFY signal is known only by its index, so its relay is connected by
    // meta method.
    const QMetaMethod m_notifySlot =
        NotifyRelay::staticMetaObject.method(NotifyRelay::staticMetaObject.indexOfSlot("notify()"));
    std::mutex m_mutex;
    std::unordered_map<QObject*, ObservedObject> m_objects;
};

// Never destroyed: observed objects may die during static destruction, after a static table would be gone.
Registry* registry()
{
    static Registry* const table = new Registry;
    return table;
}

void Registry::objectDestroyed(QObject* object)
{
    if (Registry* table = registry()) {
        table->forget(object);
    }
}

void NotifyRelay::notify()
{
    PropertyWriteScope::signalFired(m_object, m_signalIndex);
    if (Registry* table = registry()) {
        table->deliverKeys(m_object, m_signalIndex, nullptr);
    }
}

void NotifyRelay::notifyKey(const QString& key)
{
    if (Registry* table = registry()) {
        table->deliverKeys(m_object, -1, &key);
    }
}

} // namespace

void observationRegistry::attach(QObject* object, const KeyLookup& lookup, const QString& key,
                                 const std::shared_ptr<ChangeListener>& listener)
{
    if (Registry* table = registry()) {
        table->attach(object, lookup, key, listener);
    }
}

void observationRegistry::detach(QObject* object, const QString& key, const ChangeListener* listener)
{
    if (Registry* table = registry()) {
        table->detach(object, key, listener);
    }
}

void observationRegistry::deliverChange(QObject* object, const QString& key)
{
    if (Registry* table = registry()) {
        table->deliverKeys(object, -1, &key);
    }
}

PropertyWriteScope::PropertyWriteScope(const QObject* object, int notifySignalIndex)
    : m_object(object)
    , m_signalIndex(notifySignalIndex)
    , m_previous(currentWriteScope)
{
    currentWriteScope = this;
}

PropertyWriteScope::~PropertyWriteScope()
{
    currentWriteScope = m_previous;
}

void PropertyWriteScope::signalFired(const QObject* object, int signalIndex)
{
    for (PropertyWriteScope* scope = currentWriteScope; scope; scope = scope->m_previous) {
        if (scope->m_object == object && scope->m_signalIndex == signalIndex) {
            scope->m_announced = true;
        }
    }
}

} // namespace foundation::detail

#include "ObservationRegistry.moc"
