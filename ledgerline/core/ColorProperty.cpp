#include "ledgerline/core/ColorProperty.h"

namespace ledgerline {

ColorProperty::ColorProperty(const graphics::Color& defaultValue)
    : Property(QVariant::fromValue(defaultValue))
{}

std::optional<graphics::Color> ColorProperty::color() const
{
    const QVariant shown = value();
    if (shown.metaType() != QMetaType::fromType<graphics::Color>()) {
        return std::nullopt;
    }
    return shown.value<graphics::Color>();
}

} // namespace ledgerline
