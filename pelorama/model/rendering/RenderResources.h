#pragma once

#include "graphics/FillCache.h"
#include "graphics/ImageLayerCache.h"
#include "model/devices/DeviceFrameCache.h"
#include "model/imaging/ContourCache.h"
#include "model/rendering/PictureCache.h"
#include "model/rendering/RenderBudgets.h"
#include "model/rendering/TextMaskCache.h"

#include <QThreadPool>
#include <memory>

namespace pelorama::model {

// The caches every renderer draws from, keyed by their inputs and shared by every renderer on every thread
// (each is thread-safe): decoded pictures, the canvas view's resampled images, filled shadow bands and
// caption masks, the outlines and bands of directional shadows, and the decoded device frames (full and
// small, for template previews); and the thread of a render that has the machine to itself. The drawing code
// reaches them through the CanvasRenderingContext it is given; a CanvasRenderer is given them when it is
// made.
//
// A program makes its own at start-up (Program), once its application object exists and before its first
// render or picture, and they last until just before the application object goes.
class RenderResources
{
public:
    explicit RenderResources(const RenderBudgets& budgets = {});
    RenderResources(const RenderResources&) = delete;
    RenderResources& operator=(const RenderResources&) = delete;
    ~RenderResources();

    // The resources a program made at start-up, for what draws or holds pictures without a rendering
    // context to take them from (an entity's picture, the canvas view, a renderer made without them).
    class Program
    {
    public:
        explicit Program(const RenderBudgets& budgets = {});
        Program(const Program&) = delete;
        Program& operator=(const Program&) = delete;
        ~Program();

    private:
        std::unique_ptr<RenderResources> m_resources;
    };

    // The program's resources; a program that made none at start-up stops here, naming the fault.
    static RenderResources& shared();

    PictureCache& pictures() { return m_pictures; }
    graphics::ImageLayerCache& canvasViewImages() { return m_canvasViewImages; }
    graphics::FillCache& shadowBands() { return m_shadowBands; }
    // The traced outlines of pictures and the paths of their directional shadows' bands.
    ContourCache& contours() { return m_contours; }
    TextMaskCache& textMasks() { return m_textMasks; }
    // The frames among the application's resources, and the small ones template previews draw: each
    // frame drawn small, with the size of the full frame (the catalogue's), so a device is placed and
    // traced as with the full one.
    DeviceFrameCache& deviceFrames() { return m_deviceFrames; }
    DeviceFrameCache& previewDeviceFrames() { return m_previewDeviceFrames; }

    // The thread of a render that has the machine to itself, the export of one screenshot: outside the
    // worker pool, because Qt splits the fills and blends of a large picture over that pool only for a
    // thread outside it and does them alone on a thread of its own (a render of 2880 x 1800 took half
    // again as long there). The loops of the render itself still spread over the pool.
    QThreadPool& soleRenderThread() { return m_soleRenderThread; }

private:
    PictureCache m_pictures;
    graphics::ImageLayerCache m_canvasViewImages;
    graphics::FillCache m_shadowBands;
    ContourCache m_contours;
    TextMaskCache m_textMasks;
    DeviceFrameCache m_deviceFrames{&DeviceFrameCache::loadFromResources};
    DeviceFrameCache m_previewDeviceFrames{&DeviceFrameCache::loadPreviewFromResources};
    QThreadPool m_soleRenderThread;
};

} // namespace pelorama::model
