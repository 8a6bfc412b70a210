#include "store/ManagedObjectContext.h"

#include "foundation/Fatal.h"
#include "foundation/QueuedCall.h"
#include "store/EntityDescription.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectClassRegistry.h"
#include "store/ManagedObjectModel.h"
#include "store/PersistentStoreCoordinator.h"
#include "store/SaveJournal.h"
#include "store/SerialExecutor.h"
#include "store/UndoEntry.h"

#include <QThread>
#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>

namespace store {

ManagedObjectContext::ManagedObjectContext(ConcurrencyType type, QObject* parent)
    : QObject(parent)
    , m_type(type)
{
    if (type == ConcurrencyType::privateQueue)
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
    if (m_type == ConcurrencyType::privateQueue)
        return m_executor->isCurrent();
    return QThread::currentThread() == thread();
}

void ManagedObjectContext::perform(std::function<void()> block)
{
    if (m_type == ConcurrencyType::privateQueue) {
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
    if (m_type == ConcurrencyType::privateQueue) {
        m_executor->sync([this, &block] { runPerformed(block); });
        return;
    }
    if (isOnQueue()) {
        block();
        return;
    }
    // Handed to the context's thread; the hand-over and the wait use standard primitives so that thread
    // checkers see them. An exception of the block is handed back to this thread.
    std::mutex mutex;
    std::condition_variable condition;
    bool done = false;
    std::exception_ptr exception;
    foundation::postQueuedCall(this, [&] {
        try {
            block();
        } catch (...) {
            exception = std::current_exception();
        }
        std::lock_guard lock(mutex);
        done = true;
        condition.notify_all();
    });
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

ManagedObject* ManagedObjectContext::adopt(const EntityDescription& entity, const ManagedObjectID& id,
                                           ObjectSnapshot values, bool existsInSource)
{
    std::shared_ptr<ManagedObject> object =
        ManagedObjectClassRegistry::makeObject(entity.managedObjectClassName());
    object->m_context = this;
    object->m_entity = &entity;
    object->m_id = id;
    object->m_values = std::move(values);
    object->m_values.attributes.resize(entity.attributes().size());
    object->m_values.relationships.resize(entity.relationships().size());
    object->m_existsInSource = existsInSource;
    if (!existsInSource) {
        // Nothing of a new object is saved yet.
        object->m_inserted = true;
        object->m_committed = std::make_unique<ObjectSnapshot>(ObjectSnapshot::shapedFor(entity));
    }
    ManagedObject* result = object.get();
    m_objects.add(std::move(object));
    return result;
}

ManagedObject* ManagedObjectContext::insertNewObject(const QString& entityName)
{
    const EntityDescription& entity = requireEntity(entityName);
    ManagedObject* object = adopt(entity, persistentStoreCoordinator()->makeTemporaryID(entityName),
                                  ObjectSnapshot::shapedFor(entity), false);
    if (m_saveJournal)
        m_saveJournal->recordInsertion(*object);
    for (const AttributeDescription& attribute : entity.attributes()) {
        if (attribute.defaultValue.isValid())
            object->setPrimitiveValue(attribute.defaultValue, attribute.name);
    }
    noteInserted(object);
    registerUndo(
        UndoEntry{UndoEntry::Kind::insertion, object->m_id, {}, {}, {}, m_objects.share(object->m_id)});
    object->awakeFromInsert();
    return object;
}

ManagedObject* ManagedObjectContext::materialize(const EntityDescription& entity, SourceRow&& row,
                                                 std::vector<ManagedObject*>& fetched)
{
    ManagedObject* object = adopt(entity, row.id, std::move(row.snapshot), true);
    fetched.push_back(object);
    return object;
}

void ManagedObjectContext::awake(const std::vector<ManagedObject*>& fetched)
{
    ++m_awakeDepth;
    struct Leave
    {
        int& depth;
        ~Leave() { --depth; }
    } leave{m_awakeDepth};
    for (ManagedObject* object : fetched) {
        object->awakeFromFetch();
        // A fetched object had no changes before its hook ran, so what it holds now is what it loaded.
        object->m_committed.reset();
    }
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
    ManagedObject* object =
        materialize(requireEntity(id.entityName()), SourceRow{id, std::move(*snapshot)}, fetched);
    awake(fetched);
    return object;
}

ManagedObject* ManagedObjectContext::objectWithID(const ManagedObjectID& id)
{
    ManagedObject* object = objectForID(id);
    if (!object || (!object->isPresent() && !object->m_deleted))
        return nullptr;
    return object;
}

Result<ManagedObject*> ManagedObjectContext::existingObject(const ManagedObjectID& id)
{
    ManagedObject* object = objectForID(id);
    if (!object || !object->isPresent())
        return failure(Error::Code::objectNotFound,
                       "There is no object with the ID " + id.uriRepresentation().toString() + ".");
    return object;
}

void ManagedObjectContext::release(std::vector<std::shared_ptr<ManagedObject>> objects)
{
    if (objects.empty())
        return;
    m_released.insert(m_released.end(), std::make_move_iterator(objects.begin()),
                      std::make_move_iterator(objects.end()));
    scheduleEndOfPass();
}

void ManagedObjectContext::releaseForgotten()
{
    release(m_objects.removeIf([](const ManagedObject& object) {
        return !object.m_inserted && !object.m_deleted && !object.m_existsInSource;
    }));
}

void ManagedObjectContext::deleteObject(ManagedObject* object)
{
    if (!object)
        return;
    if (object->m_context != this)
        foundation::fatal("An object can only be deleted from its own context");
    deleteRecursively(object);
}

void ManagedObjectContext::deleteRecursively(ManagedObject* object)
{
    if (!object->isPresent())
        return;
    setPresent(object, false);
    object->prepareForDeletion();
    for (const RelationshipDescription& relationship : object->entity().relationships()) {
        const QList<ManagedObject*> targets = object->relatedObjects(relationship.name);
        switch (relationship.deleteRule) {
        case DeleteRule::cascade:
            for (ManagedObject* target : targets)
                deleteRecursively(target);
            break;
        case DeleteRule::nullify:
            for (ManagedObject* target : targets) {
                if (relationship.inverseRelationship && target->isPresent())
                    target->unlink(*relationship.inverseRelationship, object);
            }
            if (!targets.isEmpty())
                object->setLinks(relationship.name, {});
            break;
        case DeleteRule::deny:
        case DeleteRule::noAction:
            break;
        }
    }
}

void ManagedObjectContext::setPresent(ManagedObject* object, bool present)
{
    if (present == object->isPresent())
        return;
    if (m_saveJournal)
        m_saveJournal->recordObject(*object);
    const UndoEntry::Kind kind = present ? UndoEntry::Kind::insertion : UndoEntry::Kind::deletion;
    if (!present) {
        object->m_deleted = true;
        noteDeleted(object);
    } else {
        object->m_deleted = false;
        if (!object->m_existsInSource)
            object->m_inserted = true;
        noteInserted(object);
    }
    registerUndo(UndoEntry{kind, object->m_id, {}, {}, {}, m_objects.share(object->m_id)});
}

bool ManagedObjectContext::hasChanges() const
{
    const std::vector<ManagedObject*>& objects = m_objects.objects();
    return std::any_of(objects.begin(), objects.end(),
                       [](const ManagedObject* object) { return object->hasChanges(); });
}

QList<ManagedObject*> ManagedObjectContext::insertedObjects() const
{
    QList<ManagedObject*> objects;
    for (ManagedObject* object : m_objects.objects()) {
        if (object->isInserted())
            objects.append(object);
    }
    return objects;
}

QList<ManagedObject*> ManagedObjectContext::updatedObjects() const
{
    QList<ManagedObject*> objects;
    for (ManagedObject* object : m_objects.objects()) {
        if (object->isUpdated())
            objects.append(object);
    }
    return objects;
}

QList<ManagedObject*> ManagedObjectContext::deletedObjects() const
{
    QList<ManagedObject*> objects;
    for (ManagedObject* object : m_objects.objects()) {
        if (object->m_deleted && object->m_existsInSource)
            objects.append(object);
    }
    return objects;
}

QList<ManagedObject*> ManagedObjectContext::registeredObjects() const
{
    return QList<ManagedObject*>(m_objects.objects().begin(), m_objects.objects().end());
}

void ManagedObjectContext::noteWillModify(ManagedObject& object)
{
    m_keptValidationValues.clear();
    if (m_saveJournal)
        m_saveJournal->recordObject(object);
}

void ManagedObjectContext::noteChanged(ManagedObject* object)
{
    m_keptValidationValues.clear();
    if (!object->m_registered || object->m_context != this || isAwaking())
        return;
    if (!object->m_inserted && !object->m_updated)
        object->m_updated = true;
    // An object inserted in an earlier pass is reported as updated when it changes, saved or not.
    if (!object->m_deleted)
        m_pending.noteChanged(object);
    scheduleEndOfPass();
}

void ManagedObjectContext::noteInserted(ManagedObject* object)
{
    m_keptValidationValues.clear();
    m_pending.noteInserted(object);
    scheduleEndOfPass();
}

void ManagedObjectContext::noteDeleted(ManagedObject* object)
{
    m_keptValidationValues.clear();
    m_pending.noteDeleted(object);
    scheduleEndOfPass();
}

void ManagedObjectContext::scheduleEndOfPass()
{
    if (m_endOfPassScheduled || m_type == ConcurrencyType::privateQueue)
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
    // Last: observers told above may still look at the objects let go of.
    m_released.clear();
}

void ManagedObjectContext::processPendingChanges()
{
    if (m_pending.isEmpty())
        return;
    const ObjectChanges changes = m_pending.take();
    emit objectsDidChange(changes);
}

} // namespace store
