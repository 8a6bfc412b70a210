#include "canvas/RasterCanvasViewRenderer.h"

#include "canvas/CanvasView.h"
#include "model/rendering/Canvas.h"

namespace pelorama::canvas {

RasterCanvasViewRenderer::RasterCanvasViewRenderer(CanvasView& canvasView)
    : m_canvasView(&canvasView)
{}

void RasterCanvasViewRenderer::canvasDidChange()
{
    if (m_canvasView && !m_canvasView->canvas())
        m_canvasView->setContents(std::nullopt);
}

void RasterCanvasViewRenderer::show(graphics::Image picture, bool opaque)
{
    if (!m_canvasView)
        return;
    if (!m_canvasView->canvas()) {
        m_canvasView->setContents(std::nullopt);
        return;
    }
    m_canvasView->setContents(std::move(picture), opaque);
}

} // namespace pelorama::canvas
