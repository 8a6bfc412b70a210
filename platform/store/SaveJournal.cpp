#include "store/SaveJournal.h"

#include "store/EntityDescription.h"
#include "store/ManagedObject.h"
#include "store/ValueComparison.h"

#include <algorithm>

namespace store {

namespace {

// The keys whose values differ between two snapshots of one entity's object.
QStringList differingKeys(const EntityDescription& entity, const ObjectSnapshot& a, const ObjectSnapshot& b)
{
    QStringList keys;
    for (const AttributeDescription& attribute : entity.attributes()) {
        const qsizetype index = entity.indexOf(attribute);
        if (!valuesEqual(a.attribute(index), b.attribute(index)) ||
            a.attribute(index).typeId() != b.attribute(index).typeId())
            keys.append(attribute.name);
    }
    for (const RelationshipDescription& relationship : entity.relationships()) {
        const qsizetype index = entity.indexOf(relationship);
        if (a.related(index) != b.related(index))
            keys.append(relationship.name);
    }
    return keys;
}

} // namespace

SaveJournal::SaveJournal(PendingChanges pending)
    : m_pending(std::move(pending))
{}

SaveJournal::~SaveJournal() = default;
SaveJournal::SaveJournal(SaveJournal&&) noexcept = default;
SaveJournal& SaveJournal::operator=(SaveJournal&&) noexcept = default;

void SaveJournal::recordObject(ManagedObject& object)
{
    if (!m_recorded.insert(&object).second)
        return;
    m_states.push_back(
        State{&object, object.m_values,
              object.m_committed ? std::make_unique<ObjectSnapshot>(*object.m_committed) : nullptr,
              object.m_changeStarts, object.m_inserted, object.m_updated, object.m_deleted,
              object.m_existsInSource});
}

void SaveJournal::recordInsertion(ManagedObject& object)
{
    if (m_insertedSet.insert(&object).second)
        m_inserted.push_back(&object);
}

SaveJournal::Reverted SaveJournal::revert()
{
    Reverted reverted;
    for (State& state : m_states) {
        ManagedObject& object = *state.object;
        const bool isNew = m_insertedSet.contains(&object);
        QStringList keys = differingKeys(object.entity(), object.m_values, state.values);
        object.m_values = std::move(state.values);
        object.m_committed = std::move(state.committed);
        object.m_changeStarts = std::move(state.changeStarts);
        object.m_inserted = state.inserted;
        object.m_updated = state.updated;
        object.m_deleted = state.deleted;
        object.m_existsInSource = state.existsInSource;
        if (!isNew && !keys.isEmpty())
            reverted.changed.emplace_back(&object, std::move(keys));
    }
    m_states.clear();
    m_recorded.clear();
    reverted.inserted = std::move(m_inserted);
    m_insertedSet.clear();
    reverted.pending = std::move(m_pending);
    m_undoEntries.clear();
    return reverted;
}

} // namespace store
