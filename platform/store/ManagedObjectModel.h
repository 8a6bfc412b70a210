#pragma once

#include "store/EntityDescription.h"
#include "store/Result.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace store {

// The entities of a document. A model is declared in code (EntityDeclaration) or in JSON:
//
//   {"entities": [{"name": "Screenshot", "class": "Screenshot",
//                  "attributes": [{"name": "name", "type": "string", "default": "New"},
//                                 {"name": "color", "type": "transformable", "transformer": "T"},
//                                 {"name": "image", "type": "undefined", "transient": true}],
//                  "relationships": [{"name": "mappings", "destination": "Mapping", "inverse": "screenshot",
//                                     "toMany": true, "ordered": true, "deleteRule": "cascade"}]}]}
//
// Attribute types: string, integer16, integer32, integer64, double, boolean, binary, transformable,
// undefined (transient only; "transient" as a type is short for an undefined transient attribute).
// Delete rules: nullify (the default), cascade, deny, noAction. "class" defaults to the entity name.
// "addedLater": true on an entity or an attribute marks what stores written before it lack (see
// EntityDescription::isAddedLater, AttributeDescription::isAddedLater). "indexed": true on a stored attribute
// asks for an index on its column (AttributeDescription::isIndexed).
class ManagedObjectModel
{
public:
    // One entity as declared: what EntityDescription answers, before relationships are resolved.
    struct EntityDeclaration
    {
        QString name;
        QString className; // empty: the entity name
        bool isAddedLater = false;
        std::vector<AttributeDescription> attributes;
        std::vector<RelationshipDescription> relationships;
    };

    ManagedObjectModel(const ManagedObjectModel&) = delete;
    ManagedObjectModel& operator=(const ManagedObjectModel&) = delete;

    // The model of these entities, in this order; an error names what is invalid (a name, a type, a
    // relationship without its destination or matching inverse).
    static Result<std::shared_ptr<const ManagedObjectModel>>
    fromDeclarations(std::vector<EntityDeclaration> entities);
    // Loads the model declared in the Qt resource ":/models/<name>.json".
    static Result<std::shared_ptr<const ManagedObjectModel>> fromResource(const QString& name);
    static Result<std::shared_ptr<const ManagedObjectModel>> fromJson(const QByteArray& json);

    const EntityDescription* entity(const QString& name) const;
    std::vector<const EntityDescription*> entities() const;
    // Changes whenever the stored shape of an entity changes (the names and stored types of its
    // attributes, its relationships), but not with the order of their declaration; stores keep it to
    // recognise their model.
    const QString& versionHash() const { return m_versionHash; }

private:
    ManagedObjectModel() = default;

    std::vector<std::unique_ptr<EntityDescription>> m_entities;
    QString m_versionHash;
};

} // namespace store
