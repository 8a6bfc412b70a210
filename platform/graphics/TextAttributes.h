#pragma once

#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/ParagraphStyle.h"

#include <optional>

namespace graphics {

// The attributes of a run of styled text. An absent attribute draws with its default: the system font
// at 12 points, black, no background, no underline or strikethrough, no extra spacing, natural alignment.
struct TextAttributes
{
    std::optional<Font> font;
    std::optional<Color> foregroundColor;
    std::optional<Color> backgroundColor;
    // Line styles: 0 none, 1 single line (other values draw as a single line).
    std::optional<int> underlineStyle;
    std::optional<int> strikethroughStyle;
    // Extra space after each character, in points.
    std::optional<double> kern;
    std::optional<ParagraphStyle> paragraphStyle;

    static constexpr double defaultFontSize = 12;

    // Takes every attribute present in other; the others stay.
    void merge(const TextAttributes& other);

    Font resolvedFont() const { return font.value_or(Font::systemFont(defaultFontSize)); }
    Color resolvedForegroundColor() const { return foregroundColor.value_or(Color{0, 0, 0, 1}); }
    ParagraphStyle resolvedParagraphStyle() const { return paragraphStyle.value_or(ParagraphStyle{}); }

    friend bool operator==(const TextAttributes&, const TextAttributes&) = default;
};

} // namespace graphics
