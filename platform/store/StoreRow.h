#pragma once

#include <QList>
#include <QVariant>
#include <utility>
#include <vector>

namespace store {

class EntityDescription;

// One object as a store keeps it: its stored attributes at the positions of the entity's attributes
// (transient and missing ones invalid) and the primary keys of related objects at the positions of its
// relationships (destinations are known from the model).
struct StoreRow
{
    qint64 primaryKey = 0;
    std::vector<QVariant> attributes;
    std::vector<QList<qint64>> relationships;
};

struct EntityRow
{
    const EntityDescription* entity = nullptr;
    StoreRow row;
};

// One save: written all together or not at all.
struct StoreSaveRequest
{
    std::vector<EntityRow> inserted;
    std::vector<EntityRow> updated;
    std::vector<std::pair<const EntityDescription*, qint64>> deleted;
};

} // namespace store
