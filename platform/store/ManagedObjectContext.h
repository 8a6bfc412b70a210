#pragma once

#include "store/FetchRequest.h"
#include "store/IdentityMap.h"
#include "store/ManagedObjectID.h"
#include "store/ObjectChanges.h"
#include "store/ObjectSnapshot.h"
#include "store/PendingChanges.h"
#include "store/Result.h"
#include "store/SaveChanges.h"
#include "store/UndoDirection.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QUndoStack>
#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace store {

class EntityDescription;
class ManagedObject;
class ManagedObjectModel;
class PersistentStoreCoordinator;
class SaveJournal;
class SerialExecutor;
class UndoGroupCommand;
struct UndoEntry;

// A scratch pad of objects over a coordinator (a root context) or over another context (a child
// context, whose save pushes its changes into the parent, which stays unsaved).
//
// A main-queue context belongs to the thread it lives in (the main thread); a private-queue context has
// a serial queue of its own. Objects and the context are used only on the context's queue: inside
// perform / performAndWait, or directly on the thread of a main-queue context.
//
// Change notifications: objectsDidChange once per pass of the event loop (for private-queue contexts:
// after each performed block) and on processPendingChanges; didSave after a successful save.
//
// The context owns its objects. It lets go of an object once its deletion is saved, once its insertion
// is rolled back, and on reset; such an object stays valid until the end of the current pass of the
// event loop (private queue: until the performed block ends), or while an undo step may bring it back.
class ManagedObjectContext : public QObject
{
    Q_OBJECT

public:
    enum class ConcurrencyType
    {
        mainQueue,
        privateQueue
    };

    explicit ManagedObjectContext(ConcurrencyType type, QObject* parent = nullptr);
    ~ManagedObjectContext() override;

    ConcurrencyType concurrencyType() const { return m_type; }
    void setPersistentStoreCoordinator(std::shared_ptr<PersistentStoreCoordinator> coordinator);
    // The root's coordinator for child contexts.
    PersistentStoreCoordinator* persistentStoreCoordinator() const;
    // The parent must outlive the child.
    void setParentContext(ManagedObjectContext* parent);
    ManagedObjectContext* parentContext() const { return m_parent; }
    // The coordinator's model; fatal when the context has neither coordinator nor parent.
    const ManagedObjectModel& managedObjectModel() const;

    // Runs block on the context's queue later (perform) or now, waiting for the queue (performAndWait).
    // performAndWait runs at once when called from inside the context's queue; an exception thrown by
    // its block reaches its caller.
    void perform(std::function<void()> block);
    void performAndWait(const std::function<void()>& block);

    // A new object of the entity, with its attribute defaults, after awakeFromInsert. Fatal for an entity
    // the model lacks.
    ManagedObject* insertNewObject(const QString& entityName);
    // Marks the object deleted, runs prepareForDeletion and then the delete rules of its relationships.
    void deleteObject(ManagedObject* object);
    // The object with this ID, fetched from the parent or store when needed; none when there is no
    // such object.
    ManagedObject* objectWithID(const ManagedObjectID& id);
    Result<ManagedObject*> existingObject(const ManagedObjectID& id);
    Result<QList<ManagedObject*>> execute(const FetchRequest& request);
    Result<qsizetype> count(const FetchRequest& request);
    // The value of the attribute key of each object request finds, as execute finds them (sort
    // descriptors and the limit aside), without making objects of the rows it reads: for a look at one
    // value of many objects, such as the names that must stay unique.
    Result<QList<QVariant>> fetchValues(const FetchRequest& request, const QString& key);

    bool hasChanges() const;
    // Whether objects changed that objectsDidChange has not reported yet.
    bool hasUnreportedChanges() const { return !m_pending.isEmpty(); }
    QList<ManagedObject*> insertedObjects() const;
    QList<ManagedObject*> updatedObjects() const;
    QList<ManagedObject*> deletedObjects() const;
    QList<ManagedObject*> registeredObjects() const;

    // Runs willSave, validates and writes the changes into the parent context or into the store in one
    // transaction. On failure the context (including willSave's edits), the parent and the store are as
    // they were; observers hear of values that willSave had changed and that come back.
    Result<void> save();
    // While a save validates its objects: a value that validation works out once for all the objects it
    // checks rather than once per object (the names that must stay unique, say), made by make on the
    // first request under key and forgotten when the validation ends. Outside a save's validation, what
    // make answers, kept nowhere.
    template <typename T> T validationValue(const QString& key, const std::function<T()>& make);
    // A value the next save's validation would work out under key, known already to whoever changed the
    // objects last: that save takes it rather than making it. Any later change of the context's objects,
    // a rollback or a reset forgets it, and so does the save. The caller answers for the source (the
    // parent context or the store) not changing meanwhile.
    void keepValidationValue(const QString& key, const std::any& value);
    void processPendingChanges();
    // Forgets unsaved changes (objects return to their saved values) and clears the undo stack.
    void rollback();
    // Forgets every object; objects handed out before belong to no context and stay valid until the
    // end of the pass.
    void reset();

