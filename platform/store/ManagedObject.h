#pragma once

#include "foundation/KeyValueObject.h"
#include "store/ManagedObjectID.h"
#include "store/ObjectSnapshot.h"
#include "store/Result.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

namespace store {

class EntityDescription;
class ManagedObjectContext;
struct RelationshipDescription;

// An object of the graph: one entity's attributes and relationships, owned by the context that made
// or fetched it and used only on that context's queue.
//
// Keys are the entity's property names. valueForKey answers an attribute's value (invalid when missing),
// a to-one relationship's ManagedObject* (invalid when none) or a to-many relationship's
// QList<ManagedObject*> (in order for ordered relationships). Notifying setters store, keep inverse
// relationships, record undo, mark the object changed and emit valueChangedForKey after the store, also
// for the other end of a relationship. Primitive access skips notifications and undo.
class ManagedObject : public foundation::KeyValueObject
{
    Q_OBJECT

public:
    ManagedObject();
    ~ManagedObject() override;

    const EntityDescription& entity() const { return *m_entity; }
    ManagedObjectID objectID() const { return m_id; }
    // None once the object's deletion has been saved or its context was reset. The context then lets
    // the object go at the end of the current pass of the event loop (for a private-queue context: at
    // the end of the performed block); hold it in a QPointer to notice.
    ManagedObjectContext* managedObjectContext() const;

    bool isInserted() const { return m_inserted && !m_deleted; }
    bool isUpdated() const { return m_updated && !m_inserted && !m_deleted; }
    bool isDeleted() const { return m_deleted; }
    bool hasChanges() const { return m_inserted || m_updated || m_deleted; }
    // Attribute and relationship values that differ from the last fetched or saved state.
    QStringList changedKeys() const;

    QVariant primitiveValue(const QString& key) const;
    // Stores without notifications and without undo; the object is still marked changed so the value
    // is saved. Relationship values given here change this end only.
    void setPrimitiveValue(const QVariant& value, const QString& key);

    // Bracket a primitive store so that observers hear of it and undo can reverse it.
    void willChangeValueForKey(const QString& key);
    void didChangeValueForKey(const QString& key);

    bool hasValueForKey(const QString& key) const override;
    QVariant valueForKey(const QString& key) const override;
    void setValueForKey(const QVariant& value, const QString& key) override;

    ManagedObject* relatedObject(const QString& key) const;
    void setRelatedObject(ManagedObject* object, const QString& key);
    QList<ManagedObject*> relatedObjects(const QString& key) const;
    void setRelatedObjects(const QList<ManagedObject*>& objects, const QString& key);
    void addRelatedObject(ManagedObject* object, const QString& key);
    void insertRelatedObject(ManagedObject* object, qsizetype index, const QString& key);
    void removeRelatedObject(ManagedObject* object, const QString& key);

    // Runs validateValue for every attribute and relationship; the first refusal is the result.
    Result<void> validateForSave();

    // An object of the same class and entity holding a copy of this one's attribute values, with no
    // related objects, that belongs to no context and to no thread: reading it touches nothing but the
    // copy, so it may be handed to another thread (one at a time) while the context goes on. Writes
    // change the copy alone and record nothing. No awake hook runs.
    std::unique_ptr<ManagedObject> detachedCopy() const;

protected:
    // Hooks: after insertion (defaults are set), after the object was fetched from a parent or store,
    // when it is being deleted (before the delete rules run), and before each save that includes it.
    // awakeFromFetch is part of loading: what it sets, also through notifying setters, is heard by
    // observers but records no undo step and leaves the object unchanged (it is what the object loaded).
    virtual void awakeFromInsert() {}
    virtual void awakeFromFetch() {}
    virtual void prepareForDeletion() {}
    virtual void willSave() {}
    // Per-key validation at save: subclasses answer for the keys they check (for example by calling
    // their validateName for "name") and return an Error with Error::Code::validation to refuse.
    virtual Result<void> validateValue(const QVariant& value, const QString& key);

private:
    friend class FetchMerger;
    friend class IdentityMap;
    friend class ManagedObjectContext;
    friend class SaveJournal;

    const RelationshipDescription& requireRelationship(const QString& key) const;
    void requireKey(const QString& key) const;
    // Before m_values changes: keeps the committed values and lets a running save record the object.
    void willModify();
    QVariant currentValue(const QString& key) const; // an attribute's value or a relationship's ID list
    void setLinks(const QString& key, const QList<ManagedObjectID>& ids); // one end, with notification
    void link(const RelationshipDescription& relationship, ManagedObject* target, qsizetype index);
    void unlink(const RelationshipDescription& relationship, ManagedObject* target);
    ObjectSnapshot snapshot() const { return m_values; }
    const ObjectSnapshot& committedValues() const { return m_committed ? *m_committed : m_values; }
    // In the graph: registered, not deleted, and inserted or known to the source.
    bool isPresent() const { return m_registered && !m_deleted && (m_inserted || m_existsInSource); }

    ManagedObjectContext* m_context = nullptr; // none once the context was reset
    const EntityDescription* m_entity = nullptr;
    ManagedObjectID m_id;
    ObjectSnapshot m_values;
    // The values as last fetched or saved, once m_values differ from them (a context holds many
    // unchanged objects, which need no second copy).
    std::unique_ptr<ObjectSnapshot> m_committed;
    QHash<QString, QVariant> m_changeStarts;
    bool m_inserted = false;
    bool m_updated = false;
    bool m_deleted = false;
    bool m_existsInSource = false; // known to the parent context or store
    bool m_registered = false;     // held by its context's identity map
};

} // namespace store
