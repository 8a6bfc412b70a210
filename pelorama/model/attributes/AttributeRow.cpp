#include "model/attributes/AttributeRow.h"

#include "model/entities/CompressedKeyedArchiveTransformer.h"
#include "model/entities/GeometryText.h"
#include "model/languages/Translations.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pelorama::model {

store::AttributeType AttributeRow::storedType() const
{
    switch (kind) {
    case AttributeKind::real:
        return store::AttributeType::floatingPoint;
    case AttributeKind::data:
        return store::AttributeType::binary;
    case AttributeKind::colour:
    case AttributeKind::font:
        return store::AttributeType::transformable;
    case AttributeKind::picture:
    case AttributeKind::computed:
        return store::AttributeType::undefined;
    case AttributeKind::enumeration:
    case AttributeKind::textAlignment:
        return store::AttributeType::integer64;
    case AttributeKind::text:
    case AttributeKind::translations:
    case AttributeKind::rect:
    case AttributeKind::point:
    case AttributeKind::size:
        break;
    }
    return store::AttributeType::string;
}

QString AttributeRow::valueTransformerName() const
{
    if (storedType() != store::AttributeType::transformable)
        return {};
    return CompressedKeyedArchiveTransformer::name;
}

namespace {

bool allFinite(std::initializer_list<double> numbers)
{
    return std::all_of(numbers.begin(), numbers.end(), [](double number) { return std::isfinite(number); });
}

// Geometry kept as text, when it reads back as finite numbers: in the form the document writes it.
std::optional<QString> finiteGeometry(AttributeKind kind, const QString& text)
{
    switch (kind) {
    case AttributeKind::rect: {
        const std::optional<graphics::Rect> rect = rectFromRawValue(text);
        // Drawing works with the far edges too, which must not overflow.
        if (!rect || !allFinite({rect->origin.x, rect->origin.y, rect->size.width, rect->size.height,
                                 rect->origin.x + rect->size.width, rect->origin.y + rect->size.height}))
            return std::nullopt;
        return rawValue(*rect);
    }
    case AttributeKind::point: {
        const std::optional<graphics::Point> point = pointFromRawValue(text);
        if (!point || !allFinite({point->x, point->y}))
            return std::nullopt;
        return rawValue(*point);
    }
    case AttributeKind::size: {
        const std::optional<graphics::Size> size = sizeFromRawValue(text);
        if (!size || !allFinite({size->width, size->height}) || size->width < 0 || size->height < 0)
            return std::nullopt;
        return rawValue(*size);
    }
    default:
        return text;
    }
}

// Colours take components from 0 to 1, as drawing clamps them (a component that is no number as 0).
constexpr NumberRange colourComponents{0, 1};

std::optional<QVariant> unitColour(const QVariant& value)
{
    if (value.metaType() != QMetaType::fromType<graphics::Color>())
        return std::nullopt;
    const auto colour = value.value<graphics::Color>();
    for (double component : {colour.red, colour.green, colour.blue, colour.alpha}) {
        if (!colourComponents.contains(component))
            return std::nullopt;
    }
    return value;
}

QVariant clampedColour(const graphics::Color& colour)
{
    const NumberRange unit = colourComponents;
    return QVariant::fromValue(graphics::Color{unit.clamped(colour.red), unit.clamped(colour.green),
                                               unit.clamped(colour.blue), unit.clamped(colour.alpha),
                                               colour.space});
}

template <typename T> std::optional<QVariant> ofType(const QVariant& value)
{
    if (value.metaType() != QMetaType::fromType<T>())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<QVariant> AttributeRow::checkedValue(const QVariant& value) const
{
    switch (kind) {
    case AttributeKind::text:
    case AttributeKind::rect:
    case AttributeKind::point:
    case AttributeKind::size: {
        if (value.typeId() != QMetaType::QString ||
            (maximumLength && value.toString().size() > *maximumLength))
            return std::nullopt;
        const std::optional<QString> text = finiteGeometry(kind, value.toString());
        if (!text)
            return std::nullopt;
        return QVariant(*text);
    }
    case AttributeKind::enumeration:
    case AttributeKind::textAlignment: {
        const std::optional<qint64> integer = storedInteger(value);
        if (!integer || !range.contains(double(*integer)))
            return std::nullopt;
        return QVariant::fromValue(*integer);
    }
    case AttributeKind::real: {
        const std::optional<double> number = storedNumber(value);
        if (!number)
            return std::nullopt;
        return QVariant(*number);
    }
    case AttributeKind::translations:
        return TranslationsText::checked(value, maximumLength.value_or(std::numeric_limits<int>::max()));
    case AttributeKind::data:
        return ofType<QByteArray>(value);
    case AttributeKind::colour:
        return unitColour(value);
    case AttributeKind::font:
        return ofType<graphics::Font>(value);
    case AttributeKind::picture:
        if (value.metaType() != QMetaType::fromType<graphics::Image>() ||
            value.value<graphics::Image>().isEmpty())
            return std::nullopt;
        return value;
    case AttributeKind::computed:
        break;
    }
    return std::nullopt;
}

std::optional<QVariant> AttributeRow::readValue(const QVariant& stored) const
{
    if (holdsInteger()) {
        const std::optional<qint64> integer = storedInteger(stored);
        if (!integer)
            return std::nullopt;
        return QVariant::fromValue(range.contains(double(*integer)) ? *integer : qint64(0));
    }
    if (kind == AttributeKind::real) {
        const std::optional<double> number = storedNumber(stored);
        if (!number)
            return std::nullopt;
        return QVariant(*number);
    }
    if (kind == AttributeKind::colour && stored.metaType() == QMetaType::fromType<graphics::Color>())
        return clampedColour(stored.value<graphics::Color>());
    return stored;
}

} // namespace pelorama::model
