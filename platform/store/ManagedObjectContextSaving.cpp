// Saving into the parent or the store, taking in a child's save, rollback and reset.

#include "foundation/Fatal.h"
#include "store/EntityDescription.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"
#include "store/SaveJournal.h"
#include "store/UndoEntry.h"
#include "store/ValueComparison.h"

#include <QUndoStack>
#include <algorithm>
#include <unordered_set>
#include <utility>

namespace store {

Result<void> ManagedObjectContext::validateChanges(const std::vector<ManagedObject*>& saving,
                                                   const std::vector<ManagedObject*>& deleting)
{
    for (ManagedObject* object : saving) {
        Result<void> result = object->validateForSave();
        if (!result)
            return result;
    }
    for (ManagedObject* object : deleting) {
        for (const RelationshipDescription& relationship : object->entity().relationships()) {
            if (relationship.deleteRule != DeleteRule::deny)
                continue;
            const QList<ManagedObject*> targets = object->relatedObjects(relationship.name);
            if (std::any_of(targets.begin(), targets.end(), [](ManagedObject* t) { return t->isPresent(); }))
                return failure(Error::Code::deleteDenied, "The " + object->entity().name() +
                                                              " cannot be deleted while its \"" +
                                                              relationship.name + "\" still has objects.");
        }
    }
    return {};
}

void ManagedObjectContext::collectChanges(std::vector<ManagedObject*>& saving,
                                          std::vector<ManagedObject*>& deleting) const
{
    saving.clear();
    deleting.clear();
    for (ManagedObject* object : m_objects.objects()) {
        if (object->m_deleted) {
            if (object->m_existsInSource)
                deleting.push_back(object);
        } else if (object->m_inserted || (object->m_updated && object->m_existsInSource)) {
            saving.push_back(object);
        }
    }
}

Result<void> ManagedObjectContext::writeChanges(const std::vector<ManagedObject*>& saving,
                                                const std::vector<ManagedObject*>& deleting)
{
    if (saving.empty() && deleting.empty())
        return {};
    SaveChanges changes;
    for (ManagedObject* object : saving) {
        ChangeRecord record{object->m_id, &object->entity(), object->snapshot()};
        if (object->m_inserted)
            changes.inserted.push_back(std::move(record));
        else
            changes.updated.push_back(std::move(record));
    }
    for (ManagedObject* object : deleting)
        changes.deleted.push_back(ChangeRecord{object->m_id, &object->entity(), {}});

    if (m_parent) {
        m_parent->performAndWait([&] { m_parent->applyChildChanges(changes); });
        return {};
    }
    if (!m_coordinator)
        return failure(Error::Code::noStore,
                       "The context has no parent context and no persistent store coordinator.");
    return m_coordinator->save(changes);
}

Result<void> ManagedObjectContext::save()
{
    if (m_saveJournal)
        foundation::fatal("A context cannot save while it is saving");
    processPendingChanges();
    std::vector<ManagedObject*> saving;
    std::vector<ManagedObject*> deleting;
    collectChanges(saving, deleting);

    // Until the changes are written, every edit (willSave's included) is journaled so that a failed
    // save can take it back.
    m_saveJournal = std::make_unique<SaveJournal>(m_pending);
    Result<void> result;
    try {
        for (ManagedObject* object : saving)
            object->willSave();
        collectChanges(saving, deleting);
        m_validationValues.emplace(std::exchange(m_keptValidationValues, {}));
        result = validateChanges(saving, deleting);
        m_validationValues.reset();
        if (result)
            result = writeChanges(saving, deleting);
    } catch (...) {
        m_validationValues.reset();
        revertSave();
        throw;
    }
    if (!result) {
        revertSave();
        return result;
    }
    const std::vector<UndoEntry> undoEntries =
        std::unique_ptr<SaveJournal>(std::move(m_saveJournal))->takeUndoEntries();
    for (const UndoEntry& entry : undoEntries)
        registerUndo(entry);
    processPendingChanges();

    ObjectChanges saved;
    for (ManagedObject* object : saving) {
        (object->m_inserted ? saved.inserted : saved.updated).append(object);
        object->m_inserted = false;
        object->m_updated = false;
        object->m_existsInSource = true;
        object->m_committed.reset();
    }
    for (ManagedObject* object : m_objects.objects()) {
        if (object->m_deleted) {
            if (object->m_existsInSource)
                saved.deleted.append(object);
            object->m_deleted = false;
            object->m_inserted = false;
            object->m_updated = false;
            object->m_existsInSource = false;
        }
    }
    releaseForgotten();
    emit didSave(saved);
    return {};
}

void ManagedObjectContext::revertSave()
{
    SaveJournal::Reverted reverted = std::unique_ptr<SaveJournal>(std::move(m_saveJournal))->revert();
    const std::unordered_set<const ManagedObject*> inserted(reverted.inserted.begin(),
                                                            reverted.inserted.end());
    release(m_objects.removeIf([&](const ManagedObject& object) { return inserted.contains(&object); }));
    for (ManagedObject* object : reverted.inserted)
        object->m_context = nullptr;
    m_pending = std::move(reverted.pending);
    for (const auto& [object, keys] : reverted.changed) {
        for (const QString& key : keys)
            emit object->valueChangedForKey(key);
    }
}

void ManagedObjectContext::applyValues(ManagedObject& object, const ObjectSnapshot& values)
{
    const EntityDescription& entity = object.entity();
    for (const AttributeDescription& attribute : entity.attributes()) {
        const qsizetype index = entity.indexOf(attribute);
        const QVariant value = values.attribute(index);
        const QVariant current = object.m_values.attribute(index);
        if (valuesEqual(current, value) && value.typeId() == current.typeId())
            continue;
        object.willChangeValueForKey(attribute.name);
        object.m_values.setAttribute(index, value);
        object.didChangeValueForKey(attribute.name);
    }
    for (const RelationshipDescription& relationship : entity.relationships()) {
        const QList<ManagedObjectID> ids = values.related(entity.indexOf(relationship));
        if (ids != object.m_values.related(entity.indexOf(relationship)))
            object.setLinks(relationship.name, ids);
    }
}

void ManagedObjectContext::applyChildChanges(const SaveChanges& changes)
{
    std::vector<ManagedObject*> fetched;
    for (const ChangeRecord& record : changes.inserted) {
        if (ManagedObject* object = registered(record.id)) {
            setPresent(object, true);
            continue;
        }
        ManagedObject* object = adopt(*record.entity, record.id, record.snapshot, false);
        noteInserted(object);
        registerUndo(
            UndoEntry{UndoEntry::Kind::insertion, record.id, {}, {}, {}, m_objects.share(record.id)});
    }
    // Objects re-inserted above take their values now, like updated ones.
    for (const ChangeRecord& record : changes.inserted)
        applyValues(*registered(record.id), record.snapshot);
    for (const ChangeRecord& record : changes.updated) {
        ManagedObject* object = registered(record.id);
        if (!object) {
            std::optional<ObjectSnapshot> snapshot = sourceRow(record.id);
            if (!snapshot)
                continue;
            object = materialize(*record.entity, SourceRow{record.id, std::move(*snapshot)}, fetched);
        }
        applyValues(*object, record.snapshot);
    }
    for (const ChangeRecord& record : changes.deleted) {
        if (ManagedObject* object = objectForID(record.id))
            setPresent(object, false);
    }
    awake(fetched);
    processPendingChanges();
}

void ManagedObjectContext::keepValidationValue(const QString& key, const std::any& value)
{
    m_keptValidationValues.insert(key, value);
}

void ManagedObjectContext::rollback()
{
    m_keptValidationValues.clear();
    ObjectChanges changes;
    for (ManagedObject* object : m_objects.objects()) {
        if (!object->hasChanges())
            continue;
        if (!object->m_existsInSource) {
            if (!object->m_deleted)
                changes.deleted.append(object);
            object->m_inserted = false;
            object->m_deleted = false;
            continue;
        }
        const QStringList keys = object->changedKeys();
        if (object->m_deleted)
            changes.inserted.append(object);
        else
            changes.updated.append(object);
        if (object->m_committed)
            object->m_values = std::move(*object->m_committed);
        object->m_committed.reset();
        object->m_updated = false;
        object->m_deleted = false;
        object->m_inserted = false;
        object->m_changeStarts.clear();
        for (const QString& key : keys)
            emit object->valueChangedForKey(key);
    }
    m_pending = PendingChanges();
    if (m_undoStack)
        m_undoStack->clear();
    m_openUndoGroup = nullptr;
    releaseForgotten();
    if (!changes.isEmpty())
        emit objectsDidChange(changes);
}

void ManagedObjectContext::reset()
{
    m_keptValidationValues.clear();
    if (m_undoStack)
        m_undoStack->clear();
    m_openUndoGroup = nullptr;
    std::vector<std::shared_ptr<ManagedObject>> forgotten = m_objects.removeAll();
    for (const std::shared_ptr<ManagedObject>& object : forgotten)
        object->m_context = nullptr;
    release(std::move(forgotten));
    m_pending = PendingChanges();
}

} // namespace store
