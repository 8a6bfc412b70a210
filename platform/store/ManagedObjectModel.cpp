#include "store/ManagedObjectModel.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <optional>

namespace store {

namespace {

Error modelError(const QString& message)
{
    return Error(Error::Code::modelInvalid, "The data model is invalid: " + message);
}

std::optional<AttributeType> attributeType(const QString& text)
{
    static const QHash<QString, AttributeType> types{
        {"string", AttributeType::string},        {"integer16", AttributeType::integer16},
        {"integer32", AttributeType::integer32},  {"integer64", AttributeType::integer64},
        {"double", AttributeType::floatingPoint}, {"boolean", AttributeType::boolean},
        {"binary", AttributeType::binary},        {"transformable", AttributeType::transformable},
        {"undefined", AttributeType::undefined},  {"transient", AttributeType::undefined},
    };
    auto it = types.find(text);
    if (it == types.end())
        return std::nullopt;
    return *it;
}

std::optional<DeleteRule> deleteRule(const QString& text)
{
    if (text.isEmpty() || text == "nullify")
        return DeleteRule::nullify;
    if (text == "cascade")
        return DeleteRule::cascade;
    if (text == "deny")
        return DeleteRule::deny;
    if (text == "noAction")
        return DeleteRule::noAction;
    return std::nullopt;
}

bool isValidName(const QString& name)
{
    if (name.isEmpty() || name.startsWith("Z_"))
        return false;
    for (QChar c : name) {
        if (!c.isLetterOrNumber() && c != '_')
            return false;
    }
    return !name.front().isDigit();
}

} // namespace

Result<std::shared_ptr<const ManagedObjectModel>> ManagedObjectModel::fromResource(const QString& name)
{
    QFile file(":/models/" + name + ".json");
    if (!file.open(QIODevice::ReadOnly))
        return failure(modelError("there is no model named \"" + name + "\""));
    return fromJson(file.readAll());
}

Result<std::shared_ptr<const ManagedObjectModel>> ManagedObjectModel::fromJson(const QByteArray& json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull())
        return failure(modelError(parseError.errorString()));
    if (!document.isObject() || !document.object().value("entities").isArray())
        return failure(modelError("the declaration has no list of entities"));

    std::vector<EntityDeclaration> entities;
    for (const QJsonValue entityValue : document.object().value("entities").toArray()) {
        const QJsonObject entityObject = entityValue.toObject();
        EntityDeclaration entity;
        entity.name = entityObject.value("name").toString();
        entity.className = entityObject.value("class").toString();
        entity.isAddedLater = entityObject.value("addedLater").toBool();
        for (const QJsonValue attributeValue : entityObject.value("attributes").toArray()) {
            const QJsonObject object = attributeValue.toObject();
            AttributeDescription attribute;
            attribute.name = object.value("name").toString();
            const QString typeName = object.value("type").toString();
            const std::optional<AttributeType> type = attributeType(typeName);
            if (!type)
                return failure(modelError("the attribute " + entity.name + "." + attribute.name +
                                          " has the unknown type \"" + typeName + "\""));
            attribute.type = *type;
            attribute.isTransient = object.value("transient").toBool(typeName == "transient");
            attribute.valueTransformerName = object.value("transformer").toString();
            if (object.contains("default"))
                attribute.defaultValue = object.value("default").toVariant();
            attribute.isAddedLater = object.value("addedLater").toBool();
            attribute.isIndexed = object.value("indexed").toBool();
            entity.attributes.push_back(attribute);
        }
        for (const QJsonValue relationshipValue : entityObject.value("relationships").toArray()) {
            const QJsonObject object = relationshipValue.toObject();
            RelationshipDescription relationship;
            relationship.name = object.value("name").toString();
            relationship.destinationEntityName = object.value("destination").toString();
            relationship.inverseName = object.value("inverse").toString();
            relationship.isToMany = object.value("toMany").toBool();
            relationship.isOrdered = relationship.isToMany && object.value("ordered").toBool();
            const std::optional<DeleteRule> rule = deleteRule(object.value("deleteRule").toString());
            if (!rule)
                return failure(modelError("the relationship " + entity.name + "." + relationship.name +
                                          " has an unknown delete rule"));
            relationship.deleteRule = *rule;
            entity.relationships.push_back(relationship);
        }
        entities.push_back(std::move(entity));
    }
    return fromDeclarations(std::move(entities));
}

