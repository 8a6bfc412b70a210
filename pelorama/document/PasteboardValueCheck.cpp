#include "document/PasteboardValueCheck.h"

#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Image.h"
#include "model/BackgroundType.h"
#include "model/DeviceOrientation.h"
#include "model/FillMode.h"
#include "model/GeometryText.h"
#include "model/ShadowType.h"
#include "model/TextRect.h"
#include "model/VerticalAlignment.h"
#include "store/AttributeDescription.h"

#include <QHash>
#include <cmath>
#include <limits>

namespace pelorama::document {

namespace {

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

// The integer range each integer attribute of the document allows: its enumeration's cases, or any
// non-negative alignment the platform's text alignment keeps.
std::optional<std::pair<qint64, qint64>> integerRange(const QString& name)
{
    using model::caseCount;
    static const QHash<QString, std::pair<qint64, qint64>> ranges{
        {QStringLiteral("backgroundType"), {0, caseCount(model::BackgroundType{}) - 1}},
        {QStringLiteral("fillMode"), {0, caseCount(model::FillMode{}) - 1}},
        {QStringLiteral("shadowType"), {0, caseCount(model::ShadowType{}) - 1}},
        {QStringLiteral("orientation"), {0, caseCount(model::DeviceOrientation{}) - 1}},
        {QStringLiteral("verticalAlignment"), {0, caseCount(model::VerticalAlignment{}) - 1}},
        {QStringLiteral("horizontalAlignment"), {0, std::numeric_limits<int>::max()}},
    };
    const auto found = ranges.constFind(name);
    if (found == ranges.constEnd())
        return std::nullopt;
    return *found;
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
bool isGeometryTextInRange(const QString& name, const QString& text)
{
    if (name == QLatin1String("rect")) {
        const std::optional<graphics::Rect> rect = model::rectFromRawValue(text);
        // Drawing works with the far edges too, which must not overflow.
        return rect && allFinite({rect->origin.x, rect->origin.y, rect->size.width, rect->size.height,
                                  rect->origin.x + rect->size.width, rect->origin.y + rect->size.height});
    }
    if (name == QLatin1String("position")) {
        const std::optional<graphics::Point> point = model::pointFromRawValue(text);
        return point && allFinite({point->x, point->y});
    }
    if (name == QLatin1String("size")) {
        const std::optional<graphics::Size> size = model::sizeFromRawValue(text);
        return size && allFinite({size->width, size->height}) && size->width >= 0 && size->height >= 0;
    }
    return true;
}

std::optional<QVariant> checkedInteger(const store::AttributeDescription& attribute, const QVariant& value)
{
    const std::optional<qint64> integer = integerOf(value);
    if (!integer)
        return std::nullopt;
    qint64 low = std::numeric_limits<qint64>::min();
    qint64 high = std::numeric_limits<qint64>::max();
    if (attribute.type == store::AttributeType::Integer16) {
        low = std::numeric_limits<qint16>::min();
        high = std::numeric_limits<qint16>::max();
    } else if (attribute.type == store::AttributeType::Integer32) {
        low = std::numeric_limits<qint32>::min();
        high = std::numeric_limits<qint32>::max();
    }
    if (const auto range = integerRange(attribute.name)) {
        low = std::max(low, range->first);
        high = std::min(high, range->second);
    }
    if (*integer < low || *integer > high)
        return std::nullopt;
    return QVariant::fromValue(*integer);
}

// A caption's text longer than pasting takes: laying out and editing far longer text is slow.
bool isOverlongCaptionText(const store::AttributeDescription& attribute, const QVariant& value)
{
    return attribute.name == QLatin1String("text") && value.typeId() == QMetaType::QString &&
           value.toString().size() > model::TextRect::maximumTextLength;
}

} // namespace

std::optional<QVariant> checkedPasteboardValue(const store::AttributeDescription& attribute,
                                               const QVariant& value)
{
    if (isOverlongCaptionText(attribute, value))
        return std::nullopt;
    switch (attribute.type) {
    case store::AttributeType::String:
        if (value.typeId() != QMetaType::QString || !isGeometryTextInRange(attribute.name, value.toString()))
            return std::nullopt;
        return value;
    case store::AttributeType::Integer16:
    case store::AttributeType::Integer32:
    case store::AttributeType::Integer64:
        return checkedInteger(attribute, value);
    case store::AttributeType::Double:
        if (const std::optional<double> number = finiteNumberOf(value))
            return QVariant(*number);
        return std::nullopt;
    case store::AttributeType::Boolean:
        if (value.typeId() != QMetaType::Bool)
            return std::nullopt;
        return value;
    case store::AttributeType::Binary:
        if (value.typeId() != QMetaType::QByteArray)
            return std::nullopt;
        return value;
    case store::AttributeType::Transformable: {
        const QMetaType expected = attribute.name == QLatin1String("font")
                                       ? QMetaType::fromType<graphics::Font>()
                                       : QMetaType::fromType<graphics::Color>();
        if (value.metaType() != expected)
            return std::nullopt;
        return value;
    }
    case store::AttributeType::Undefined:
        if (value.metaType() != QMetaType::fromType<graphics::Image>() ||
            value.value<graphics::Image>().isEmpty())
            return std::nullopt;
        return value;
    }
    return std::nullopt;
}

QString pasteboardValueProblem(const QString& entityName, const store::AttributeDescription& attribute,
                               const QVariant& value)
{
    if (isOverlongCaptionText(attribute, value))
        return QStringLiteral("The text of a caption is %1 characters long; a caption takes at most %2.")
            .arg(value.toString().size())
            .arg(model::TextRect::maximumTextLength);
    return QStringLiteral("The %1 of a %2 is not valid.").arg(attribute.name, entityName);
}

} // namespace pelorama::document
