#pragma once

#include "graphics/Image.h"
#include "graphics/Rect.h"

#include <memory>
#include <optional>

namespace graphics {
class TextLayout;
}

namespace pelorama::model {

// A caption's own ink (glyph shapes with their colours and coverage) drawn alone on a transparent
// ground: the picture a directional shadow is cast from. It has one pixel per point whatever the render
// scale, and an empty margin of two points on every side, so its size in points is
// (⌈layout width⌉ + 4, ⌈text height⌉ + 4).
struct TextMask
{
    static constexpr double margin = 2.0;

    // Shared and never changed, so that an outline traced from it can be kept against this very picture.
    std::shared_ptr<const graphics::Image> image;
    graphics::Size size;

    // Draws text laid out at width, as the caption's text box holds it, margin points in from the mask's
    // bottom-left corner. No value when the size is not finite or too large for a bitmap.
    static std::optional<TextMask> draw(const graphics::TextLayout& text, double width);

    // Where the mask goes (canvas points, y up) so that its glyphs line up with the caption's text drawn
    // in a box whose bottom-left corner is (x, y).
    graphics::Rect imageRect(double x, double y) const
    {
        return {x - margin, y - margin, size.width, size.height};
    }
};

} // namespace pelorama::model
