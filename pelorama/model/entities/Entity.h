#pragma once

#include "ledgerline/core/PropertyEditable.h"
#include "model/attributes/Attribute.h"
#include "store/ManagedObject.h"

#include <QString>
#include <QVariant>
#include <optional>
#include <type_traits>

namespace pelorama::model {

class AttributeTable;

// The base of every entity class of the document (Screenshot, Image, TextRect, DeviceImage, Gradient,
// Asset, DrawableMapping). An entity's name equals its class name without namespace (entityName<T>());
// objects are made only through each class's insertInto, which gives them the insertion defaults of the
// class's attribute table.
//
// Each class describes its attributes once, in its AttributeTable, and hands it to this constructor.
// From the table come key-value coding, the insertion defaults, the keys observers of computed keys hear
// of and the inspector's rows (makePropertyCollection); the class's typed accessors read and write
// through the same Attribute constants the table is made of.
//
// Typed attributes: values the store cannot hold are kept as their raw value (RawRepresentation):
// enumerations as integers, rectangles, points and sizes as text. A read answers the value of a missing
// or unreadable attribute as no value (storedValue) or (value) for a number, colour or font as the
// attribute's insertion default, so that it draws and shows as on a new object, and otherwise as the
// type's zero value: the first case, the zero rectangle, empty text. A number reads, and is written, as it
// is, however large: drawing alone bounds what it does with one (model/rendering/DrawingBounds.h), so a
// document keeps what it was given on every road. Every write stores between the change notifications, so
// observers hear of every write and the object is marked changed.
//
// Key-value coding sees a typed attribute as its type (a graphics::Size for "size", the raw integer of a
// valid case for an enumeration, a number as stored) and computed keys (such as a screenshot's
// "stockGradient") like attributes. Its writes take what the attribute's row takes (AttributeRow::
// checkedValue), as paste does.
class Entity : public store::ManagedObject, public ledgerline::PropertyEditable
{
    Q_OBJECT

public:
    static constexpr Attribute<QString> uniqueIdentifierAttribute{u"uniqueIdentifier"};

    const AttributeTable& attributeTable() const { return m_attributes; }

    template <typename T> std::optional<T> storedValue(const Attribute<T>& attribute) const
    {
        return AttributeValue<T>::read(primitiveValue(attribute.key()));
    }
    template <typename T> T value(const Attribute<T>& attribute) const
    {
        if (std::optional<T> stored = storedValue(attribute))
            return *stored;
        if constexpr (readsMissingAsInsertionDefault<T>) {
            if (std::optional<T> fallback = insertionDefault(attribute))
                return *fallback;
        }
        return T{};
    }
    // The value a new object gets for attribute, from the table; none when its row gives none.
    template <typename T> std::optional<T> insertionDefault(const Attribute<T>& attribute) const
    {
        return AttributeValue<T>::read(insertionValue(attribute.key()));
    }
    template <typename T> void setValue(const Attribute<T>& attribute, const std::type_identity_t<T>& value)
    {
        storeValue(AttributeValue<T>::write(value), attribute.key());
    }
    // None stores nil.
    template <typename T>
    void setValue(const Attribute<T>& attribute, const std::optional<std::type_identity_t<T>>& value)
    {
        storeValue(value ? AttributeValue<T>::write(*value) : QVariant(), attribute.key());
    }
    // Stores a value in its stored form between the change notifications.
    void storeValue(const QVariant& stored, const QString& key);
    // Stores a value offered for the attribute key by key-value coding, as the row checks it: nil as nil,
    // anything else the row takes as it takes it; throws foundation::KeyValueError (wrong type) for what it
    // does not.
    void storeOffered(const QVariant& value, const QString& key);

    // Sets the insertion default of every row of the table that has one; insertObject calls it.
    void applyInsertionDefaults();

    bool hasValueForKey(const QString& key) const override;
    QVariant valueForKey(const QString& key) const override;
    void setValueForKey(const QVariant& value, const QString& key) override;

    // The inspector's rows of the table, bound to this object.
    std::unique_ptr<ledgerline::PropertyCollection> makePropertyCollection() final;

    // A new identifier in the platform's UUID text form (36 characters, upper-case hexadecimal).
    static QString makeUniqueIdentifier();

    // For key-value coding writes: value as T, throwing foundation::KeyValueError (wrong type) otherwise.
    template <typename T> T requireValue(const QVariant& value, const QString& key) const;
    [[noreturn]] void throwWrongType(const QString& key) const;

    // The kinds whose missing value reads as the attribute's insertion default. The document fixes what the
    // others read as (the first case, the zero rectangle, empty text), which is also what a new object
    // gets; a number, colour or font would otherwise draw as zero, transparent or the system font.
    template <typename T>
    static constexpr bool readsMissingAsInsertionDefault =
        std::is_same_v<T, double> || std::is_same_v<T, graphics::Color> || std::is_same_v<T, graphics::Font>;

protected:
    explicit Entity(const AttributeTable& attributes);

private:
    // The stored form of key's insertion default; null when its row gives none.
    QVariant insertionValue(const QString& key) const;

    const AttributeTable& m_attributes;
};

// The entity name of an entity class: its class name without namespace ("Screenshot").
template <typename T> QString entityName()
{
    const QString className = QString::fromLatin1(T::staticMetaObject.className());
    return className.mid(className.lastIndexOf(':') + 1);
}

template <typename T> T Entity::requireValue(const QVariant& value, const QString& key) const
{
    if (value.metaType() != QMetaType::fromType<T>())
        throwWrongType(key);
    return value.value<T>();
}

} // namespace pelorama::model
