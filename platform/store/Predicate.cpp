#include "store/Predicate.h"

#include "store/EntityDescription.h"
#include "store/ObjectSnapshot.h"
#include "store/ValueComparison.h"

namespace store {

bool Predicate::matches(const EntityDescription& entity, const ObjectSnapshot& snapshot) const
{
    if (isAll())
        return true;
    if (const qsizetype index = entity.attributeIndex(m_key); index >= 0)
        return valuesEqual(snapshot.attribute(index), m_value);
    const qsizetype index = entity.relationshipIndex(m_key);
    if (index < 0)
        return false;
    const QList<ManagedObjectID> ids = snapshot.related(index);
    if (!m_value.isValid())
        return ids.isEmpty();
    return m_value.canConvert<ManagedObjectID>() && ids.contains(m_value.value<ManagedObjectID>());
}

} // namespace store
