#pragma once

#include "canvas/CanvasViewRendering.h"
#include "canvas/CanvasViewRenderingError.h"
#include "foundation/Expected.h"

#include <QPointer>
#include <memory>

namespace vistrel {
class Vistrel;
}

namespace pelorama::canvas {

class CanvasView;

// Shows the rendered canvas in a Vistrel view, a GPU image view pinned over the whole canvas view on a
// white background. The canvas view owns the renderer; the Vistrel view is the canvas view's child.
class OpenGLCanvasViewRenderer : public CanvasViewRendering
{
public:
    // Refuses with unsupportedRenderer, making nothing, where OpenGL cannot be used (openGLSupported is
    // what vistrel::Vistrel::isSupported() answers).
    static foundation::Expected<std::unique_ptr<OpenGLCanvasViewRenderer>, CanvasViewRenderingError>
    make(CanvasView& canvasView, bool openGLSupported);

    void canvasDidChange() override;
    void show(graphics::Image picture, bool opaque) override;

    vistrel::Vistrel* vistrel() const { return m_vistrel; }

private:
    explicit OpenGLCanvasViewRenderer(CanvasView& canvasView);

    QPointer<CanvasView> m_canvasView;
    QPointer<vistrel::Vistrel> m_vistrel;
};

} // namespace pelorama::canvas
