#pragma once

#include "graphics/Gradient.h"
#include "graphics/GraphicsContext.h"

namespace pelorama::model {

// Fills every pixel of context's bitmap with a vertical gradient, writing the pixels directly and
// ignoring the transform, clip, colours and shadow of the context: the colour of stop 1 in the top row,
// moving towards the colour of stop 0 by 1 / height per row (the bottom row is one step short of it).
// Only the first two stops count; their locations are ignored. Pixels beyond the bitmap's width in a
// row's padding are left alone.
//
// The bitmap is premultiplied, so the colours are premultiplied by their alpha before they are spread
// over the rows; each component is clamped to 0...255 and truncated to an integer.
void fillBitmapContext(graphics::GraphicsContext& context, const graphics::Gradient& gradient);

} // namespace pelorama::model
