#include "canvas/CanvasViewRendering.h"

#include "canvas/OpenGLCanvasViewRenderer.h"
#include "canvas/RasterCanvasViewRenderer.h"
#include "foundation/Diagnostics.h"
#include "vistrel/Vistrel.h"

namespace pelorama::canvas {

std::unique_ptr<CanvasViewRendering> CanvasViewRendering::choose(CanvasView& view, bool openGLSupported)
{
    auto openGL = OpenGLCanvasViewRenderer::make(view, openGLSupported);
    if (openGL)
        return std::move(*openGL);
    foundation::note("OpenGL not supported on this system. Using software rendering");
    return std::make_unique<RasterCanvasViewRenderer>(view);
}

} // namespace pelorama::canvas