Result<std::shared_ptr<const ManagedObjectModel>>
ManagedObjectModel::fromDeclarations(std::vector<EntityDeclaration> declarations)
{
    std::shared_ptr<ManagedObjectModel> model(new ManagedObjectModel);
    QSet<QString> entityNames;
    for (EntityDeclaration& declaration : declarations) {
        auto entity = std::make_unique<EntityDescription>();
        entity->m_model = model.get();
        entity->m_name = declaration.name;
        entity->m_className = declaration.className.isEmpty() ? declaration.name : declaration.className;
        entity->m_addedLater = declaration.isAddedLater;
        if (!isValidName(entity->m_name))
            return failure(modelError("an entity has the invalid name \"" + entity->m_name + "\""));
        if (entityNames.contains(entity->m_name))
            return failure(modelError("the entity " + entity->m_name + " is declared twice"));
        entityNames.insert(entity->m_name);

        QSet<QString> propertyNames;
        auto addPropertyName = [&](const QString& name) -> std::optional<Error> {
            if (!isValidName(name))
                return modelError("the entity " + entity->m_name +
                                  " has a property with the invalid name \"" + name + "\"");
            if (propertyNames.contains(name))
                return modelError("the entity " + entity->m_name + " declares " + name + " twice");
            propertyNames.insert(name);
            return std::nullopt;
        };

        for (AttributeDescription& attribute : declaration.attributes) {
            if (auto error = addPropertyName(attribute.name))
                return failure(*error);
            const QString where = entity->m_name + "." + attribute.name;
            if (attribute.type == AttributeType::undefined && !attribute.isTransient)
                return failure(modelError("the attribute " + where + " has no stored type"));
            if (attribute.type == AttributeType::transformable && attribute.valueTransformerName.isEmpty())
                return failure(modelError("the attribute " + where + " names no value transformer"));
            entity->m_attributes.push_back(std::move(attribute));
        }
        for (RelationshipDescription& relationship : declaration.relationships) {
            if (auto error = addPropertyName(relationship.name))
                return failure(*error);
            relationship.isOrdered = relationship.isToMany && relationship.isOrdered;
            relationship.destinationEntity = nullptr;
            relationship.inverseRelationship = nullptr;
            entity->m_relationships.push_back(std::move(relationship));
        }
        model->m_entities.push_back(std::move(entity));
    }

    // Resolve destinations and inverses, and fingerprint the stored shape: each entity's line and the
    // lines of its stored attributes and relationships, sorted, so that the order of declaration does not
    // count.
    QStringList shape;
    for (const auto& entity : model->m_entities) {
        shape.append("e " + entity->m_name);
        for (const AttributeDescription& attribute : entity->m_attributes) {
            if (!attribute.isTransient)
                shape.append(
                    QString("a %1 %2 %3").arg(entity->m_name, attribute.name).arg(int(attribute.type)));
        }
        for (RelationshipDescription& relationship : entity->m_relationships) {
            const QString where = entity->m_name + "." + relationship.name;
            relationship.destinationEntity = model->entity(relationship.destinationEntityName);
            if (!relationship.destinationEntity)
                return failure(modelError("the relationship " + where + " leads to the unknown entity \"" +
                                          relationship.destinationEntityName + "\""));
            if (!relationship.inverseName.isEmpty()) {
                const RelationshipDescription* inverse =
                    relationship.destinationEntity->relationship(relationship.inverseName);
                if (!inverse || inverse->destinationEntityName != entity->m_name ||
                    inverse->inverseName != relationship.name)
                    return failure(modelError("the relationship " + where + " has no matching inverse \"" +
                                              relationship.inverseName + "\""));
                relationship.inverseRelationship = inverse;
            }
            shape.append(QString("r %1 %2 %3 %4")
                             .arg(where, relationship.destinationEntityName)
                             .arg(relationship.isToMany)
                             .arg(relationship.isOrdered));
        }
    }
    shape.sort();
    model->m_versionHash = QString::fromLatin1(
        QCryptographicHash::hash(shape.join('\n').toUtf8(), QCryptographicHash::Sha256).toHex());
    return std::shared_ptr<const ManagedObjectModel>(std::move(model));
}

const EntityDescription* ManagedObjectModel::entity(const QString& name) const
{
    for (const auto& entity : m_entities) {
        if (entity->name() == name)
            return entity.get();
    }
    return nullptr;
}

std::vector<const EntityDescription*> ManagedObjectModel::entities() const
{
    std::vector<const EntityDescription*> result;
    for (const auto& entity : m_entities)
        result.push_back(entity.get());
    return result;
}

} // namespace store
