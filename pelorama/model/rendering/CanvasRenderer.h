#pragma once

#include "graphics/Image.h"
#include "graphics/Size.h"
#include "model/rendering/CanvasRenderingMode.h"
#include "model/rendering/CaptionRenderer.h"

#include <functional>
#include <vector>

namespace pelorama::model {

class DetachedCanvas;
class RenderResources;

// Turns a canvas snapshot into pixels: the one way the canvas view, thumbnails, template previews,
// export and the shared clipboard image are drawn. Each drawable is drawn by the renderer of its kind
// (SnapshotDrawing.h, CaptionRenderer) from its
// snapshot alone, so what a render shows is what the snapshot held when it was taken.
//
// The renderer keeps what it laid out for the next render (see CaptionRenderer); everything else it
// draws from comes from caches keyed by their inputs (its RenderResources, device frames, traced
// outlines). It
// renders on one thread at a time; any number of renderers may render at once.
class CanvasRenderer
{
public:
    // Draws from the caches of RenderResources::shared().
    CanvasRenderer();
    explicit CanvasRenderer(RenderResources& resources);
    CanvasRenderer(const CanvasRenderer&) = delete;
    CanvasRenderer& operator=(const CanvasRenderer&) = delete;

    // Renders canvas fitted into a box of boxSize output points at scale pixels per point: the canvas
    // size is aspect-fitted into the box (only the fitted size is used), a transparent bitmap of the
    // fitted size times scale (truncated to whole pixels) is made, and each drawable draws into it in
    // order under the uniform scale k = fitted width / canvas width * scale.
    //
    // The result always has the fitted size in points. Its one representation holds the pixels; when the
    // fitted size is zero, not finite or too large for a bitmap, nothing is drawn and the image has no
    // representation.
    //
    // In exportImage mode a fitted size of exactly 2880 x 1880, 1536 x 2048, 2048 x 1536 or 750 x 1334
    // points is then stretched to 2880 x 1800, 2048 x 2732, 2732 x 2048 or 1242 x 2208 pixels (and
    // points), the canvas sizes of the built-in templates.
    graphics::Image render(const DetachedCanvas& canvas, CanvasRenderingMode mode, graphics::Size boxSize,
                           double scale);

    // Renders each of canvases as render does, handing each image to each with the canvas's index, in
    // order. Canvases that differ only after their first drawables (one screenshot in several languages,
    // whose captions alone differ) draw those drawables once: each canvas goes on from a copy of their
    // pixels, which are the pixels it would have drawn itself.
    void renderEach(const std::vector<DetachedCanvas>& canvases, CanvasRenderingMode mode,
                    graphics::Size boxSize, double scale,
                    const std::function<void(std::size_t, graphics::Image)>& each);

private:
    // Draws drawables [first, last) of canvas into bitmap, of canvas's fitted size times scale.
    void draw(const DetachedCanvas& canvas, std::size_t first, std::size_t last, CanvasRenderingMode mode,
              QImage& bitmap, double k);

    RenderResources& m_resources;
    CaptionRenderer m_captions;
};

} // namespace pelorama::model
