#include "graphics/ArchivedValues.h"

#include "graphics/Color.h"
#include "graphics/Font.h"

#include <cmath>

namespace graphics {
namespace {

std::optional<double> finiteNumber(const QVariantMap& fields, const QString& key)
{
    const QVariant value = fields.value(key);
    const int type = value.metaType().id();
    if (type != QMetaType::Double && type != QMetaType::LongLong)
        return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number))
        return std::nullopt;
    return number;
}

class ColorCoder : public foundation::ArchivedValueCoder
{
public:
    QString className() const override { return archivedColorClass; }
    QMetaType valueType() const override { return QMetaType::fromType<Color>(); }

    QVariantMap encode(const QVariant& value) const override
    {
        const auto color = value.value<Color>();
        return {{"red", color.red},
                {"green", color.green},
                {"blue", color.blue},
                {"alpha", color.alpha},
                {"space", color.space == ColorSpace::deviceRGB ? 1 : 0}};
    }

    std::optional<QVariant> decode(const QVariantMap& fields) const override
    {
        const auto red = finiteNumber(fields, "red");
        const auto green = finiteNumber(fields, "green");
        const auto blue = finiteNumber(fields, "blue");
        const auto alpha = finiteNumber(fields, "alpha");
        const QVariant space = fields.value("space");
        if (!red || !green || !blue || !alpha || fields.size() != 5 ||
            space.metaType().id() != QMetaType::LongLong)
            return std::nullopt;
        if (space.toLongLong() != 0 && space.toLongLong() != 1)
            return std::nullopt;
        return QVariant::fromValue(
            Color{*red, *green, *blue, *alpha,
                  space.toLongLong() == 1 ? ColorSpace::deviceRGB : ColorSpace::calibratedRGB});
    }
};

class FontCoder : public foundation::ArchivedValueCoder
{
public:
    QString className() const override { return archivedFontClass; }
    QMetaType valueType() const override { return QMetaType::fromType<Font>(); }

    QVariantMap encode(const QVariant& value) const override
    {
        const auto font = value.value<Font>();
        return {{"name", font.postScriptName()}, {"size", font.pointSize()}};
    }

    std::optional<QVariant> decode(const QVariantMap& fields) const override
    {
        const QVariant name = fields.value("name");
        const auto size = finiteNumber(fields, "size");
        if (name.metaType().id() != QMetaType::QString || !size || fields.size() != 2)
            return std::nullopt;
        return QVariant::fromValue(Font(name.toString(), *size));
    }
};

} // namespace

foundation::ArchivedValueCoders archivedValueCoders()
{
    return {std::make_shared<ColorCoder>(), std::make_shared<FontCoder>()};
}

} // namespace graphics