    // Undo manager, not owned. Changes group into one undo step per pass of the event loop, or per
    // ScopedUndoGroup while one is open.
    void setUndoStack(QUndoStack* stack);
    QUndoStack* undoStack() const { return m_undoStack; }

signals:
    void objectsDidChange(const store::ObjectChanges& changes);
    void didSave(const store::ObjectChanges& changes);

private:
    friend class ManagedObject;
    friend class ScopedUndoGroup;
    friend class UndoGroupCommand;

    bool isOnQueue() const;
    void runPerformed(const std::function<void()>& block); // on the private queue
    const EntityDescription& requireEntity(const QString& name) const;
    ManagedObject* registered(const ManagedObjectID& id) const { return m_objects.find(id); }
    // The one place objects come into the context: a new object, or one the source holds.
    ManagedObject* adopt(const EntityDescription& entity, const ManagedObjectID& id, ObjectSnapshot values,
                         bool existsInSource);
    ManagedObject* materialize(const EntityDescription& entity, SourceRow&& row,
                               std::vector<ManagedObject*>& fetched);
    // Runs awakeFromFetch on objects just brought in. Waking is part of loading, not an edit: what the
    // hooks store (transient values, caches) records no undo step, marks no object updated and becomes
    // the woken object's loaded state, which rollback returns to.
    void awake(const std::vector<ManagedObject*>& fetched);
    bool isAwaking() const { return m_awakeDepth > 0; }
    ManagedObject* objectForID(const ManagedObjectID& id); // materializes; also deleted ones
    // Keeps objects the context let go of alive until the end of the pass.
    void release(std::vector<std::shared_ptr<ManagedObject>> objects);
    // Lets go of objects that are no longer part of the graph nor waiting to be saved.
    void releaseForgotten();

    // Reading the source: the parent context (on its queue) or the coordinator. For a fetch that merges
    // pending changes, the rows of registered objects, which stand for them, come with their ID alone.
    Result<QList<SourceRow>> sourceRows(const EntityDescription& entity, const Predicate& predicate,
                                        bool mergesPendingChanges);
    std::optional<ObjectSnapshot> sourceRow(const ManagedObjectID& id);
    // Serving a child; called on this context's queue.
    Result<QList<SourceRow>> rowsForChild(const EntityDescription& entity, const Predicate& predicate);
    std::optional<ObjectSnapshot> rowForChild(const ManagedObjectID& id);
    void applyChildChanges(const SaveChanges& changes);
    void applyValues(ManagedObject& object, const ObjectSnapshot& values);

    QVariant normalizedPredicateValue(const QVariant& value) const;
    // The entity of request and its predicate with object values as their IDs, or why there is none.
    Result<std::pair<const EntityDescription*, Predicate>> resolved(const FetchRequest& request) const;

    void noteWillModify(ManagedObject& object);
    void noteChanged(ManagedObject* object);
    void noteInserted(ManagedObject* object);
    void noteDeleted(ManagedObject* object);
    void setPresent(ManagedObject* object, bool present);
    void scheduleEndOfPass();
    void endOfPass();
    void registerUndo(UndoEntry entry);
    void closeUndoGroup();
    void beginUndoGroup(const QString& name);
    void endUndoGroup();
    void applyUndoEntries(const std::vector<UndoEntry>& entries, UndoDirection direction);
    void deleteRecursively(ManagedObject* object);
    Result<void> validateChanges(const std::vector<ManagedObject*>& saving,
                                 const std::vector<ManagedObject*>& deleting);
    void collectChanges(std::vector<ManagedObject*>& saving, std::vector<ManagedObject*>& deleting) const;
    Result<void> writeChanges(const std::vector<ManagedObject*>& saving,
                              const std::vector<ManagedObject*>& deleting);
    void revertSave();

    ConcurrencyType m_type;
    std::unique_ptr<SerialExecutor> m_executor;
    std::shared_ptr<PersistentStoreCoordinator> m_coordinator;
    ManagedObjectContext* m_parent = nullptr;
    IdentityMap m_objects;
    std::vector<std::shared_ptr<ManagedObject>> m_released; // let go of; freed at the end of the pass
    PendingChanges m_pending;
    std::unique_ptr<SaveJournal> m_saveJournal; // while a save runs willSave and writes
    bool m_endOfPassScheduled = false;
    int m_performDepth = 0;
    QPointer<QUndoStack> m_undoStack;
    UndoGroupCommand* m_openUndoGroup = nullptr;
    int m_undoGroupDepth = 0; // open ScopedUndoGroups
    QString m_undoGroupName;  // of the outermost one
    bool m_applyingUndo = false;
    int m_awakeDepth = 0; // awakeFromFetch hooks running, nested when a hook fetches
    std::optional<QHash<QString, std::any>> m_validationValues; // while a save validates
    QHash<QString, std::any> m_keptValidationValues;            // for the next save, until a change
};

template <typename T>
T ManagedObjectContext::validationValue(const QString& key, const std::function<T()>& make)
{
    if (!m_validationValues)
        return make();
    auto found = m_validationValues->find(key);
    if (found == m_validationValues->end())
        found = m_validationValues->insert(key, std::any(make()));
    return std::any_cast<T>(*found);
}

} // namespace store
