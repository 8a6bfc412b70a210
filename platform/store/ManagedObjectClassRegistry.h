#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace store {

class ManagedObject;

// Binds an entity's class name to the C++ class that represents its objects. Entities whose class is
// not registered get plain ManagedObjects. Safe from any thread.
class ManagedObjectClassRegistry
{
public:
    using Factory = std::function<std::unique_ptr<ManagedObject>()>;

    static void registerClass(const QString& className, Factory factory);
    template <typename T> static void registerClass(const QString& className)
    {
        registerClass(className, [] { return std::make_unique<T>(); });
    }
    static bool isRegistered(const QString& className);
    static std::unique_ptr<ManagedObject> makeObject(const QString& className);
};

} // namespace store
