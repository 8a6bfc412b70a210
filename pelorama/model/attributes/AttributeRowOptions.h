#pragma once

#include "model/attributes/AttributeRow.h"
#include "model/entities/Entity.h"

#include <functional>
#include <type_traits>

namespace pelorama::model {

// A new object's value of an attribute: a fixed value, or one made afresh for each object.
template <typename T> class InsertionDefault
{
public:
    InsertionDefault() = default;
    InsertionDefault(const T& value)
        : m_make([value] { return value; })
    {}
    InsertionDefault(T (*make)())
        : m_make(make)
    {}

    std::function<QVariant()> storedValue() const
    {
        if (!m_make)
            return {};
        return [make = m_make] {
            return AttributeValue<T>::write(make());
        };
    }

private:
    std::function<T()> m_make;
};

// What a row says of its attribute beyond its key and type (see AttributeRow). Written with designated
// initializers, in this order:
//
//     attributeRow(fillMode, {.insertion = FillMode::stretch, .changesPixels = true,
//                             .inspector = {{.kind = InspectorKind::choice, .group = "Image", ...}}})
template <typename T> struct AttributeRowOptions
{
    InsertionDefault<T> insertion = {};
    bool changesPixels = false;
    std::optional<int> maximumLength = {};
    QStringList dependsOn = {};
    std::vector<InspectorRow> inspector = {};
    // Key-value coding of its own, for values key-value coding sees as other objects (catalogue
    // entries) or computes; by default it follows from T.
    std::function<QVariant(const Entity&)> valueForKey = {};
    std::function<void(Entity&, const QVariant&)> setValueForKey = {};
    bool addedLater = false;
    bool indexed = false;
};

// The raw values of an attribute of type T that name a case: for enumerations and text alignment.
template <typename T> NumberRange rangeOf(const Attribute<T>&)
{
    if constexpr (CountedEnumeration<T>)
        return {0, double(caseCount(T{}) - 1)};
    else if constexpr (std::is_same_v<T, graphics::TextAlignment>)
        return {0, double(graphics::TextAlignment::natural)};
    else
        return {0, 0};
}

// The row of attribute. Key-value coding follows from T unless the options give their own: geometry is
// seen as its graphics value, enumerations as the raw value of the typed read (so an unknown one reads as
// the first case), numbers as stored, and a missing number, colour or font as its
// insertion default, as drawing takes it (Entity::value); other values as stored. Writes are checked by the
// row (Entity::setValueForKey).
template <typename T>
AttributeRow attributeRow(const Attribute<T>& attribute, AttributeRowOptions<T> options = {})
{
    AttributeRow row;
    row.key = attribute.key();
    row.kind = AttributeValue<T>::kind;
    if constexpr (CountedEnumeration<T>)
        row.caseCount = caseCount(T{});
    row.range = rangeOf(attribute);
    row.changesPixels = options.changesPixels;
    if constexpr (!std::is_same_v<T, Computed>)
        row.insertionValue = options.insertion.storedValue();
    row.maximumLength = options.maximumLength;
    row.dependsOn = std::move(options.dependsOn);
    row.inspector = std::move(options.inspector);
    row.valueForKey = std::move(options.valueForKey);
    row.setValueForKey = std::move(options.setValueForKey);
    row.addedLater = options.addedLater;
    row.indexed = options.indexed;
    if (row.valueForKey || row.setValueForKey)
        return row;

    if constexpr (CountedEnumeration<T> || std::is_same_v<T, graphics::TextAlignment>) {
        row.valueForKey = [attribute](const Entity& entity) {
            return QVariant::fromValue(qint64(entity.value(attribute)));
        };
    } else if constexpr (Entity::readsMissingAsInsertionDefault<T>) {
        row.valueForKey = [attribute](const Entity& entity) {
            std::optional<T> value = entity.storedValue(attribute);
            if (!value)
                value = entity.insertionDefault(attribute);
            return value ? QVariant::fromValue(*value) : QVariant();
        };
    } else if constexpr (std::is_same_v<T, graphics::Rect> || std::is_same_v<T, graphics::Point> ||
                         std::is_same_v<T, graphics::Size>) {
        row.valueForKey = [attribute](const Entity& entity) {
            return QVariant::fromValue(entity.value(attribute));
        };
        row.setValueForKey = [key = row.key](Entity& entity, const QVariant& value) {
            entity.storeOffered(AttributeValue<T>::write(entity.requireValue<T>(value, key)), key);
        };
    }
    return row;
}

} // namespace pelorama::model
