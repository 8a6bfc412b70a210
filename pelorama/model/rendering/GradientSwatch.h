#pragma once

#include "graphics/Gradient.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Image.h"
#include "graphics/Rect.h"
#include "graphics/Size.h"

namespace pelorama::model {

// A swatch of gradient in rect of context's user space: a rounded rectangle of radius 4 filled with the
// gradient at -90 degrees (the start colour along the top edge in a y-up space), with a 1-unit rim of
// 25 % black inside its edge (a 2-unit stroke, clipped). Restores the context's state.
void drawGradientSwatch(graphics::GraphicsContext& context, const graphics::Gradient& gradient,
                        const graphics::Rect& rect);

// The swatch of gradient in (0, 0, size) in a new image of size points, whose one representation holds
// pixelsPerPoint pixels per whole point (each side truncated to whole points). A size that gives no
// pixel, or is not finite or too large for a bitmap, gives an image of that size without a
// representation.
graphics::Image renderGradientSwatch(const graphics::Gradient& gradient, graphics::Size size,
                                     int pixelsPerPoint);

} // namespace pelorama::model
