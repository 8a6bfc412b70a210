#pragma once

namespace graphics {

// Horizontal alignment of a paragraph's lines; the raw values are the platform's (left 0, right 1,
// centre 2, justified 3, natural 4).
enum class TextAlignment
{
    left = 0,
    right = 1,
    center = 2,
    justified = 3,
    natural = 4,
};

struct ParagraphStyle
{
    TextAlignment alignment = TextAlignment::natural;

    friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

} // namespace graphics
