#pragma once

#include "store/AttributeDescription.h"
#include "store/RelationshipDescription.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace store {

class ManagedObject;
class ManagedObjectContext;
class ManagedObjectModel;

// One entity of a model: its attributes and relationships in declaration order, and the name of the
// class whose instances represent its objects (see ManagedObjectClassRegistry).
class EntityDescription
{
public:
    const QString& name() const { return m_name; }
    const QString& managedObjectClassName() const { return m_className; }
    const ManagedObjectModel& managedObjectModel() const { return *m_model; }
    // Added to the model after stores were written without it: such a store opens all the same, holds
    // no object of it, and gains its tables at its first save.
    bool isAddedLater() const { return m_addedLater; }

    const std::vector<AttributeDescription>& attributes() const { return m_attributes; }
    const std::vector<RelationshipDescription>& relationships() const { return m_relationships; }
    const AttributeDescription* attribute(const QString& name) const;
    const RelationshipDescription* relationship(const QString& name) const;
    bool hasProperty(const QString& name) const { return attribute(name) || relationship(name); }
    // Positions in attributes() and relationships(), where snapshots and store rows keep the values;
    // -1 for a name the entity lacks.
    qsizetype attributeIndex(const QString& name) const;
    qsizetype relationshipIndex(const QString& name) const;
    qsizetype indexOf(const AttributeDescription& attribute) const
    {
        return &attribute - m_attributes.data();
    }
    qsizetype indexOf(const RelationshipDescription& relationship) const
    {
        return &relationship - m_relationships.data();
    }
    QStringList attributeNames() const;
    QStringList relationshipNames() const;

    // Inserts a new object of the entity named entityName into context; fatal when the context's model
    // has no such entity.
    static ManagedObject* insertNewObject(const QString& entityName, ManagedObjectContext& context);

private:
    friend class ManagedObjectModel;

    const ManagedObjectModel* m_model = nullptr;
    QString m_name;
    QString m_className;
    bool m_addedLater = false;
    std::vector<AttributeDescription> m_attributes;
    std::vector<RelationshipDescription> m_relationships;
};

} // namespace store
