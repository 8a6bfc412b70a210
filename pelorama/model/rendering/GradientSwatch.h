#pragma once

#include "graphics/Gradient.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Rect.h"
#include "graphics/Size.h"

#include <QImage>
#include <optional>

namespace pelorama::model {

// A swatch of gradient in rect of context's user space: a rounded rectangle of radius 4 filled with the
// gradient at -90 degrees (the start colour along the top edge in a y-up space), with a 1-unit rim of
// 25 % black inside its edge (a 2-unit stroke, clipped). Restores the context's state.
void drawGradientSwatch(graphics::GraphicsContext& context, const graphics::Gradient& gradient,
                        const graphics::Rect& rect);

// A bitmap of size points (each side truncated to whole points) at pixelsPerPoint holding the swatch of
// gradient in (0, 0, size). None when a side is not finite, gives no pixel or is too large for a bitmap.
std::optional<QImage> renderGradientSwatch(const graphics::Gradient& gradient, graphics::Size size,
                                           int pixelsPerPoint);

} // namespace pelorama::model
