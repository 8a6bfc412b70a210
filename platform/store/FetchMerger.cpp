#include "store/FetchMerger.h"

#include "store/IdentityMap.h"
#include "store/ManagedObject.h"
#include "store/Predicate.h"

#include <unordered_set>

namespace store {

FetchMerger::FetchMerger(const IdentityMap& objects, const EntityDescription& entity,
                         const Predicate& predicate)
    : m_objects(objects)
    , m_entity(entity)
    , m_predicate(predicate)
{}

std::vector<FetchMerger::Match> FetchMerger::merge(QList<SourceRow>& rows, bool includesPendingChanges) const
{
    std::vector<Match> matches;
    matches.reserve(size_t(rows.size()));
    std::unordered_set<const ManagedObject*> seen;
    for (SourceRow& row : rows) {
        ManagedObject* object = m_objects.find(row.id);
        if (!includesPendingChanges) {
            matches.push_back(object ? Match{object, nullptr} : Match{nullptr, &row});
        } else if (object) {
            seen.insert(object);
            if (object->isPresent() && m_predicate.matches(m_entity, object->m_values))
                matches.push_back(Match{object, nullptr});
        } else if (m_predicate.matches(m_entity, row.snapshot)) {
            matches.push_back(Match{nullptr, &row});
        }
    }
    if (!includesPendingChanges)
        return matches;
    for (ManagedObject* object : m_objects.objects()) {
        if (&object->entity() != &m_entity || !object->isPresent() ||
            !(object->m_inserted || object->m_updated) || seen.contains(object))
            continue;
        if (m_predicate.matches(m_entity, object->m_values))
            matches.push_back(Match{object, nullptr});
    }
    return matches;
}

} // namespace store
