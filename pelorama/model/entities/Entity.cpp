#include "model/entities/Entity.h"

#include "foundation/KeyValueError.h"
#include "foundation/Values.h"
#include "model/attributes/AttributeTable.h"
#include "model/attributes/PropertyCollectionBuilder.h"
#include "store/EntityDescription.h"

#include <QUuid>

namespace pelorama::model {

Entity::Entity(const AttributeTable& attributes)
    : m_attributes(attributes)
{
    // Entities that draw nothing (mappings, assets, languages) count no stores.
    if (!attributes.hasDependentKeys() && attributes.pixelKeys().isEmpty())
        return;
    connect(
        this, &KeyValueObject::valueChangedForKey, this,
        [this](const QString& changed) {
            if (m_attributes.mayChangePixels(changed))
                ++m_pixelStores;
            for (const QString& key : m_attributes.keysDependingOn(changed))
                emit valueChangedForKey(key);
        },
        Qt::DirectConnection);
}

void Entity::storeValue(const QVariant& stored, const QString& key)
{
    // An attribute's store keeps nothing for undo or save when the value is already there.
    if (entity().attribute(key)) {
        ManagedObject::setValueForKey(stored, key);
        return;
    }
    willChangeValueForKey(key);
    setPrimitiveValue(stored, key);
    didChangeValueForKey(key);
}

void Entity::applyInsertionDefaults()
{
    for (const AttributeRow& row : m_attributes.rows()) {
        if (row.insertionValue)
            storeValue(row.insertionValue(), row.key);
    }
}

QVariant Entity::insertionValue(const QString& key) const
{
    const AttributeRow* row = m_attributes.row(key);
    return row && row->insertionValue ? row->insertionValue() : QVariant();
}

bool Entity::hasValueForKey(const QString& key) const
{
    return m_attributes.row(key) || ManagedObject::hasValueForKey(key);
}

QVariant Entity::valueForKey(const QString& key) const
{
    if (const AttributeRow* row = m_attributes.row(key); row && row->valueForKey)
        return row->valueForKey(*this);
    return ManagedObject::valueForKey(key);
}

void Entity::setValueForKey(const QVariant& value, const QString& key)
{
    const AttributeRow* row = m_attributes.row(key);
    if (row && row->setValueForKey)
        row->setValueForKey(*this, value);
    else if (row && row->isModelAttribute())
        storeOffered(value, key);
    else
        ManagedObject::setValueForKey(value, key);
}

void Entity::storeOffered(const QVariant& value, const QString& key)
{
    const AttributeRow* row = m_attributes.row(key);
    if (!row || !row->isModelAttribute())
        throwWrongType(key);
    if (foundation::isNil(value)) {
        storeValue(QVariant(), key);
        return;
    }
    const std::optional<QVariant> checked = row->checkedValue(value);
    if (!checked)
        throwWrongType(key);
    storeValue(*checked, key);
}

std::unique_ptr<ledgerline::PropertyCollection> Entity::makePropertyCollection()
{
    return PropertyCollectionBuilder(*this).build();
}

QString Entity::makeUniqueIdentifier()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

void Entity::throwWrongType(const QString& key) const
{
    throw foundation::KeyValueError(foundation::KeyValueError::Kind::wrongType,
                                    QString::fromLatin1(metaObject()->className()), key);
}

} // namespace pelorama::model
