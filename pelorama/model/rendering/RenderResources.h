#pragma once

#include "graphics/FillCache.h"
#include "graphics/ImageLayerCache.h"
#include "model/rendering/PictureCache.h"
#include "model/rendering/RenderBudgets.h"
#include "model/rendering/TextMaskCache.h"

namespace pelorama::model {

// The caches every renderer draws from, keyed by their inputs and shared by every renderer on every thread
// (each is thread-safe): decoded pictures, the canvas view's resampled images, filled shadow bands and
// caption masks. The drawing code reaches them through the CanvasRenderingContext it is given; a
// CanvasRenderer is given them when it is made.
class RenderResources
{
public:
    explicit RenderResources(const RenderBudgets& budgets = {});
    RenderResources(const RenderResources&) = delete;
    RenderResources& operator=(const RenderResources&) = delete;

    // The resources of the application's renders, made with the default budgets on first use (after the
    // application object, whose thread hears PictureCache's signal) and kept until the process ends.
    static RenderResources& shared();

    PictureCache& pictures() { return m_pictures; }
    graphics::ImageLayerCache& canvasViewImages() { return m_canvasViewImages; }
    graphics::FillCache& shadowBands() { return m_shadowBands; }
    TextMaskCache& textMasks() { return m_textMasks; }

private:
    PictureCache m_pictures;
    graphics::ImageLayerCache m_canvasViewImages;
    graphics::FillCache m_shadowBands;
    TextMaskCache m_textMasks;
};

} // namespace pelorama::model
