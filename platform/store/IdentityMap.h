#pragma once

#include "store/ManagedObjectID.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace store {

class ManagedObject;

// The objects a context holds, each once under its ID, in the order they came in. Ownership is shared
// with the undo steps that may bring an object back after the context let go of it.
class IdentityMap
{
public:
    IdentityMap();
    ~IdentityMap();
    IdentityMap(const IdentityMap&) = delete;
    IdentityMap& operator=(const IdentityMap&) = delete;

    ManagedObject* find(const ManagedObjectID& id) const;
    std::shared_ptr<ManagedObject> share(const ManagedObjectID& id) const;
    // Fatal when another object holds the ID already.
    void add(std::shared_ptr<ManagedObject> object);
    // Takes out the objects that leave selects, in order, and hands them over.
    std::vector<std::shared_ptr<ManagedObject>>
    removeIf(const std::function<bool(const ManagedObject&)>& leave);
    std::vector<std::shared_ptr<ManagedObject>> removeAll();

    const std::vector<ManagedObject*>& objects() const { return m_order; }

private:
    std::unordered_map<ManagedObjectID, std::shared_ptr<ManagedObject>> m_objects;
    std::vector<ManagedObject*> m_order;
};

} // namespace store
