#pragma once

#include "canvas/CanvasViewRendering.h"

#include <QPointer>

namespace pelorama::canvas {

class CanvasView;

// Shows the rendered canvas as the canvas view's own contents, painted fitted and centred on white by
// the view itself: works on every platform, also without OpenGL.
class RasterCanvasViewRenderer : public CanvasViewRendering
{
public:
    explicit RasterCanvasViewRenderer(CanvasView& canvasView);

    void canvasDidChange() override;
    void show(graphics::Image picture, bool opaque) override;

private:
    QPointer<CanvasView> m_canvasView;
};

} // namespace pelorama::canvas
