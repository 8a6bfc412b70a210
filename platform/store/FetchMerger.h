#pragma once

#include "store/ObjectSnapshot.h"

#include <QList>
#include <vector>

namespace store {

class EntityDescription;
class IdentityMap;
class ManagedObject;
class Predicate;

// Merges the rows a source (the parent context or the store) holds for a fetch with what a context has
// in memory. With pending changes, the fetch sees the context as it is now: a registered object stands
// for its row and is left out when it is deleted or no longer matches, and inserted or changed objects
// that match now follow the rows. Without them the rows stand as they are, each by its registered
// object where there is one.
class FetchMerger
{
public:
    // Either the registered object or the row of an object the context does not hold yet.
    struct Match
    {
        ManagedObject* object = nullptr;
        SourceRow* row = nullptr;
    };

    FetchMerger(const IdentityMap& objects, const EntityDescription& entity, const Predicate& predicate);

    // The matches in order; rows are pointed into, not copied.
    std::vector<Match> merge(QList<SourceRow>& rows, bool includesPendingChanges) const;

private:
    const IdentityMap& m_objects;
    const EntityDescription& m_entity;
    const Predicate& m_predicate;
};

} // namespace store
