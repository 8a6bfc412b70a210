// Fetching: reading the parent context or the store and merging in unsaved changes.

#include "store/EntityDescription.h"
#include "store/FetchMerger.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/ManagedObjectModel.h"
#include "store/PersistentStoreCoordinator.h"
#include "store/ValueComparison.h"

#include <algorithm>

namespace store {

QVariant ManagedObjectContext::normalizedPredicateValue(const QVariant& value) const
{
    if (!value.isValid())
        return value;
    ManagedObject* object = nullptr;
    if (value.canConvert<ManagedObject*>())
        object = value.value<ManagedObject*>();
    else if (value.canConvert<QObject*>())
        object = qobject_cast<ManagedObject*>(value.value<QObject*>());
    if (object)
        return QVariant::fromValue(object->objectID());
    return value;
}

Result<QList<SourceRow>> ManagedObjectContext::sourceRows(const EntityDescription& entity,
                                                          const Predicate& predicate,
                                                          bool mergesPendingChanges)
{
    if (m_parent) {
        Result<QList<SourceRow>> rows = QList<SourceRow>();
        m_parent->performAndWait([&] { rows = m_parent->rowsForChild(entity, predicate); });
        return rows;
    }
    if (!m_coordinator)
        return failure(Error::Code::noStore,
                       "The context has no parent context and no persistent store coordinator.");
    if (!mergesPendingChanges)
        return m_coordinator->fetchRows(entity, predicate);
    return m_coordinator->fetchRows(entity, predicate,
                                    [this](const ManagedObjectID& id) { return registered(id) != nullptr; });
}

std::optional<ObjectSnapshot> ManagedObjectContext::sourceRow(const ManagedObjectID& id)
{
    if (m_parent) {
        std::optional<ObjectSnapshot> row;
        m_parent->performAndWait([&] { row = m_parent->rowForChild(id); });
        return row;
    }
    if (!m_coordinator || id.isTemporaryID())
        return std::nullopt;
    return m_coordinator->fetchRow(id);
}

Result<QList<SourceRow>> ManagedObjectContext::rowsForChild(const EntityDescription& entity,
                                                            const Predicate& predicate)
{
    Result<QList<SourceRow>> rows = sourceRows(entity, predicate, true);
    if (!rows)
        return rows;
    QList<SourceRow> result;
    for (const FetchMerger::Match& match : FetchMerger(m_objects, entity, predicate).merge(*rows, true))
        result.append(match.object ? SourceRow{match.object->m_id, match.object->snapshot()}
                                   : std::move(*match.row));
    return result;
}

std::optional<ObjectSnapshot> ManagedObjectContext::rowForChild(const ManagedObjectID& id)
{
    if (ManagedObject* object = registered(id)) {
        if (!object->isPresent())
            return std::nullopt;
        return object->snapshot();
    }
    return sourceRow(id);
}

Result<std::pair<const EntityDescription*, Predicate>>
ManagedObjectContext::resolved(const FetchRequest& request) const
{
    const EntityDescription* entity = managedObjectModel().entity(request.entityName);
    if (!entity)
        return failure(Error::Code::objectNotFound,
                       "The model has no entity named \"" + request.entityName + "\".");
    if (request.predicate.isAll())
        return std::pair(entity, request.predicate);
    if (!entity->hasProperty(request.predicate.key()))
        return failure(Error::Code::objectNotFound,
                       "The entity " + entity->name() + " has no key \"" + request.predicate.key() + "\".");
    return std::pair(entity, Predicate::equal(request.predicate.key(),
                                              normalizedPredicateValue(request.predicate.value())));
}

Result<QList<QVariant>> ManagedObjectContext::fetchValues(const FetchRequest& request, const QString& key)
{
    const Result<std::pair<const EntityDescription*, Predicate>> found = resolved(request);
    if (!found)
        return failure(found.error());
    const auto& [entity, predicate] = *found;
    const qsizetype index = entity->attributeIndex(key);
    if (index < 0)
        return failure(Error::Code::objectNotFound,
                       "The entity " + entity->name() + " has no attribute \"" + key + "\".");
    Result<QList<SourceRow>> rows = sourceRows(*entity, predicate, request.includesPendingChanges);
    if (!rows)
        return failure(rows.error());
    QList<QVariant> values;
    for (const FetchMerger::Match& match :
         FetchMerger(m_objects, *entity, predicate).merge(*rows, request.includesPendingChanges))
        values.append(match.object ? match.object->m_values.attribute(index)
                                   : match.row->snapshot.attribute(index));
    return values;
}

Result<QList<ManagedObject*>> ManagedObjectContext::execute(const FetchRequest& request)
{
    const Result<std::pair<const EntityDescription*, Predicate>> found = resolved(request);
    if (!found)
        return failure(found.error());
    const auto& [entity, predicate] = *found;
    std::vector<std::pair<qsizetype, bool>> sorts; // attribute index, ascending
    for (const SortDescriptor& sort : request.sortDescriptors) {
        const qsizetype index = entity->attributeIndex(sort.key);
        if (index < 0)
            return failure(Error::Code::objectNotFound, "The entity " + entity->name() +
                                                            " has no attribute \"" + sort.key +
                                                            "\" to sort by.");
        sorts.emplace_back(index, sort.ascending);
    }

    Result<QList<SourceRow>> rows = sourceRows(*entity, predicate, request.includesPendingChanges);
    if (!rows)
        return failure(rows.error());

    std::vector<ManagedObject*> fetched;
    QList<ManagedObject*> results;
    const std::vector<FetchMerger::Match> matches =
        FetchMerger(m_objects, *entity, predicate).merge(*rows, request.includesPendingChanges);
    results.reserve(qsizetype(matches.size()));
    for (const FetchMerger::Match& match : matches) {
        ManagedObject* object = match.object ? match.object : registered(match.row->id);
        results.append(object ? object : materialize(*entity, std::move(*match.row), fetched));
    }
    rows->clear();
    if (!sorts.empty()) {
        std::stable_sort(results.begin(), results.end(), [&](ManagedObject* a, ManagedObject* b) {
            for (const auto& [index, ascending] : sorts) {
                const int order = compareValues(a->m_values.attribute(index), b->m_values.attribute(index));
                if (order != 0)
                    return ascending ? order < 0 : order > 0;
            }
            return false;
        });
    }
    if (request.fetchLimit > 0 && results.size() > request.fetchLimit)
        results.resize(request.fetchLimit);
    awake(fetched);
    return results;
}

Result<qsizetype> ManagedObjectContext::count(const FetchRequest& request)
{
    Result<QList<ManagedObject*>> objects = execute(request);
    if (!objects)
        return failure(objects.error());
    return objects->size();
}

} // namespace store
