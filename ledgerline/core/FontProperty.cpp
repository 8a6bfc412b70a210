#include "ledgerline/core/FontProperty.h"

namespace ledgerline {

FontProperty::FontProperty(const graphics::Font& defaultValue)
    : Property(QVariant::fromValue(defaultValue))
{}

std::optional<graphics::Font> FontProperty::font() const
{
    const QVariant shown = value();
    if (shown.metaType() != QMetaType::fromType<graphics::Font>()) {
        return std::nullopt;
    }
    return shown.value<graphics::Font>();
}

} // namespace ledgerline
