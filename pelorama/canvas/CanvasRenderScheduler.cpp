#include "canvas/CanvasRenderScheduler.h"

#include "canvas/CanvasView.h"
#include "canvas/CanvasViewRendering.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"

namespace pelorama::canvas {

namespace {

bool isOpaque(const graphics::Image& picture)
{
    if (picture.representations().empty())
        return false;
    const QImage& pixels = picture.representations().front().bitmap();
    if (!pixels.hasAlphaChannel())
        return true;
    // Where the alpha of a pixel lies: a byte of its own, or the top byte of a native 32-bit word.
    const bool alphaByte = pixels.format() == QImage::Format_RGBA8888_Premultiplied ||
                           pixels.format() == QImage::Format_RGBA8888;
    if (!alphaByte && pixels.format() != QImage::Format_ARGB32_Premultiplied &&
        pixels.format() != QImage::Format_ARGB32)
        return false;
    // Every picture shown is looked at whole, so a row's alphas are gathered in one loop the compiler
    // vectorises, and the row checked once.
    const int offset = alphaByte || Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 3 : 0;
    const int width = pixels.width();
    const int height = pixels.height();
    for (int y = 0; y < height; ++y) {
        const uchar* alpha = pixels.constScanLine(y) + offset;
        uchar all = 255;
        for (int x = 0; x < width; ++x)
            all &= alpha[4 * x];
        if (all != 255)
            return false;
    }
    return true;
}

} // namespace

CanvasRenderScheduler::CanvasRenderScheduler(CanvasView& view)
    : m_view(view)
    , m_renderPerform([this] { renderCanvas(); })
    , m_renders(*this, &CanvasRenderScheduler::takeRender)
{
    m_renderThread.setMaxThreadCount(1);
    m_renderThread.setExpiryTimeout(-1);
    connect(&m_pictures, &DecodingPictures::pictureArrived, this, [this] { setNeedsRendering(true); });
}

CanvasRenderScheduler::~CanvasRenderScheduler()
{
    m_renders.close();
    // The render running ends here, before the jobs' mailbox is let go of: the last hold on it, released
    // after the render, is what orders the render before the view's going for race checkers, which do not
    // see Qt's waiting for its threads.
    m_renderThread.waitForDone();
}

void CanvasRenderScheduler::setNeedsRendering(bool needsRendering)
{
    const bool requested = !m_needsRendering && needsRendering;
    m_needsRendering = needsRendering;
    if (requested)
        m_renderPerform.request();
}

void CanvasRenderScheduler::renderChange()
{
    // The render takes a fresh snapshot; nothing of the old picture needs letting go.
    if (m_renders.currentCount() || m_needsRendering)
        setNeedsRendering(true);
    else
        renderCanvas();
}

void CanvasRenderScheduler::canvasWillChange()
{
    if (!m_renders.currentCount())
        endAnnouncement();
    m_pictures.reset();
}

void CanvasRenderScheduler::renderCanvas()
{
    // The render running starts the next one as it ends.
    if (m_renders.currentCount())
        return;
    m_needsRendering = false;
    if (!m_view.canvas())
        return;
    // A render that left pictures out was announced already: this one, or one after it, completes it.
    if (m_announced != m_view.canvas()) {
        // Held here: a slot may let go of the canvas while others still hear of it.
        const std::shared_ptr<const model::Canvas> canvas = m_view.canvas();
        m_announced = canvas;
        emit m_view.willRender(*canvas);
        // A slot that assigned another canvas, or none, ended this announcement; another canvas has its
        // own render asked for.
        if (!m_view.canvas() || m_announced != m_view.canvas())
            return;
    }
    m_renderingCanvas = m_view.canvas();
    DecodingPictures::Prepared prepared =
        m_pictures.prepared(model::DetachedCanvas(*m_renderingCanvas, m_view.language()));
    m_renders.start(
        std::move(m_renderer),
        [snapshot = std::move(prepared.canvas), complete = prepared.complete,
         bounds = m_view.boundsSize()](std::shared_ptr<model::CanvasRenderer>& renderer) {
            graphics::Image picture =
                renderer->render(snapshot, model::CanvasRenderingMode::canvasView, bounds, 2.0);
            const bool opaque = isOpaque(picture);
            return Rendered{std::move(picture), opaque, complete};
        },
        m_renderThread);
}

void CanvasRenderScheduler::takeRender()
{
    // One render runs at a time, and none is dropped: each comes back whole.
    for (Renders::Returned& returned : m_renders.take()) {
        m_renderer = std::move(returned.tool);
        const std::shared_ptr<const model::Canvas> canvas = std::exchange(m_renderingCanvas, nullptr);
        if (canvas != m_view.canvas()) {
            // Replaced while it ran: not shown, but over. The canvas assigned has its own render asked for.
            endAnnouncement();
            continue;
        }
        m_view.renderer().show(std::move(returned.result->picture), returned.result->opaque);
        // A picture that leaves out pictures still being decoded is shown, as better than the last one,
        // but it is not the render announced: the one that follows their decoding is.
        if (returned.result->complete)
            endAnnouncement();
    }
    if (!m_renders.currentCount() && m_needsRendering)
        m_renderPerform.request();
}

void CanvasRenderScheduler::endAnnouncement()
{
    if (const std::shared_ptr<const model::Canvas> announced = std::exchange(m_announced, nullptr))
        emit m_view.didRender(*announced);
}

} // namespace pelorama::canvas
