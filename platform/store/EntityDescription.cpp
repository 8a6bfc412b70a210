#include "store/EntityDescription.h"

#include "store/ManagedObjectContext.h"

namespace store {

const AttributeDescription* EntityDescription::attribute(const QString& name) const
{
    for (const AttributeDescription& attribute : m_attributes) {
        if (attribute.name == name)
            return &attribute;
    }
    return nullptr;
}

const RelationshipDescription* EntityDescription::relationship(const QString& name) const
{
    for (const RelationshipDescription& relationship : m_relationships) {
        if (relationship.name == name)
            return &relationship;
    }
    return nullptr;
}

qsizetype EntityDescription::attributeIndex(const QString& name) const
{
    const AttributeDescription* found = attribute(name);
    return found ? indexOf(*found) : -1;
}

qsizetype EntityDescription::relationshipIndex(const QString& name) const
{
    const RelationshipDescription* found = relationship(name);
    return found ? indexOf(*found) : -1;
}

QStringList EntityDescription::attributeNames() const
{
    QStringList names;
    for (const AttributeDescription& attribute : m_attributes)
        names.append(attribute.name);
    return names;
}

QStringList EntityDescription::relationshipNames() const
{
    QStringList names;
    for (const RelationshipDescription& relationship : m_relationships)
        names.append(relationship.name);
    return names;
}

ManagedObject* EntityDescription::insertNewObject(const QString& entityName, ManagedObjectContext& context)
{
    return context.insertNewObject(entityName);
}

} // namespace store
