#include "model/rendering/DetachedCanvas.h"

#include "model/entities/Drawable.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/CanvasRenderer.h"

namespace pelorama::model {

namespace {

std::vector<DrawableSnapshot> snapshots(const Canvas& canvas, const QString& language)
{
    const std::vector<Drawable*> drawables = canvas.drawables();
    std::vector<DrawableSnapshot> taken;
    taken.reserve(drawables.size());
    for (const Drawable* drawable : drawables)
        taken.push_back(drawable->snapshotInLanguage(language));
    return taken;
}

} // namespace

DetachedCanvas::DetachedCanvas(graphics::Size size, std::vector<DrawableSnapshot> drawables)
    : m_size(size)
    , m_drawables(std::move(drawables))
{}

DetachedCanvas::DetachedCanvas(const Canvas& canvas, const QString& language)
    : m_size(canvas.size())
    , m_drawables(snapshots(canvas, language))
{}

DetachedCanvas
DetachedCanvas::withPictures(const std::function<PictureReference(const PictureReference&)>& change) const
{
    DetachedCanvas changed = *this;
    for (DrawableSnapshot& drawable : changed.m_drawables) {
        if (auto* image = std::get_if<ImageSnapshot>(&drawable))
            image->picture = change(image->picture);
        else if (auto* device = std::get_if<DeviceImageSnapshot>(&drawable))
            device->picture = change(device->picture);
    }
    return changed;
}

graphics::Image DetachedCanvas::render(CanvasRenderingMode mode, graphics::Size boxSize, double scale) const
{
    CanvasRenderer renderer;
    return renderer.render(*this, mode, boxSize, scale);
}

} // namespace pelorama::model
