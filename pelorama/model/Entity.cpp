#include "model/Entity.h"

#include "foundation/KeyValueError.h"
#include "foundation/Values.h"

#include <QUuid>
#include <cmath>
#include <limits>

namespace pelorama::model {

bool Entity::hasValueForKey(const QString& key) const
{
    return hasTypedKey(key) || ManagedObject::hasValueForKey(key);
}

QVariant Entity::valueForKey(const QString& key) const
{
    if (hasTypedKey(key))
        return typedValueForKey(key);
    return ManagedObject::valueForKey(key);
}

void Entity::setValueForKey(const QVariant& value, const QString& key)
{
    if (hasTypedKey(key))
        setTypedValueForKey(value, key);
    else
        ManagedObject::setValueForKey(value, key);
}

QString Entity::makeUniqueIdentifier()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

bool Entity::hasTypedKey(const QString&) const
{
    return false;
}

QVariant Entity::typedValueForKey(const QString& key) const
{
    return ManagedObject::valueForKey(key);
}

void Entity::setTypedValueForKey(const QVariant& value, const QString& key)
{
    ManagedObject::setValueForKey(value, key);
}

void Entity::addDependentKey(const QString& key, const QStringList& affectingKeys)
{
    connect(
        this, &KeyValueObject::valueChangedForKey, this,
        [this, key, affectingKeys](const QString& changed) {
            if (affectingKeys.contains(changed))
                emit valueChangedForKey(key);
        },
        Qt::DirectConnection);
}

QString Entity::stringValue(const QString& key) const
{
    return storedText(key).value_or(QString());
}

double Entity::doubleValue(const QString& key) const
{
    return storedDouble(key).value_or(0);
}

std::optional<graphics::Color> Entity::colorValue(const QString& key) const
{
    const QVariant value = primitiveValue(key);
    if (value.metaType() != QMetaType::fromType<graphics::Color>())
        return std::nullopt;
    return value.value<graphics::Color>();
}

void Entity::setColorValue(const std::optional<graphics::Color>& color, const QString& key)
{
    setAttributeValue(color ? QVariant::fromValue(*color) : QVariant(), key);
}

qint64 Entity::requireInteger(const QVariant& value, const QString& key) const
{
    if (!foundation::isNumber(value))
        throwWrongType(key);
    bool exact = false;
    const qint64 integer = value.toLongLong(&exact);
    if (!exact || (value.typeId() == QMetaType::Double && value.toDouble() != double(integer)))
        throwWrongType(key);
    return integer;
}

void Entity::throwWrongType(const QString& key) const
{
    throw foundation::KeyValueError(foundation::KeyValueError::Kind::wrongType,
                                    QString::fromLatin1(metaObject()->className()), key);
}

std::optional<QString> Entity::storedText(const QString& key) const
{
    const QVariant value = primitiveValue(key);
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

std::optional<qint64> Entity::storedInteger(const QString& key) const
{
    const QVariant value = primitiveValue(key);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
        return value.toLongLong();
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar: {
        const qulonglong n = value.toULongLong();
        if (n > qulonglong(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return qint64(n);
    }
    case QMetaType::Double: {
        // A whole number that a 64-bit integer holds exactly.
        const double d = value.toDouble();
        if (!std::isfinite(d) || std::trunc(d) != d || d < -9223372036854775808.0 ||
            d >= 9223372036854775808.0)
            return std::nullopt;
        return qint64(d);
    }
    default:
        return std::nullopt;
    }
}

std::optional<quint64> Entity::storedUnsignedInteger(const QString& key) const
{
    const std::optional<qint64> n = storedInteger(key);
    if (!n || *n < 0)
        return std::nullopt;
    return quint64(*n);
}

std::optional<double> Entity::storedDouble(const QString& key) const
{
    const QVariant value = primitiveValue(key);
    if (!foundation::isNumber(value))
        return std::nullopt;
    return value.toDouble();
}

} // namespace pelorama::model
