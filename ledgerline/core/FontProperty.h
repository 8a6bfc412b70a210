#pragma once

#include "graphics/Font.h"
#include "ledgerline/core/Property.h"

#include <optional>

namespace ledgerline {

// A row holding a graphics::Font: a PostScript name and a size in points, as documents keep fonts.
class FontProperty : public Property
{
    Q_OBJECT

public:
    explicit FontProperty(const graphics::Font& defaultValue = {});

    // The shown font; no value when the value is nil or no font.
    std::optional<graphics::Font> font() const;
};

} // namespace ledgerline
