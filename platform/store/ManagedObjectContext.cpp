#include "store/ManagedObjectContext.h"

#include "foundation/Fatal.h"
#include "store/EntityDescription.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectClassRegistry.h"
#include "store/ManagedObjectModel.h"
#include "store/PersistentStoreCoordinator.h"
#include "store/SerialExecutor.h"
#include "store/UndoEntry.h"
#include "store/UndoGroupCommand.h"
#include "store/ValueComparison.h"

#include <QSet>
#include <QThread>
#include <QUndoStack>
#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>

namespace store {

ManagedObjectContext::ManagedObjectContext(ConcurrencyType type, QObject* parent)
    : QObject(parent)
    , m_type(type)
{
    if (type == ConcurrencyType::PrivateQueue)
        m_executor = std::make_unique<SerialExecutor>();
}

ManagedObjectContext::~ManagedObjectContext()
{
    // Blocks still queued run before the context goes away.
    m_executor.reset();
}

void ManagedObjectContext::setPersistentStoreCoordinator(
    std::shared_ptr<PersistentStoreCoordinator> coordinator)
{
    m_coordinator = std::move(coordinator);
}

PersistentStoreCoordinator* ManagedObjectContext::persistentStoreCoordinator() const
{
    if (m_coordinator)
        return m_coordinator.get();
    return m_parent ? m_parent->persistentStoreCoordinator() : nullptr;
}

void ManagedObjectContext::setParentContext(ManagedObjectContext* parent)
{
    m_parent = parent;
}

const ManagedObjectModel& ManagedObjectContext::managedObjectModel() const
{
    PersistentStoreCoordinator* coordinator = persistentStoreCoordinator();
    if (!coordinator)
        foundation::fatal("The context has no persistent store coordinator");
    return coordinator->managedObjectModel();
}

bool ManagedObjectContext::isOnQueue() const
{
    if (m_type == ConcurrencyType::PrivateQueue)
        return m_executor->isCurrent();
    return QThread::currentThread() == thread();
}

void ManagedObjectContext::perform(std::function<void()> block)
{
    if (m_type == ConcurrencyType::PrivateQueue) {
        m_executor->async([this, block = std::move(block)] { runPerformed(block); });
        return;
    }
    QMetaObject::invokeMethod(this, std::move(block), Qt::QueuedConnection);
}

void ManagedObjectContext::runPerformed(const std::function<void()>& block)
{
    ++m_performDepth;
    try {
        block();
    } catch (...) {
        --m_performDepth;
        throw;
    }
    if (--m_performDepth == 0)
        endOfPass();
}

void ManagedObjectContext::performAndWait(const std::function<void()>& block)
{
    if (m_type == ConcurrencyType::PrivateQueue) {
        m_executor->sync([this, &block] { runPerformed(block); });
        return;
    }
    if (isOnQueue()) {
        block();
        return;
    }
    // Handed to the context's thread; the wait uses standard primitives so that thread checkers see
    // the hand-over. An exception of the block is handed back to this thread.
    std::mutex mutex;
    std::condition_variable condition;
    bool done = false;
    std::exception_ptr exception;
    QMetaObject::invokeMethod(
        this,
        [&] {
            try {
                block();
            } catch (...) {
                exception = std::current_exception();
            }
            std::lock_guard lock(mutex);
            done = true;
            condition.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex);
    condition.wait(lock, [&] { return done; });
    if (exception)
        std::rethrow_exception(exception);
}

const EntityDescription& ManagedObjectContext::requireEntity(const QString& name) const
{
    const EntityDescription* entity = managedObjectModel().entity(name);
    if (!entity)
        foundation::fatal("The model has no entity named \"" + name + "\"");
    return *entity;
}

ManagedObject* ManagedObjectContext::registered(const ManagedObjectID& id) const
{
    auto it = m_objects.find(id);
    return it == m_objects.end() ? nullptr : it->second.get();
}

bool ManagedObjectContext::isPresent(const ManagedObject* object) const
{
    return !object->m_detached && !object->m_deleted && (object->m_inserted || object->m_existsInSource);
}

ManagedObject* ManagedObjectContext::insertNewObject(const QString& entityName)
{
    const EntityDescription& entity = requireEntity(entityName);
    std::unique_ptr<ManagedObject> object =
        ManagedObjectClassRegistry::makeObject(entity.managedObjectClassName());
    object->m_context = this;
    object->m_entity = &entity;
    object->m_id = persistentStoreCoordinator()->makeTemporaryID(entityName);
    object->m_inserted = true;
    for (const AttributeDescription& attribute : entity.attributes()) {
        if (attribute.defaultValue.isValid())
            object->setPrimitiveValue(attribute.defaultValue, attribute.name);
    }
    ManagedObject* result = object.get();
    m_objects.emplace(result->m_id, std::move(object));
    m_registrationOrder.push_back(result);
    noteInserted(result);
    registerUndo(UndoEntry{UndoEntry::Kind::Insert, result->m_id, {}, {}, {}});
    result->awakeFromInsert();
    return result;
}

ManagedObject* ManagedObjectContext::materialize(const ManagedObjectID& id, const ObjectSnapshot& snapshot,
                                                 std::vector<ManagedObject*>& fetched)
{
    const EntityDescription& entity = requireEntity(id.entityName());
    std::unique_ptr<ManagedObject> object =
        ManagedObjectClassRegistry::makeObject(entity.managedObjectClassName());
    object->m_context = this;
    object->m_entity = &entity;
    object->m_id = id;
    object->m_values = snapshot;
    object->m_committed = snapshot;
    object->m_existsInSource = true;
    ManagedObject* result = object.get();
    m_objects.emplace(id, std::move(object));
    m_registrationOrder.push_back(result);
    fetched.push_back(result);
    return result;
}

void ManagedObjectContext::awake(const std::vector<ManagedObject*>& fetched)
{
    for (ManagedObject* object : fetched)
        object->awakeFromFetch();
}

ManagedObject* ManagedObjectContext::objectForID(const ManagedObjectID& id)
{
    if (id.isNull())
        return nullptr;
    if (ManagedObject* object = registered(id))
        return object;
    std::optional<ObjectSnapshot> snapshot = sourceRow(id);
    if (!snapshot)
        return nullptr;
    std::vector<ManagedObject*> fetched;
    ManagedObject* object = materialize(id, *snapshot, fetched);
    awake(fetched);
    return object;
}

ManagedObject* ManagedObjectContext::objectWithID(const ManagedObjectID& id)
{
    ManagedObject* object = objectForID(id);
    if (!object || (!isPresent(object) && !object->m_deleted))
        return nullptr;
    return object;
}

Result<ManagedObject*> ManagedObjectContext::existingObject(const ManagedObjectID& id)
{
    ManagedObject* object = objectForID(id);
    if (!object || !isPresent(object))
        return failure(Error::Code::ObjectNotFound,
                       "There is no object with the ID " + id.uriRepresentation().toString() + ".");
    return object;
}

void ManagedObjectContext::deleteObject(ManagedObject* object)
{
    if (!object)
        return;
    if (object->m_context != this)
        foundation::fatal("An object can only be deleted from its own context");
    if (!isPresent(object))
        return;
    std::vector<ManagedObject*> deleting;
    deleteRecursively(object, deleting);
}

void ManagedObjectContext::deleteRecursively(ManagedObject* object, std::vector<ManagedObject*>& deleting)
{
    if (!isPresent(object))
        return;
    setPresent(object, false);
    deleting.push_back(object);
    object->prepareForDeletion();
    for (const RelationshipDescription& relationship : object->entity().relationships()) {
        const QList<ManagedObject*> targets = object->relatedObjects(relationship.name);
        switch (relationship.deleteRule) {
        case DeleteRule::Cascade:
            for (ManagedObject* target : targets)
                deleteRecursively(target, deleting);
            break;
        case DeleteRule::Nullify:
            for (ManagedObject* target : targets) {
                if (relationship.inverseRelationship && isPresent(target))
                    target->unlink(*relationship.inverseRelationship, object);
            }
            if (!targets.isEmpty())
                object->setLinks(relationship.name, {});
            break;
        case DeleteRule::Deny:
        case DeleteRule::NoAction:
            break;
        }
    }
}

void ManagedObjectContext::setPresent(ManagedObject* object, bool present)
{
    if (present == isPresent(object))
        return;
    if (!present) {
        object->m_deleted = true;
        noteDeleted(object);
        registerUndo(UndoEntry{UndoEntry::Kind::Delete, object->m_id, {}, {}, {}});
        return;
    }
    object->m_deleted = false;
    if (!object->m_existsInSource)
        object->m_inserted = true;
    noteInserted(object);
    registerUndo(UndoEntry{UndoEntry::Kind::Insert, object->m_id, {}, {}, {}});
}

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

bool ManagedObjectContext::objectMatches(const ManagedObject& object, const Predicate& predicate) const
{
    return predicate.matches(object.entity(), object.m_values);
}

Result<QList<SourceRow>> ManagedObjectContext::sourceRows(const EntityDescription& entity,
                                                          const Predicate& predicate)
{
    if (m_parent) {
        Result<QList<SourceRow>> rows = QList<SourceRow>();
        m_parent->performAndWait([&] { rows = m_parent->rowsForChild(entity, predicate); });
        return rows;
    }
    if (!m_coordinator)
        return failure(Error::Code::NoStore,
                       "The context has no parent context and no persistent store coordinator.");
    return m_coordinator->fetchRows(entity, predicate);
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
    Result<QList<SourceRow>> rows = sourceRows(entity, predicate);
    if (!rows)
        return rows;
    QList<SourceRow> result;
    QSet<ManagedObjectID> seen;
    for (SourceRow& row : *rows) {
        seen.insert(row.id);
        if (ManagedObject* object = registered(row.id)) {
            if (isPresent(object) && objectMatches(*object, predicate))
                result.append(SourceRow{row.id, object->snapshot()});
            continue;
        }
        result.append(std::move(row));
    }
    for (ManagedObject* object : m_registrationOrder) {
        if (&object->entity() != &entity || seen.contains(object->m_id) || !isPresent(object))
            continue;
        if ((object->m_inserted || object->m_updated) && objectMatches(*object, predicate))
            result.append(SourceRow{object->m_id, object->snapshot()});
    }
    return result;
}

std::optional<ObjectSnapshot> ManagedObjectContext::rowForChild(const ManagedObjectID& id)
{
    if (ManagedObject* object = registered(id)) {
        if (!isPresent(object))
            return std::nullopt;
        return object->snapshot();
    }
    return sourceRow(id);
}

Result<QList<ManagedObject*>> ManagedObjectContext::execute(const FetchRequest& request)
{
    const EntityDescription* entity = managedObjectModel().entity(request.entityName);
    if (!entity)
        return failure(Error::Code::ObjectNotFound,
                       "The model has no entity named \"" + request.entityName + "\".");
    if (!request.predicate.isAll() && !entity->hasProperty(request.predicate.key()))
        return failure(Error::Code::ObjectNotFound,
                       "The entity " + entity->name() + " has no key \"" + request.predicate.key() + "\".");
    for (const SortDescriptor& sort : request.sortDescriptors) {
        if (!entity->attribute(sort.key))
            return failure(Error::Code::ObjectNotFound, "The entity " + entity->name() +
                                                            " has no attribute \"" + sort.key +
                                                            "\" to sort by.");
    }
    const Predicate predicate =
        request.predicate.isAll()
            ? request.predicate
            : Predicate::equal(request.predicate.key(), normalizedPredicateValue(request.predicate.value()));

    Result<QList<SourceRow>> rows = sourceRows(*entity, predicate);
    if (!rows)
        return failure(rows.error());

    std::vector<ManagedObject*> fetched;
    QList<ManagedObject*> results;
    QSet<ManagedObject*> seen;
    for (const SourceRow& row : *rows) {
        ManagedObject* object = registered(row.id);
        if (object && object->m_detached)
            continue;
        if (!object)
            object = materialize(row.id, row.snapshot, fetched);
        else if (request.includesPendingChanges && !isPresent(object))
            continue;
        if (request.includesPendingChanges && !objectMatches(*object, predicate))
            continue;
        if (!seen.contains(object)) {
            seen.insert(object);
            results.append(object);
        }
    }
    if (request.includesPendingChanges) {
        for (ManagedObject* object : m_registrationOrder) {
            if (&object->entity() != entity || seen.contains(object) || !isPresent(object))
                continue;
            if ((object->m_inserted || object->m_updated) && objectMatches(*object, predicate))
                results.append(object);
        }
    }
    if (!request.sortDescriptors.isEmpty()) {
        std::stable_sort(results.begin(), results.end(), [&](ManagedObject* a, ManagedObject* b) {
            for (const SortDescriptor& sort : request.sortDescriptors) {
                const int order = compareValues(a->m_values.attributes.value(sort.key),
                                                b->m_values.attributes.value(sort.key));
                if (order != 0)
                    return sort.ascending ? order < 0 : order > 0;
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

bool ManagedObjectContext::hasChanges() const
{
    return std::any_of(
        m_registrationOrder.begin(), m_registrationOrder.end(), [](const ManagedObject* object) {
            return !object->m_detached && (object->m_inserted || object->m_updated || object->m_deleted);
        });
}

QList<ManagedObject*> ManagedObjectContext::insertedObjects() const
{
    QList<ManagedObject*> objects;
    for (ManagedObject* object : m_registrationOrder) {
        if (object->isInserted())
            objects.append(object);
    }
    return objects;
}

QList<ManagedObject*> ManagedObjectContext::updatedObjects() const
{
    QList<ManagedObject*> objects;
    for (ManagedObject* object : m_registrationOrder) {
        if (object->isUpdated())
            objects.append(object);
    }
    return objects;
}

QList<ManagedObject*> ManagedObjectContext::deletedObjects() const
{
    QList<ManagedObject*> objects;
    for (ManagedObject* object : m_registrationOrder) {
        if (object->m_deleted && object->m_existsInSource)
            objects.append(object);
    }
    return objects;
}

QList<ManagedObject*> ManagedObjectContext::registeredObjects() const
{
    return QList<ManagedObject*>(m_registrationOrder.begin(), m_registrationOrder.end());
}

void ManagedObjectContext::noteChanged(ManagedObject* object)
{
    if (object->m_detached || object->m_context != this)
        return;
    if (!object->m_inserted && !object->m_updated)
        object->m_updated = true;
    if (!object->m_inserted && !object->m_deleted && !m_pending.updated.contains(object))
        m_pending.updated.append(object);
    scheduleEndOfPass();
}

void ManagedObjectContext::noteInserted(ManagedObject* object)
{
    if (m_pending.deleted.removeOne(object)) {
        m_pending.updated.append(object);
    } else {
        m_pending.inserted.append(object);
    }
    scheduleEndOfPass();
}

void ManagedObjectContext::noteDeleted(ManagedObject* object)
{
    m_pending.updated.removeOne(object);
    if (!m_pending.inserted.removeOne(object))
        m_pending.deleted.append(object);
    scheduleEndOfPass();
}

void ManagedObjectContext::scheduleEndOfPass()
{
    if (m_endOfPassScheduled || m_type == ConcurrencyType::PrivateQueue)
        return;
    m_endOfPassScheduled = true;
    QMetaObject::invokeMethod(
        this, [this] { endOfPass(); }, Qt::QueuedConnection);
}

void ManagedObjectContext::endOfPass()
{
    m_endOfPassScheduled = false;
    processPendingChanges();
    if (m_undoGroupDepth == 0)
        closeUndoGroup();
}

void ManagedObjectContext::processPendingChanges()
{
    if (m_pending.isEmpty())
        return;
    const ObjectChanges changes = std::exchange(m_pending, ObjectChanges());
    emit objectsDidChange(changes);
}

void ManagedObjectContext::setUndoStack(QUndoStack* stack)
{
    m_undoStack = stack;
    m_openUndoGroup = nullptr;
}

void ManagedObjectContext::registerUndo(UndoEntry entry)
{
    if (!m_undoStack || m_applyingUndo)
        return;
    // The open group must still be the stack's top command; the stack may have been cleared since.
    const int top = m_undoStack->index();
    const auto* topGroup =
        top > 0 ? dynamic_cast<const UndoGroupCommand*>(m_undoStack->command(top - 1)) : nullptr;
    if (!m_openUndoGroup || topGroup != m_openUndoGroup || !topGroup->belongsTo(this)) {
        auto group = std::make_unique<UndoGroupCommand>(this);
        m_openUndoGroup = group.get();
        m_undoStack->push(group.release());
        scheduleEndOfPass();
    }
    m_openUndoGroup->append(std::move(entry));
}

void ManagedObjectContext::closeUndoGroup()
{
    m_openUndoGroup = nullptr;
}

void ManagedObjectContext::beginUndoGroup()
{
    if (m_undoGroupDepth++ == 0)
        closeUndoGroup();
}

void ManagedObjectContext::endUndoGroup()
{
    if (--m_undoGroupDepth == 0)
        closeUndoGroup();
}

void ManagedObjectContext::applyUndoEntries(const std::vector<UndoEntry>& entries, UndoDirection direction)
{
    const bool backwards = direction == UndoDirection::Undo;
    closeUndoGroup();
    m_applyingUndo = true;
    auto apply = [&](const UndoEntry& entry) {
        ManagedObject* object = objectForID(entry.id);
        if (!object || object->m_detached)
            return;
        switch (entry.kind) {
        case UndoEntry::Kind::Value: {
            const QVariant& value = backwards ? entry.before : entry.after;
            if (object->entity().attribute(entry.key)) {
                object->willChangeValueForKey(entry.key);
                if (value.isValid())
                    object->m_values.attributes.insert(entry.key, value);
                else
                    object->m_values.attributes.remove(entry.key);
                object->didChangeValueForKey(entry.key);
            } else {
                object->setLinks(entry.key, value.value<QList<ManagedObjectID>>());
            }
            break;
        }
        case UndoEntry::Kind::Insert:
            setPresent(object, !backwards);
            break;
        case UndoEntry::Kind::Delete:
            setPresent(object, backwards);
            break;
        }
    };
    if (backwards) {
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            apply(*it);
    } else {
        for (const UndoEntry& entry : entries)
            apply(entry);
    }
    m_applyingUndo = false;
    processPendingChanges();
}

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
            if (relationship.deleteRule != DeleteRule::Deny)
                continue;
            const QList<ManagedObject*> targets = object->relatedObjects(relationship.name);
            if (std::any_of(targets.begin(), targets.end(), [&](ManagedObject* t) { return isPresent(t); }))
                return failure(Error::Code::DeleteDenied, "The " + object->entity().name() +
                                                              " cannot be deleted while its \"" +
                                                              relationship.name + "\" still has objects.");
        }
    }
    return {};
}

Result<void> ManagedObjectContext::save()
{
    processPendingChanges();
    auto collect = [this](std::vector<ManagedObject*>& saving, std::vector<ManagedObject*>& deleting) {
        saving.clear();
        deleting.clear();
        for (ManagedObject* object : m_registrationOrder) {
            if (object->m_detached)
                continue;
            if (object->m_deleted) {
                if (object->m_existsInSource)
                    deleting.push_back(object);
            } else if (object->m_inserted || (object->m_updated && object->m_existsInSource)) {
                saving.push_back(object);
            }
        }
    };
    std::vector<ManagedObject*> saving;
    std::vector<ManagedObject*> deleting;
    collect(saving, deleting);
    for (ManagedObject* object : saving)
        object->willSave();
    processPendingChanges();
    collect(saving, deleting);
    if (saving.empty() && deleting.empty() && !hasChanges())
        return {};
    if (Result<void> valid = validateChanges(saving, deleting); !valid)
        return valid;

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
    } else if (!m_coordinator) {
        return failure(Error::Code::NoStore,
                       "The context has no parent context and no persistent store coordinator.");
    } else if (Result<void> saved = m_coordinator->save(changes); !saved) {
        return saved;
    }

    ObjectChanges saved;
    for (ManagedObject* object : saving) {
        (object->m_inserted ? saved.inserted : saved.updated).append(object);
        object->m_inserted = false;
        object->m_updated = false;
        object->m_existsInSource = true;
        object->m_committed = object->m_values;
    }
    for (ManagedObject* object : m_registrationOrder) {
        if (object->m_deleted) {
            if (object->m_existsInSource)
                saved.deleted.append(object);
            object->m_deleted = false;
            object->m_inserted = false;
            object->m_updated = false;
            object->m_existsInSource = false;
        }
    }
    emit didSave(saved);
    return {};
}

void ManagedObjectContext::applyChildChanges(const SaveChanges& changes)
{
    std::vector<ManagedObject*> fetched;
    auto applyValues = [&](ManagedObject* object, const ObjectSnapshot& snapshot) {
        for (const AttributeDescription& attribute : object->entity().attributes()) {
            const QVariant value = snapshot.attributes.value(attribute.name);
            if (valuesEqual(object->m_values.attributes.value(attribute.name), value) &&
                value.typeId() == object->m_values.attributes.value(attribute.name).typeId())
                continue;
            object->willChangeValueForKey(attribute.name);
            if (value.isValid())
                object->m_values.attributes.insert(attribute.name, value);
            else
                object->m_values.attributes.remove(attribute.name);
            object->didChangeValueForKey(attribute.name);
        }
        for (const RelationshipDescription& relationship : object->entity().relationships()) {
            const QList<ManagedObjectID> ids = snapshot.relationships.value(relationship.name);
            if (ids != object->m_values.relationships.value(relationship.name))
                object->setLinks(relationship.name, ids);
        }
    };

    for (const ChangeRecord& record : changes.inserted) {
        if (ManagedObject* object = registered(record.id)) {
            setPresent(object, true);
            continue;
        }
        std::unique_ptr<ManagedObject> object =
            ManagedObjectClassRegistry::makeObject(record.entity->managedObjectClassName());
        object->m_context = this;
        object->m_entity = record.entity;
        object->m_id = record.id;
        object->m_values = record.snapshot;
        object->m_inserted = true;
        ManagedObject* result = object.get();
        m_objects.emplace(record.id, std::move(object));
        m_registrationOrder.push_back(result);
        noteInserted(result);
        registerUndo(UndoEntry{UndoEntry::Kind::Insert, record.id, {}, {}, {}});
    }
    // Objects re-inserted above take their values now, like updated ones.
    for (const ChangeRecord& record : changes.inserted) {
        ManagedObject* object = registered(record.id);
        if (object && object->m_values.attributes != record.snapshot.attributes)
            applyValues(object, record.snapshot);
    }
    for (const ChangeRecord& record : changes.updated) {
        ManagedObject* object = registered(record.id);
        if (!object) {
            std::optional<ObjectSnapshot> snapshot = sourceRow(record.id);
            if (!snapshot)
                continue;
            object = materialize(record.id, *snapshot, fetched);
        }
        applyValues(object, record.snapshot);
    }
    for (const ChangeRecord& record : changes.deleted) {
        if (ManagedObject* object = objectForID(record.id))
            setPresent(object, false);
    }
    awake(fetched);
    processPendingChanges();
}

void ManagedObjectContext::rollback()
{
    ObjectChanges changes;
    for (ManagedObject* object : m_registrationOrder) {
        if (object->m_detached || !(object->m_inserted || object->m_updated || object->m_deleted))
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
        object->m_values = object->m_committed;
        object->m_updated = false;
        object->m_deleted = false;
        object->m_inserted = false;
        object->m_changeStarts.clear();
        for (const QString& key : keys)
            emit object->valueChangedForKey(key);
    }
    m_pending = ObjectChanges();
    if (m_undoStack)
        m_undoStack->clear();
    m_openUndoGroup = nullptr;
    if (!changes.isEmpty())
        emit objectsDidChange(changes);
}

void ManagedObjectContext::reset()
{
    if (m_undoStack)
        m_undoStack->clear();
    m_openUndoGroup = nullptr;
    for (auto& [id, object] : m_objects) {
        object->m_detached = true;
        m_detached.push_back(std::move(object));
    }
    m_objects.clear();
    m_registrationOrder.clear();
    m_pending = ObjectChanges();
}

} // namespace store
