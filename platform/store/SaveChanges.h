#pragma once

#include "store/ObjectSnapshot.h"

#include <vector>

namespace store {

class EntityDescription;

struct ChangeRecord
{
    ManagedObjectID id;
    const EntityDescription* entity = nullptr;
    ObjectSnapshot snapshot; // for deletions: the last values, unused by stores
};

// What a context hands to its parent context or to its coordinator when it saves.
struct SaveChanges
{
    std::vector<ChangeRecord> inserted;
    std::vector<ChangeRecord> updated;
    std::vector<ChangeRecord> deleted;
};

} // namespace store
