#pragma once

#include "graphics/AffineTransform.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Size.h"
#include "model/rendering/CanvasRenderingMode.h"

namespace pelorama::model {

class RenderResources;

// What a renderer draws a drawable with. graphicsContext draws into the render's bitmap; transform, a
// uniform scale by scaleFactor (bitmap pixels per canvas point), is already applied to it, so renderers
// draw in canvas points, y up, origin at the canvas's bottom-left corner; canvasSize is the canvas's size
// in those points; resources holds the caches the drawing draws from.
//
// To draw in bitmap pixels (fixed line widths and font sizes, as the placeholders do), concatenate
// transform.inverted() inside a save()/restore() pair and multiply canvas rectangles by
// graphicsContext.width() / canvas width.
//
// The drawables of a canvas share one graphics state: what the drawing of one changes without
// save()/restore() around it carries over to the drawables after it.
struct CanvasRenderingContext
{
    graphics::GraphicsContext& graphicsContext;
    RenderResources& resources;
    graphics::AffineTransform transform;
    double scaleFactor = 1;
    CanvasRenderingMode renderingMode = CanvasRenderingMode::exportImage;
    graphics::Size canvasSize;
};

} // namespace pelorama::model
