#include "store/ObjectSnapshot.h"

#include "store/EntityDescription.h"

namespace store {

ObjectSnapshot ObjectSnapshot::shapedFor(const EntityDescription& entity)
{
    ObjectSnapshot snapshot;
    snapshot.attributes.resize(entity.attributes().size());
    snapshot.relationships.resize(entity.relationships().size());
    return snapshot;
}

void ObjectSnapshot::setAttribute(qsizetype index, QVariant value)
{
    if (size_t(index) >= attributes.size())
        attributes.resize(size_t(index) + 1);
    attributes[size_t(index)] = std::move(value);
}

void ObjectSnapshot::setRelated(qsizetype index, QList<ManagedObjectID> ids)
{
    if (size_t(index) >= relationships.size())
        relationships.resize(size_t(index) + 1);
    relationships[size_t(index)] = std::move(ids);
}

} // namespace store
