#pragma once

#include "graphics/Color.h"
#include "model/RawRepresentation.h"
#include "store/ManagedObject.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <type_traits>

namespace pelorama::model {

// The base of every entity class of the document (Screenshot, Image, TextRect, DeviceImage, Gradient,
// Asset, DrawableMapping). An entity's name equals its class name without namespace (entityName<T>());
// objects are made only through each class's insertInto, which sets the insertion defaults.
//
// Typed attributes: values the store cannot hold are kept as their raw value (RawRepresentation):
// enumerations as integers, rectangles, points and sizes as text. typedPrimitiveValue reads such an
// attribute, answering no value when it is missing or unreadable (the entity substitutes its default:
// the first case, the zero rectangle, ...); setTypedPrimitiveValue stores it between the change
// notifications, so observers hear of every write and the object is marked changed.
//
// Key-value coding sees a typed attribute as its type (a graphics::Size for "size", the raw integer of
// a valid case for an enumeration) and computed keys (such as a screenshot's "stockGradient") like
// attributes: subclasses claim them in hasTypedKey and answer them in typedValueForKey and
// setTypedValueForKey. An enumeration written through key-value coding stores the given integer as it
// is; reading maps an unknown one to the first case.
class Entity : public store::ManagedObject
{
    Q_OBJECT

public:
    template <typename T> std::optional<T> typedPrimitiveValue(const QString& key) const;
    template <typename T> void setTypedPrimitiveValue(const T& value, const QString& key);

    bool hasValueForKey(const QString& key) const override;
    QVariant valueForKey(const QString& key) const override;
    void setValueForKey(const QVariant& value, const QString& key) override;

    // A new identifier in the platform's UUID text form (36 characters, upper-case hexadecimal).
    static QString makeUniqueIdentifier();

    // Plain attributes, read and written as stored (writes notify). Missing or mistyped values read as
    // the empty text, 0 and no colour.
    QVariant attributeValue(const QString& key) const { return ManagedObject::valueForKey(key); }
    void setAttributeValue(const QVariant& value, const QString& key)
    {
        ManagedObject::setValueForKey(value, key);
    }
    QString stringValue(const QString& key) const;
    double doubleValue(const QString& key) const;
    std::optional<graphics::Color> colorValue(const QString& key) const;
    void setColorValue(const std::optional<graphics::Color>& color, const QString& key);

    // Key-value coding of an enumeration attribute: the raw value of the typed read (the first case
    // for a missing or unknown one), and a write of any integer as it is.
    template <CountedEnumeration E> QVariant enumerationValueForKey(const QString& key) const
    {
        return QVariant::fromValue(static_cast<qint64>(typedPrimitiveValue<E>(key).value_or(E{})));
    }
    void setEnumerationValueForKey(const QVariant& value, const QString& key)
    {
        setTypedPrimitiveValue(requireInteger(value, key), key);
    }

    // For key-value coding writes: value as T (or as an integer), throwing foundation::KeyValueError
    // (wrong type) otherwise.
    template <typename T> T requireValue(const QVariant& value, const QString& key) const;
    qint64 requireInteger(const QVariant& value, const QString& key) const;
    [[noreturn]] void throwWrongType(const QString& key) const;

protected:
    virtual bool hasTypedKey(const QString& key) const;
    virtual QVariant typedValueForKey(const QString& key) const;
    virtual void setTypedValueForKey(const QVariant& value, const QString& key);

    // After every store into one of affectingKeys, observers of key hear of a change too; for computed
    // keys whose value derives from attributes.
    void addDependentKey(const QString& key, const QStringList& affectingKeys);

private:
    std::optional<QString> storedText(const QString& key) const;
    std::optional<qint64> storedInteger(const QString& key) const;
    std::optional<quint64> storedUnsignedInteger(const QString& key) const;
    std::optional<double> storedDouble(const QString& key) const;
};

// The entity name of an entity class: its class name without namespace ("Screenshot").
template <typename T> QString entityName()
{
    const QString className = QString::fromLatin1(T::staticMetaObject.className());
    return className.mid(className.lastIndexOf(':') + 1);
}

template <typename T> std::optional<T> Entity::typedPrimitiveValue(const QString& key) const
{
    if constexpr (std::is_same_v<T, QString>) {
        return storedText(key);
    } else if constexpr (std::is_same_v<T, qint64>) {
        return storedInteger(key);
    } else if constexpr (std::is_same_v<T, quint64>) {
        return storedUnsignedInteger(key);
    } else if constexpr (std::is_same_v<T, double>) {
        return storedDouble(key);
    } else {
        using Representation = RawRepresentation<T>;
        const auto raw = typedPrimitiveValue<typename Representation::RawValue>(key);
        if (!raw)
            return std::nullopt;
        return Representation::fromRawValue(*raw);
    }
}

template <typename T> void Entity::setTypedPrimitiveValue(const T& value, const QString& key)
{
    QVariant stored;
    if constexpr (std::is_same_v<T, QString> || std::is_same_v<T, qint64> || std::is_same_v<T, double>) {
        stored = QVariant::fromValue(value);
    } else if constexpr (std::is_same_v<T, quint64>) {
        stored = QVariant::fromValue(static_cast<qint64>(value));
    } else {
        const auto raw = RawRepresentation<T>::rawValue(value);
        if constexpr (std::is_same_v<decltype(raw), const quint64>)
            stored = QVariant::fromValue(static_cast<qint64>(raw));
        else
            stored = QVariant::fromValue(raw);
    }
    willChangeValueForKey(key);
    setPrimitiveValue(stored, key);
    didChangeValueForKey(key);
}

template <typename T> T Entity::requireValue(const QVariant& value, const QString& key) const
{
    if (value.metaType() != QMetaType::fromType<T>())
        throwWrongType(key);
    return value.value<T>();
}

} // namespace pelorama::model
