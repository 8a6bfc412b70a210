#pragma once

#include "graphics/Color.h"
#include "tessaline/Shared/TessalineExport.h"

#include <QString>
#include <optional>

namespace tessaline {

// The colour written by hex text: an optional leading "#", then 3 (RGB), 4 (RGBA), 6 (RRGGBB) or
// 8 (RRGGBBAA) characters; one digit stands for its value over 15, two for their value over 255. The number
// is read as a scanner reads a hexadecimal integer (leading white space skipped, an optional 0x, digits up to
// the first other character), but the form is chosen by the count of all characters after the "#". No
// colour when no digit can be read or the count fits no form.
TESSALINE_EXPORT std::optional<graphics::Color> colorFromHex(const QString& hex);

// "#RRGGBBAA" and "#RRGGBB" in uppercase; each component times 255, truncated toward zero. Components
// outside 0...1 are written as 00 or FF (not a number as 00).
TESSALINE_EXPORT QString hexStringWithAlpha(const graphics::Color& color);
TESSALINE_EXPORT QString hexStringWithoutAlpha(const graphics::Color& color);

// An opaque colour of 8-bit components, each divided by 255 as given (values outside 0...255 included).
TESSALINE_EXPORT graphics::Color colorFromIntegers(int red, int green, int blue);

} // namespace tessaline
