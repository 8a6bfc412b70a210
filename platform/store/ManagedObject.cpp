#include "store/ManagedObject.h"

#include "foundation/Fatal.h"
#include "store/EntityDescription.h"
#include "store/ManagedObjectClassRegistry.h"
#include "store/ManagedObjectContext.h"
#include "store/UndoEntry.h"
#include "store/ValueComparison.h"

#include <limits>
#include <unordered_set>

namespace store {

namespace {

QVariant idsVariant(const QList<ManagedObjectID>& ids)
{
    return QVariant::fromValue(ids);
}

ManagedObject* objectFromVariant(const QVariant& value)
{
    if (!value.isValid() || value.typeId() == QMetaType::Nullptr)
        return nullptr;
    if (value.canConvert<ManagedObject*>())
        return value.value<ManagedObject*>();
    return qobject_cast<ManagedObject*>(value.value<QObject*>());
}

// Numbers are kept in one representation per attribute type, so stores and comparisons see one kind.
QVariant normalized(const AttributeDescription& attribute, const QVariant& value)
{
    // Key-value coding hands nil over as a variant holding nullptr.
    if (!value.isValid() || value.typeId() == QMetaType::Nullptr)
        return QVariant();
    const int typeId = value.typeId();
    const bool isNumber = isIntegerType(typeId) || typeId == QMetaType::Double ||
                          typeId == QMetaType::Float || typeId == QMetaType::Bool;
    switch (attribute.type) {
    case AttributeType::integer16:
    case AttributeType::integer32:
    case AttributeType::integer64:
        if (isIntegerType(typeId) || typeId == QMetaType::Bool)
            return QVariant(value.toLongLong());
        return value;
    case AttributeType::floatingPoint:
        return isNumber ? QVariant(value.toDouble()) : value;
    case AttributeType::boolean:
        return isNumber ? QVariant(value.toBool()) : value;
    default:
        return value;
    }
}

std::optional<QString> typeProblem(const AttributeDescription& attribute, const QVariant& value)
{
    if (!value.isValid())
        return std::nullopt;
    const int typeId = value.typeId();
    switch (attribute.type) {
    case AttributeType::string:
        if (typeId != QMetaType::QString)
            return "is not text";
        return std::nullopt;
    case AttributeType::integer16:
    case AttributeType::integer32:
    case AttributeType::integer64: {
        if (typeId != QMetaType::LongLong)
            return "is not an integer";
        const qint64 n = value.toLongLong();
        if (attribute.type == AttributeType::integer16 &&
            (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max()))
            return "does not fit 16 bits";
        if (attribute.type == AttributeType::integer32 &&
            (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max()))
            return "does not fit 32 bits";
        return std::nullopt;
    }
    case AttributeType::floatingPoint:
        if (typeId != QMetaType::Double)
            return "is not a number";
        return std::nullopt;
    case AttributeType::boolean:
        if (typeId != QMetaType::Bool)
            return "is not a boolean";
        return std::nullopt;
    case AttributeType::binary:
        if (typeId != QMetaType::QByteArray)
            return "is not binary data";
        return std::nullopt;
    case AttributeType::transformable:
    case AttributeType::undefined:
        return std::nullopt;
    }
    return std::nullopt;
}

// Whether storing value over current changes nothing: equal, and in the same representation.
bool isSameValue(const QVariant& current, const QVariant& value)
{
    return current.typeId() == value.typeId() && valuesEqual(current, value);
}

} // namespace

ManagedObject::ManagedObject() = default;
ManagedObject::~ManagedObject() = default;

ManagedObjectContext* ManagedObject::managedObjectContext() const
{
    if (!m_registered || (!m_inserted && !m_deleted && !m_existsInSource))
        return nullptr;
    return m_context;
}

void ManagedObject::requireKey(const QString& key) const
{
    if (!m_entity->hasProperty(key))
        foundation::fatal("The entity " + m_entity->name() + " has no property named \"" + key + "\"");
}

const RelationshipDescription& ManagedObject::requireRelationship(const QString& key) const
{
    const RelationshipDescription* relationship = m_entity->relationship(key);
    if (!relationship)
        foundation::fatal("The entity " + m_entity->name() + " has no relationship named \"" + key + "\"");
    return *relationship;
}

void ManagedObject::willModify()
{
    if (m_context && m_registered)
        m_context->noteWillModify(*this);
    if (!m_committed)
        m_committed = std::make_unique<ObjectSnapshot>(m_values);
}

QVariant ManagedObject::currentValue(const QString& key) const
{
    if (const qsizetype index = m_entity->attributeIndex(key); index >= 0)
        return m_values.attribute(index);
    return idsVariant(m_values.related(m_entity->relationshipIndex(key)));
}

QStringList ManagedObject::changedKeys() const
{
    QStringList keys;
    if (!m_committed)
        return keys;
    for (const AttributeDescription& attribute : m_entity->attributes()) {
        const qsizetype index = m_entity->indexOf(attribute);
        if (!valuesEqual(m_values.attribute(index), m_committed->attribute(index)))
            keys.append(attribute.name);
    }
    for (const RelationshipDescription& relationship : m_entity->relationships()) {
        const qsizetype index = m_entity->indexOf(relationship);
        if (m_values.related(index) != m_committed->related(index))
            keys.append(relationship.name);
    }
    return keys;
}

QVariant ManagedObject::primitiveValue(const QString& key) const
{
    if (const qsizetype index = m_entity->attributeIndex(key); index >= 0)
        return m_values.attribute(index);
    return valueForKey(key);
}

void ManagedObject::setPrimitiveValue(const QVariant& value, const QString& key)
{
    if (const AttributeDescription* attribute = m_entity->attribute(key)) {
        const qsizetype index = m_entity->indexOf(*attribute);
        QVariant stored = normalized(*attribute, value);
        if (isSameValue(m_values.attribute(index), stored))
            return;
        willModify();
        m_values.setAttribute(index, std::move(stored));
    } else {
        const RelationshipDescription& relationship = requireRelationship(key);
        QList<ManagedObjectID> ids;
        if (relationship.isToMany) {
            std::unordered_set<ManagedObjectID> seen;
            for (ManagedObject* object : value.value<QList<ManagedObject*>>()) {
                if (object && seen.insert(object->objectID()).second)
                    ids.append(object->objectID());
            }
        } else if (ManagedObject* object = objectFromVariant(value)) {
            ids.append(object->objectID());
        }
        const qsizetype index = m_entity->indexOf(relationship);
        if (m_values.related(index) == ids)
            return;
        willModify();
        m_values.setRelated(index, ids);
    }
    if (m_context)
        m_context->noteChanged(this);
}

void ManagedObject::willChangeValueForKey(const QString& key)
{
    requireKey(key);
    willModify();
    if (!m_changeStarts.contains(key))
        m_changeStarts.insert(key, currentValue(key));
}

void ManagedObject::didChangeValueForKey(const QString& key)
{
    requireKey(key);
    const bool isAttribute = m_entity->attribute(key) != nullptr;
    const QVariant after = currentValue(key);
    const QVariant before = m_changeStarts.contains(key) ? m_changeStarts.take(key) : after;
    const bool changed =
        isAttribute ? !valuesEqual(before, after)
                    : before.value<QList<ManagedObjectID>>() != after.value<QList<ManagedObjectID>>();
    if (m_context && m_registered && changed) {
        m_context->registerUndo(UndoEntry{UndoEntry::Kind::value, m_id, key, before, after, {}});
        m_context->noteChanged(this);
    }
    emit valueChangedForKey(key);
}

bool ManagedObject::hasValueForKey(const QString& key) const
{
    return m_entity && m_entity->hasProperty(key);
}

QVariant ManagedObject::valueForKey(const QString& key) const
{
    if (const qsizetype index = m_entity->attributeIndex(key); index >= 0)
        return m_values.attribute(index);
    const RelationshipDescription& relationship = requireRelationship(key);
    if (relationship.isToMany)
        return QVariant::fromValue(relatedObjects(key));
    ManagedObject* object = relatedObject(key);
    return object ? QVariant::fromValue(object) : QVariant();
}

void ManagedObject::setValueForKey(const QVariant& value, const QString& key)
{
    if (const AttributeDescription* attribute = m_entity->attribute(key)) {
        const qsizetype index = m_entity->indexOf(*attribute);
        QVariant stored = normalized(*attribute, value);
        // Observers hear of every store; an equal value changes nothing to save or undo.
        if (isSameValue(m_values.attribute(index), stored)) {
            emit valueChangedForKey(key);
            return;
        }
        willChangeValueForKey(key);
        m_values.setAttribute(index, std::move(stored));
        didChangeValueForKey(key);
        return;
    }
    const RelationshipDescription& relationship = requireRelationship(key);
    if (relationship.isToMany)
        setRelatedObjects(value.value<QList<ManagedObject*>>(), key);
    else
        setRelatedObject(objectFromVariant(value), key);
}

ManagedObject* ManagedObject::relatedObject(const QString& key) const
{
    const RelationshipDescription& relationship = requireRelationship(key);
    if (relationship.isToMany)
        foundation::fatal("The relationship " + m_entity->name() + "." + key + " is to-many");
    const QList<ManagedObjectID> ids = m_values.related(m_entity->indexOf(relationship));
    if (ids.isEmpty() || !m_context || !m_registered)
        return nullptr;
    return m_context->objectForID(ids.first());
}

QList<ManagedObject*> ManagedObject::relatedObjects(const QString& key) const
{
    const RelationshipDescription& relationship = requireRelationship(key);
    QList<ManagedObject*> objects;
    if (!m_context || !m_registered)
        return objects;
    for (const ManagedObjectID& id : m_values.related(m_entity->indexOf(relationship))) {
        if (ManagedObject* object = m_context->objectForID(id))
            objects.append(object);
    }
    return objects;
}

void ManagedObject::setLinks(const QString& key, const QList<ManagedObjectID>& ids)
{
    if (m_values.related(m_entity->indexOf(requireRelationship(key))) == ids) {
        emit valueChangedForKey(key);
        return;
    }
    willChangeValueForKey(key);
    m_values.setRelated(m_entity->indexOf(requireRelationship(key)), ids);
    didChangeValueForKey(key);
}

void ManagedObject::link(const RelationshipDescription& relationship, ManagedObject* target, qsizetype index)
{
    QList<ManagedObjectID> ids = m_values.related(m_entity->indexOf(relationship));
    if (!relationship.isToMany) {
        ids = {target->objectID()};
    } else {
        ids.removeAll(target->objectID());
        ids.insert(std::clamp<qsizetype>(index, 0, ids.size()), target->objectID());
    }
    setLinks(relationship.name, ids);
}

void ManagedObject::unlink(const RelationshipDescription& relationship, ManagedObject* target)
{
    QList<ManagedObjectID> ids = m_values.related(m_entity->indexOf(relationship));
    ids.removeAll(target->objectID());
    setLinks(relationship.name, ids);
}

static void requireSameContext(const ManagedObject* a, const ManagedObject* b)
{
    if (b && b->managedObjectContext() != a->managedObjectContext())
        foundation::fatal("Objects of different contexts cannot be related");
}

void ManagedObject::setRelatedObject(ManagedObject* object, const QString& key)
{
    const RelationshipDescription& relationship = requireRelationship(key);
    if (relationship.isToMany)
        foundation::fatal("The relationship " + m_entity->name() + "." + key + " is to-many");
    requireSameContext(this, object);
    const RelationshipDescription* inverse = relationship.inverseRelationship;
    ManagedObject* old = relatedObject(key);
    if (inverse && old != object) {
        if (old)
            old->unlink(*inverse, this);
        if (object) {
            if (!inverse->isToMany) {
                ManagedObject* previous = object->relatedObject(inverse->name);
                if (previous && previous != this)
                    previous->unlink(relationship, object);
            }
            object->link(*inverse, this, std::numeric_limits<qsizetype>::max());
        }
    }
    setLinks(key, object ? QList<ManagedObjectID>{object->objectID()} : QList<ManagedObjectID>{});
}

void ManagedObject::addRelatedObject(ManagedObject* object, const QString& key)
{
    insertRelatedObject(object, std::numeric_limits<qsizetype>::max(), key);
}

void ManagedObject::insertRelatedObject(ManagedObject* object, qsizetype index, const QString& key)
{
    const RelationshipDescription& relationship = requireRelationship(key);
    if (!relationship.isToMany)
        foundation::fatal("The relationship " + m_entity->name() + "." + key + " is to-one");
    if (!object)
        return;
    requireSameContext(this, object);
    const QList<ManagedObjectID> ids = m_values.related(m_entity->indexOf(relationship));
    const bool isMember = ids.contains(object->objectID());
    if (isMember && !relationship.isOrdered)
        return;
    if (!isMember && relationship.inverseRelationship) {
        const RelationshipDescription& inverse = *relationship.inverseRelationship;
        if (!inverse.isToMany) {
            ManagedObject* previous = object->relatedObject(inverse.name);
            if (previous && previous != this)
                previous->unlink(relationship, object);
        }
        object->link(inverse, this, std::numeric_limits<qsizetype>::max());
    }
    link(relationship, object, index);
}

void ManagedObject::removeRelatedObject(ManagedObject* object, const QString& key)
{
    const RelationshipDescription& relationship = requireRelationship(key);
    if (!relationship.isToMany)
        foundation::fatal("The relationship " + m_entity->name() + "." + key + " is to-one");
    if (!object || !m_values.related(m_entity->indexOf(relationship)).contains(object->objectID()))
        return;
    if (relationship.inverseRelationship)
        object->unlink(*relationship.inverseRelationship, this);
    unlink(relationship, object);
}

void ManagedObject::setRelatedObjects(const QList<ManagedObject*>& objects, const QString& key)
{
    const RelationshipDescription& relationship = requireRelationship(key);
    if (!relationship.isToMany)
        foundation::fatal("The relationship " + m_entity->name() + "." + key + " is to-one");
    QList<ManagedObjectID> newIDs;
    std::unordered_set<ManagedObjectID> newSet;
    for (ManagedObject* object : objects) {
        if (!object || !newSet.insert(object->objectID()).second)
            continue;
        requireSameContext(this, object);
        newIDs.append(object->objectID());
    }
    if (const RelationshipDescription* inverse = relationship.inverseRelationship) {
        const QList<ManagedObjectID> oldList = m_values.related(m_entity->indexOf(relationship));
        const std::unordered_set<ManagedObjectID> oldIDs(oldList.begin(), oldList.end());
        for (ManagedObject* old : relatedObjects(key)) {
            if (!newSet.contains(old->objectID()))
                old->unlink(*inverse, this);
        }
        for (ManagedObject* object : objects) {
            if (!object || oldIDs.contains(object->objectID()))
                continue;
            if (!inverse->isToMany) {
                ManagedObject* previous = object->relatedObject(inverse->name);
                if (previous && previous != this)
                    previous->unlink(relationship, object);
            }
            object->link(*inverse, this, std::numeric_limits<qsizetype>::max());
        }
    }
    setLinks(key, newIDs);
}

std::unique_ptr<ManagedObject> ManagedObject::detachedCopy() const
{
    std::unique_ptr<ManagedObject> copy =
        ManagedObjectClassRegistry::makeObject(m_entity->managedObjectClassName());
    copy->m_entity = m_entity;
    copy->m_id = m_id;
    copy->m_values.attributes = m_values.attributes;
    copy->moveToThread(nullptr);
    return copy;
}

Result<void> ManagedObject::validateValue(const QVariant&, const QString&)
{
    return {};
}

Result<void> ManagedObject::validateForSave()
{
    for (const AttributeDescription& attribute : m_entity->attributes()) {
        const QVariant value = m_values.attribute(m_entity->indexOf(attribute));
        if (std::optional<QString> problem = typeProblem(attribute, value))
            return failure(Error::Code::validation, "The value of \"" + attribute.name + "\" of " +
                                                        m_entity->name() + " " + *problem + ".");
        Result<void> result = validateValue(value, attribute.name);
        if (!result)
            return result;
    }
    for (const RelationshipDescription& relationship : m_entity->relationships()) {
        Result<void> result = validateValue(valueForKey(relationship.name), relationship.name);
        if (!result)
            return result;
    }
    return {};
}

} // namespace store
