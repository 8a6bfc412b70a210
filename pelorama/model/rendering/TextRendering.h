#pragma once

#include "graphics/AttributedString.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/ParagraphStyle.h"
#include "graphics/Rect.h"
#include "model/entities/VerticalAlignment.h"

#include <QString>

// The steps of drawing a caption, apart from the entity so that each can be checked on its own. Canvas
// points, y up.
namespace pelorama::model {

// The caption's text with its inline markup applied: the whole text in font, color and a paragraph
// style of the alignment, then the markup's styles over the marked ranges, markup characters removed.
graphics::AttributedString styledCaptionText(const QString& text, const graphics::Font& font,
                                             const graphics::Color& color, graphics::TextAlignment alignment);

// The height of text laid out at width (unbounded in height).
double captionTextHeight(const graphics::AttributedString& text, double width);

// The y of the bottom edge of a text box textHeight high placed in rect: its top edge at rect's top for
// top, its bottom edge at rect's bottom for bottom, centred on rect's middle for center. Text taller
// than rect overhangs below, above or on both sides respectively.
double captionTextY(const graphics::Rect& rect, double textHeight, VerticalAlignment alignment);

// The length of a directional shadow on a canvas of canvasSize: depth is a fraction of the canvas's
// diagonal, so the shadow does not change with the render scale.
double directionalShadowLength(graphics::Size canvasSize, double depth);

} // namespace pelorama::model
