#include "store/Predicate.h"

#include "store/EntityDescription.h"
#include "store/ObjectSnapshot.h"
#include "store/ValueComparison.h"

namespace store {

bool Predicate::matches(const EntityDescription& entity, const ObjectSnapshot& snapshot) const
{
    if (isAll())
        return true;
    if (entity.attribute(m_key))
        return valuesEqual(snapshot.attributes.value(m_key), m_value);
    if (!entity.relationship(m_key))
        return false;
    const QList<ManagedObjectID> ids = snapshot.relationships.value(m_key);
    if (!m_value.isValid())
        return ids.isEmpty();
    return m_value.canConvert<ManagedObjectID>() && ids.contains(m_value.value<ManagedObjectID>());
}

} // namespace store
