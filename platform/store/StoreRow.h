#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <utility>
#include <vector>

namespace store {

class EntityDescription;

// One object as a store keeps it: stored attributes by name and the primary keys of related objects
// by relationship name (destinations are known from the model).
struct StoreRow
{
    qint64 primaryKey = 0;
    QHash<QString, QVariant> attributes;
    QHash<QString, QList<qint64>> relationships;
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
