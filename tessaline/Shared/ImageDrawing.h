#pragma once

#include "graphics/GraphicsContext.h"
#include "graphics/Image.h"
#include "tessaline/Shared/TessalineExport.h"

#include <functional>

namespace tessaline {

// An image of size points backed by one new RGBA bitmap of trunc(width) by trunc(height) pixels, whose
// content drawingBlock draws once, before this returns, through the bitmap's own graphics context.
// A size whose truncated width or height is below one pixel, or not finite, or a bitmap too large to
// allocate, gives an empty image (no representation) and drawingBlock is not called; the empty image keeps
// the size when it is finite.
TESSALINE_EXPORT graphics::Image
imageWithSize(graphics::Size size, const std::function<void(graphics::GraphicsContext&)>& drawingBlock);

} // namespace tessaline
