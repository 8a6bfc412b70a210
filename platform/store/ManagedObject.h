#pragma once

#include "foundation/KeyValueObject.h"
#include "store/ManagedObjectID.h"
#include "store/ObjectSnapshot.h"
#include "store/Result.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

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
    // None once the object's deletion has been saved or its context was reset.
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

protected:
    // Hooks: after insertion (defaults are set), after the object was fetched from a parent or store,
    // when it is being deleted (before the delete rules run), and before each save that includes it.
    virtual void awakeFromInsert() {}
    virtual void awakeFromFetch() {}
    virtual void prepareForDeletion() {}
    virtual void willSave() {}
    // Per-key validation at save: subclasses answer for the keys they check (for example by calling
    // their validateName for "name") and return an Error with Error::Code::Validation to refuse.
    virtual Result<void> validateValue(const QVariant& value, const QString& key);

private:
    friend class ManagedObjectContext;

    const RelationshipDescription& requireRelationship(const QString& key) const;
    void requireKey(const QString& key) const;
    void setLinks(const QString& key, const QList<ManagedObjectID>& ids); // one end, with notification
    void link(const RelationshipDescription& relationship, ManagedObject* target, qsizetype index);
    void unlink(const RelationshipDescription& relationship, ManagedObject* target);
    ObjectSnapshot snapshot() const;

    ManagedObjectContext* m_context = nullptr;
    const EntityDescription* m_entity = nullptr;
    ManagedObjectID m_id;
    ObjectSnapshot m_values;
    ObjectSnapshot m_committed;
    QHash<QString, QVariant> m_changeStarts;
    bool m_inserted = false;
    bool m_updated = false;
    bool m_deleted = false;
    bool m_existsInSource = false; // known to the parent context or store
    bool m_detached = false;       // context reset; the object is no longer part of any graph
};

} // namespace store
