#pragma once

#include "graphics/Image.h"

#include <memory>

namespace pelorama::canvas {

class CanvasView;

// How the canvas view puts its canvas on screen. The view makes one renderer when it is set up and
// keeps it for its life; the rest of the view never knows which one it has.
class CanvasViewRendering
{
public:
    // The renderer of view, chosen once: the GPU image view where OpenGL works (openGLSupported is what
    // vistrel::Vistrel::isSupported() answers), else the view's own painting, with a note saying so.
    static std::unique_ptr<CanvasViewRendering> choose(CanvasView& view, bool openGLSupported);

    virtual ~CanvasViewRendering() = default;
    CanvasViewRendering(const CanvasViewRendering&) = delete;
    CanvasViewRendering& operator=(const CanvasViewRendering&) = delete;

    // After every assignment of the view's canvas, before the render the view schedules: a view left
    // without a canvas shows nothing from here on.
    virtual void canvasDidChange() = 0;
    // Shows picture, the view's canvas rendered in canvasView mode into the view's bounds at scale 2,
    // opaque when no pixel of it lets the white behind it through; shows nothing when the view has no
    // canvas.
    virtual void show(graphics::Image picture, bool opaque) = 0;

protected:
    CanvasViewRendering() = default;
};

} // namespace pelorama::canvas
