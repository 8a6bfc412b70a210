#pragma once

#include "graphics/AffineTransform.h"
#include "graphics/GraphicsContext.h"
#include "model/CanvasRenderingMode.h"

namespace pelorama::model {

// What a drawable draws with. graphicsContext draws into the render's bitmap; transform, a uniform scale
// by scaleFactor (bitmap pixels per canvas point), is already applied to it, so drawables draw in canvas
// points, y up, origin at the canvas's bottom-left corner.
//
// To draw in bitmap pixels (fixed line widths and font sizes, as the placeholders do), concatenate
// transform.inverted() inside a save()/restore() pair and multiply canvas rectangles by
// graphicsContext.width() / canvas width.
//
// Drawables share one graphics state: what a drawable changes without save()/restore() around it
// carries over to the drawables after it.
struct CanvasRenderingContext
{
    graphics::GraphicsContext& graphicsContext;
    graphics::AffineTransform transform;
    double scaleFactor = 1;
    CanvasRenderingMode renderingMode = CanvasRenderingMode::exportImage;
};

} // namespace pelorama::model
