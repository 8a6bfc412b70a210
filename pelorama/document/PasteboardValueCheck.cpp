#include "document/PasteboardValueCheck.h"

#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Image.h"
#include "model/attributes/AttributeRow.h"
#include "model/entities/GeometryText.h"

#include <cmath>
#include <limits>

namespace pelorama::document {

namespace {

using model::AttributeKind;

std::optional<qint64> integerOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
        return value.toLongLong();
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::UShort: {
        const qulonglong unsignedValue = value.toULongLong();
        if (unsignedValue > qulonglong(std::numeric_limits<qint64>::max()))
            return std::nullopt;
        return qint64(unsignedValue);
    }
    default:
        return std::nullopt;
    }
}

std::optional<double> finiteNumberOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double number = value.toDouble();
        if (!std::isfinite(number))
            return std::nullopt;
        return number;
    }
    if (const std::optional<qint64> integer = integerOf(value))
        return double(*integer);
    return std::nullopt;
}

bool allFinite(std::initializer_list<double> numbers)
{
    for (double number : numbers) {
        if (!std::isfinite(number))
            return false;
    }
    return true;
}

// Geometry the document keeps as text.
bool isGeometryTextInRange(AttributeKind kind, const QString& text)
{
    switch (kind) {
    case AttributeKind::rect: {
        const std::optional<graphics::Rect> rect = model::rectFromRawValue(text);
        // Drawing works with the far edges too, which must not overflow.
        return rect && allFinite({rect->origin.x, rect->origin.y, rect->size.width, rect->size.height,
                                  rect->origin.x + rect->size.width, rect->origin.y + rect->size.height});
    }
    case AttributeKind::point: {
        const std::optional<graphics::Point> point = model::pointFromRawValue(text);
        return point && allFinite({point->x, point->y});
    }
    case AttributeKind::size: {
        const std::optional<graphics::Size> size = model::sizeFromRawValue(text);
        return size && allFinite({size->width, size->height}) && size->width >= 0 && size->height >= 0;
    }
    default:
        return true;
    }
}

bool isOverlong(const model::AttributeRow& attribute, const QVariant& value)
{
    return attribute.maximumLength && value.typeId() == QMetaType::QString &&
           value.toString().size() > *attribute.maximumLength;
}

template <typename T> std::optional<QVariant> ofType(const QVariant& value)
{
    if (value.metaType() != QMetaType::fromType<T>())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<QVariant> checkedPasteboardValue(const model::AttributeRow& attribute, const QVariant& value)
{
    switch (attribute.kind) {
    case AttributeKind::text:
    case AttributeKind::rect:
    case AttributeKind::point:
    case AttributeKind::size:
        if (value.typeId() != QMetaType::QString || isOverlong(attribute, value) ||
            !isGeometryTextInRange(attribute.kind, value.toString()))
            return std::nullopt;
        return value;
    case AttributeKind::enumeration:
    case AttributeKind::textAlignment: {
        const std::optional<qint64> integer = integerOf(value);
        const auto [low, high] = *attribute.integerRange();
        if (!integer || *integer < low || *integer > high)
            return std::nullopt;
        return QVariant::fromValue(*integer);
    }
    case AttributeKind::real:
        if (const std::optional<double> number = finiteNumberOf(value))
            return QVariant(*number);
        return std::nullopt;
    case AttributeKind::data:
        return ofType<QByteArray>(value);
    case AttributeKind::colour:
        return ofType<graphics::Color>(value);
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

QString pasteboardValueProblem(const QString& entityName, const model::AttributeRow& attribute,
                               const QVariant& value)
{
    if (isOverlong(attribute, value))
        return QStringLiteral("The text of a caption is %1 characters long; a caption takes at most %2.")
            .arg(value.toString().size())
            .arg(*attribute.maximumLength);
    return QStringLiteral("The %1 of a %2 is not valid.").arg(attribute.key, entityName);
}

} // namespace pelorama::document
