#pragma once

#include "store/ManagedObjectID.h"

#include <QList>
#include <QVariant>
#include <vector>

namespace store {

class EntityDescription;

// The values of one object as a context, its parent or a store hold them, at the positions of the
// entity's attributes and relationships (see EntityDescription::attributeIndex): an invalid QVariant is
// a missing value; a to-one relationship holds at most one ID. Positions past the end read as missing,
// so an empty snapshot is one with every value missing. Kept as plain vectors because a context holds
// one per object: a hash per object would cost kilobytes.
struct ObjectSnapshot
{
    std::vector<QVariant> attributes;
    std::vector<QList<ManagedObjectID>> relationships;

    // A snapshot with a place for every value of entity, all missing.
    static ObjectSnapshot shapedFor(const EntityDescription& entity);

    QVariant attribute(qsizetype index) const
    {
        return index >= 0 && size_t(index) < attributes.size() ? attributes[size_t(index)] : QVariant();
    }
    QList<ManagedObjectID> related(qsizetype index) const
    {
        return index >= 0 && size_t(index) < relationships.size() ? relationships[size_t(index)]
                                                                  : QList<ManagedObjectID>();
    }
    void setAttribute(qsizetype index, QVariant value);
    void setRelated(qsizetype index, QList<ManagedObjectID> ids);
};

struct SourceRow
{
    ManagedObjectID id;
    ObjectSnapshot snapshot;
};

} // namespace store
