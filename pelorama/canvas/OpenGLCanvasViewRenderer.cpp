#include "canvas/OpenGLCanvasViewRenderer.h"

#include "canvas/CanvasView.h"
#include "model/rendering/Canvas.h"
#include "tessaline/Tessaline/ViewPinning.h"
#include "vistrel/Vistrel.h"

namespace pelorama::canvas {

foundation::Expected<std::unique_ptr<OpenGLCanvasViewRenderer>, CanvasViewRenderingError>
OpenGLCanvasViewRenderer::make(CanvasView& canvasView, bool openGLSupported)
{
    if (!openGLSupported)
        return foundation::Unexpected(CanvasViewRenderingError::unsupportedRenderer);
    return std::unique_ptr<OpenGLCanvasViewRenderer>(new OpenGLCanvasViewRenderer(canvasView));
}

OpenGLCanvasViewRenderer::OpenGLCanvasViewRenderer(CanvasView& canvasView)
    : m_canvasView(&canvasView)
{
    auto* vistrel = new vistrel::Vistrel(canvasView.rect(), &canvasView);
    vistrel->setBackgroundColor({1, 1, 1, 1});
    vistrel->setMinimumSize(1, 1);
    // The image view only shows the picture; the pointer belongs to the canvas view. An OpenGL child
    // that takes mouse events itself keeps pointer moves without a button from reaching its parent,
    // which would leave the hover highlight dead.
    vistrel->setAttribute(Qt::WA_TransparentForMouseEvents);
    tessaline::addAndPin(&canvasView, vistrel);
    // Underneath the overlays, the label and the editor.
    vistrel->lower();
    m_vistrel = vistrel;
}

void OpenGLCanvasViewRenderer::canvasDidChange()
{
    if (m_vistrel && (!m_canvasView || !m_canvasView->canvas()))
        m_vistrel->setFrameBuffer(nullptr);
}

void OpenGLCanvasViewRenderer::show(graphics::Image picture, bool /*opaque*/)
{
    if (!m_vistrel)
        return;
    if (!m_canvasView || !m_canvasView->canvas()) {
        m_vistrel->setFrameBuffer(nullptr);
        return;
    }
    m_vistrel->setFrameBuffer(std::make_shared<vistrel::FrameBuffer>(picture));
}

} // namespace pelorama::canvas
