#include "document/PasteboardSerialization.h"

#include "document/CopyPasteable.h"
#include "document/PasteInsertion.h"
#include "document/PasteboardValueCheck.h"
#include "foundation/Fatal.h"
#include "model/attributes/AttributeTable.h"
#include "model/entities/DocumentModel.h"
#include "store/EntityDescription.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/ManagedObjectModel.h"

#include <QVariantList>

namespace pelorama::document {

namespace {

using foundation::Unexpected;

const store::EntityDescription& requireEntity(const QString& entityName)
{
    const store::EntityDescription* entity = model::documentModel()->entity(entityName);
    if (!entity)
        foundation::fatal("The document model has no entity " + entityName);
    return *entity;
}

const CopyPasteable& requirePasteable(const QString& entityName)
{
    const CopyPasteable* pasteable = CopyPasteable::forEntity(entityName);
    if (!pasteable)
        foundation::fatal(entityName + " does not travel on the pasteboard");
    return *pasteable;
}

bool isMap(const QVariant& value)
{
    return value.typeId() == QMetaType::QVariantMap;
}

foundation::Expected<QVariant, QString>
checkedRelationship(const store::RelationshipDescription& relationship, const QVariant& value)
{
    const QString& destination = relationship.destinationEntityName;
    if (!relationship.isToMany) {
        if (!isMap(value))
            return Unexpected(QStringLiteral("“%1” holds no object.").arg(relationship.name));
        auto checked = checkedPasteboardDictionary(destination, value.toMap());
        if (!checked)
            return Unexpected(checked.error());
        return QVariant(*checked);
    }
    if (value.typeId() != QMetaType::QVariantList)
        return Unexpected(QStringLiteral("“%1” holds no list of objects.").arg(relationship.name));
    const QVariantList list = value.toList();
    if (list.size() > maximumPastedMembers)
        return Unexpected(QStringLiteral("“%1” holds %2 objects; a paste takes at most %3.")
                              .arg(relationship.name)
                              .arg(list.size())
                              .arg(maximumPastedMembers));
    const CopyPasteable& pasteable = requirePasteable(destination);
    QVariantList members;
    for (const QVariant& member : list) {
        if (!isMap(member))
            return Unexpected(
                QStringLiteral("“%1” holds something other than objects.").arg(relationship.name));
        auto checked = checkedPasteboardDictionary(destination, member.toMap());
        if (!checked)
            return Unexpected(checked.error());
        if (!pasteable.isDroppedFromPasteboard(*checked))
            members.append(*checked);
    }
    return QVariant(members);
}

} // namespace

QVariantMap pasteboardDictionary(store::ManagedObject& object)
{
    const store::EntityDescription& entity = object.entity();
    const CopyPasteable& pasteable = requirePasteable(entity.name());
    QVariantMap dictionary;
    const QStringList ignored = pasteable.ignoredPasteboardAttributes();
    const model::AttributeTable* rows = model::attributeTable(entity.name());
    for (const store::AttributeDescription& attribute : entity.attributes()) {
        if (ignored.contains(attribute.name))
            continue;
        const QVariant stored = object.primitiveValue(attribute.name);
        if (!stored.isValid() || stored.isNull())
            continue;
        // As the document reads it: a number as the store holds it, however large (drawing bounds what it
        // does with it); an integer that names no case as the first case and a colour's components within
        // 0 ... 1, as the original shows them, so that the copy pastes where the stored value would be
        // refused.
        const model::AttributeRow* row = rows ? rows->row(attribute.name) : nullptr;
        if (const std::optional<QVariant> value = row ? row->readValue(stored) : stored)
            dictionary.insert(attribute.name, *value);
    }
    const QStringList embedded = pasteable.embeddedPasteboardRelationships();
    for (const store::RelationshipDescription& relationship : entity.relationships()) {
        if (!embedded.contains(relationship.name))
            continue;
        if (relationship.isToMany) {
            QVariantList members;
            for (store::ManagedObject* member : object.relatedObjects(relationship.name)) {
                if (CopyPasteable::forEntity(member->entity().name()))
                    members.append(pasteboardDictionary(*member));
            }
            dictionary.insert(relationship.name, members);
        } else if (store::ManagedObject* related = object.relatedObject(relationship.name);
                   related && CopyPasteable::forEntity(related->entity().name())) {
            dictionary.insert(relationship.name, pasteboardDictionary(*related));
        }
    }
    if (const std::optional<QVariantMap> extras = pasteable.additionalPasteboardData(object))
        dictionary.insert(pasteboardExtrasKey, *extras);
    return dictionary;
}

foundation::Expected<QVariantMap, QString> checkedPasteboardDictionary(const QString& entityName,
                                                                       const QVariantMap& dictionary)
{
    const CopyPasteable* pasteable = CopyPasteable::forEntity(entityName);
    const store::EntityDescription* entity = model::documentModel()->entity(entityName);
    const model::AttributeTable* attributes = model::attributeTable(entityName);
    if (!pasteable || !entity || !attributes)
        return Unexpected(QStringLiteral("A %1 cannot be pasted.").arg(entityName));

    QVariantMap checked;
    // Attributes that stay behind never come from a copy; taking them could, for one, give two
    // drawables one identifier.
    const QStringList ignored = pasteable->ignoredPasteboardAttributes();
    for (const model::AttributeRow& attribute : attributes->rows()) {
        const auto found = dictionary.constFind(attribute.key);
        if (found == dictionary.constEnd() || ignored.contains(attribute.key) ||
            !attribute.isModelAttribute())
            continue;
        const std::optional<QVariant> value = attribute.checkedValue(*found);
        if (!value)
            return Unexpected(pasteboardValueProblem(entityName, attribute, *found));
        checked.insert(attribute.key, *value);
    }

    const QStringList embedded = pasteable->embeddedPasteboardRelationships();
    for (const store::RelationshipDescription& relationship : entity->relationships()) {
        const auto found = dictionary.constFind(relationship.name);
        if (found == dictionary.constEnd() || !embedded.contains(relationship.name) ||
            !CopyPasteable::forEntity(relationship.destinationEntityName))
            continue;
        auto value = checkedRelationship(relationship, *found);
        if (!value)
            return Unexpected(QStringLiteral("A %1 is not valid: %2").arg(entityName, value.error()));
        checked.insert(relationship.name, *value);
    }

    if (const auto found = dictionary.constFind(pasteboardExtrasKey); found != dictionary.constEnd()) {
        if (!isMap(*found))
            return Unexpected(QStringLiteral("The extra data of a %1 is not valid.").arg(entityName));
        const CopyPasteable::CheckedExtras extras =
            pasteable->checkAdditionalPasteboardData(checked, found->toMap());
        if (extras.problem)
            return Unexpected(*extras.problem);
        if (extras.extras)
            checked.insert(pasteboardExtrasKey, *extras.extras);
    }
    return checked;
}

store::ManagedObject& insertFromPasteboardDictionary(const QString& entityName, const QVariantMap& checked,
                                                     store::ManagedObjectContext& context)
{
    PasteInsertion insertion(context);
    return insertFromPasteboardDictionary(entityName, checked, insertion);
}

store::ManagedObject& insertFromPasteboardDictionary(const QString& entityName, const QVariantMap& checked,
                                                     PasteInsertion& insertion)
{
    store::ManagedObjectContext& context = insertion.context();
    const store::EntityDescription& entity = requireEntity(entityName);
    const CopyPasteable& pasteable = requirePasteable(entityName);
    store::ManagedObject& object = pasteable.insertInto(context);
    for (const store::AttributeDescription& attribute : entity.attributes()) {
        const auto found = checked.constFind(attribute.name);
        if (found != checked.constEnd())
            object.setPrimitiveValue(*found, attribute.name);
    }
    for (const store::RelationshipDescription& relationship : entity.relationships()) {
        const auto found = checked.constFind(relationship.name);
        if (found == checked.constEnd())
            continue;
        const QString& destination = relationship.destinationEntityName;
        if (relationship.isToMany) {
            QList<store::ManagedObject*> members;
            for (const QVariant& member : found->toList())
                members.append(&insertFromPasteboardDictionary(destination, member.toMap(), insertion));
            object.setRelatedObjects(members, relationship.name);
        } else {
            object.setRelatedObject(&insertFromPasteboardDictionary(destination, found->toMap(), insertion),
                                    relationship.name);
        }
    }
    if (const auto found = checked.constFind(pasteboardExtrasKey); found != checked.constEnd())
        pasteable.processAdditionalPasteboardData(object, found->toMap(), insertion);
    return object;
}

} // namespace pelorama::document
