#pragma once

#include "document/BlacklistedRelationship.h"
#include "store/ManagedObjectID.h"

#include <QList>
#include <unordered_map>

namespace store {
class ManagedObject;
}

namespace pelorama::document {

// What a deep copy of managed objects works with: the clone made for each source object, keyed by the
// source's ID, so that an object reached along several relationships (or a cycle) is cloned once and
// the clones link as their sources do; and the relationships the copy does not follow. An object that
// belongs to no context cannot be cloned (DeepCloneError::Code::entityWithoutContext).
class DeepCloner
{
public:
    std::unordered_map<store::ManagedObjectID, store::ManagedObject*>& cloneMap() { return m_cloneMap; }
    const std::unordered_map<store::ManagedObjectID, store::ManagedObject*>& cloneMap() const
    {
        return m_cloneMap;
    }

    QList<BlacklistedRelationship>& blacklistedRelationships() { return m_blacklistedRelationships; }
    const QList<BlacklistedRelationship>& blacklistedRelationships() const
    {
        return m_blacklistedRelationships;
    }

private:
    std::unordered_map<store::ManagedObjectID, store::ManagedObject*> m_cloneMap;
    QList<BlacklistedRelationship> m_blacklistedRelationships;
};

} // namespace pelorama::document
