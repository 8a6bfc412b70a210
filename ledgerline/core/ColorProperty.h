#pragma once

#include "graphics/Color.h"
#include "ledgerline/core/Property.h"

#include <optional>

namespace ledgerline {

// A row holding a graphics::Color.
class ColorProperty : public Property
{
    Q_OBJECT

public:
    explicit ColorProperty(const graphics::Color& defaultValue = {});

    // The shown colour; no value when the value is nil or no colour.
    std::optional<graphics::Color> color() const;
};

} // namespace ledgerline
