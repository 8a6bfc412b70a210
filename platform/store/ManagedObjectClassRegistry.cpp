#include "store/ManagedObjectClassRegistry.h"

#include "store/ManagedObject.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace store {

namespace {

struct Registry
{
    QMutex mutex;
    QHash<QString, ManagedObjectClassRegistry::Factory> factories;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

} // namespace

void ManagedObjectClassRegistry::registerClass(const QString& className, Factory factory)
{
    QMutexLocker lock(&registry().mutex);
    registry().factories.emplace(className, std::move(factory));
}

bool ManagedObjectClassRegistry::isRegistered(const QString& className)
{
    QMutexLocker lock(&registry().mutex);
    return registry().factories.contains(className);
}

std::unique_ptr<ManagedObject> ManagedObjectClassRegistry::makeObject(const QString& className)
{
    Factory factory;
    {
        QMutexLocker lock(&registry().mutex);
        factory = registry().factories.value(className);
    }
    if (factory)
        return factory();
    return std::make_unique<ManagedObject>();
}

} // namespace store
