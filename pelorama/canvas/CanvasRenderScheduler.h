#pragma once

#include "canvas/DecodingPictures.h"
#include "foundation/CoalescedPerform.h"
#include "graphics/Image.h"
#include "model/rendering/CanvasRenderer.h"
#include "model/rendering/RenderJobs.h"
#include "model/rendering/RenderResources.h"

#include <QObject>
#include <QThreadPool>
#include <memory>

namespace pelorama::model {
class Canvas;
} // namespace pelorama::model

namespace pelorama::canvas {

class CanvasView;

// When and where the canvas view's renders run, and what of them it announces (CanvasView::willRender and
// didRender, whose rules it keeps). Requests only set needsRendering, and one render follows on the next
// pass of the event loop however many came before it. It takes a snapshot of the view's canvas there and
// draws it on a thread of its own, so that the window answers while a big canvas draws; while it runs,
// requests wait for it, and one more render then draws the canvas as it is. The thread is the view's own
// rather than one of the render pool's: a render never waits behind thumbnails or an export, and the
// captions it laid out (which belong to the thread that laid them out) are there for the next render. The
// bands a render splits into still run on the render pool. Main thread only.
class CanvasRenderScheduler : public QObject
{
public:
    explicit CanvasRenderScheduler(CanvasView& view);
    // A render running ends on its own, and its picture goes nowhere; the view waits for it here.
    ~CanvasRenderScheduler() override;

    // See CanvasView::needsRendering, setNeedsRendering and renderCanvas.
    bool needsRendering() const
    {
        return m_needsRendering || m_renders.currentCount() != 0 || m_announced != nullptr;
    }
    void setNeedsRendering(bool needsRendering);
    void renderCanvas();
    // For a change the context reported once all of a pass's changes were made: the render starts at once,
    // since one asked for on the next pass would wait behind the repaints the same changes asked for. A
    // render asked for already takes the change in; one running is followed by one more as it ends.
    void renderChange();

    // As the view's canvas is about to be replaced: a render announced for it is over unless it still
    // runs (then it ends as it comes back), and the pictures of the next one are asked for afresh.
    void canvasWillChange();

private:
    struct Rendered
    {
        graphics::Image picture;
        bool opaque = false;  // no pixel of the picture lets the white behind it through
        bool complete = true; // no picture was left out for being decoded still
    };
    // Lent the view's one renderer, which keeps what it laid out for the next render.
    using Renders = model::RenderJobs<Rendered, std::shared_ptr<model::CanvasRenderer>>;

    void takeRender();
    // Emits didRender for the render announced and not yet done, if any.
    void endAnnouncement();

    CanvasView& m_view;
    // Back whenever no render runs.
    std::shared_ptr<model::CanvasRenderer> m_renderer = std::make_shared<model::CanvasRenderer>();
    std::shared_ptr<const model::Canvas> m_renderingCanvas;
    // The canvas willRender announced, until didRender.
    std::shared_ptr<const model::Canvas> m_announced;
    DecodingPictures m_pictures{model::RenderResources::shared().pictures()};
    bool m_needsRendering = false;
    foundation::CoalescedPerform m_renderPerform;
    // One thread, kept for the view's life.
    QThreadPool m_renderThread;
    Renders m_renders;
};

} // namespace pelorama::canvas
