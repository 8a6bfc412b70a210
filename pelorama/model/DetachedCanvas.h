#pragma once

#include "graphics/Image.h"
#include "graphics/Size.h"
#include "model/Canvas.h"
#include "model/CanvasRenderingMode.h"

#include <memory>
#include <vector>

namespace store {
class ManagedObject;
} // namespace store

namespace pelorama::model {

// A canvas that renders on any thread while the context its drawables came from goes on: it draws
// detached copies of the drawables (store::ManagedObject::detachedCopy), which hold their own values and
// belong to no context, so a render never reads the store nor calls into the context.
//
// Made on the drawables' context queue, from a canvas of entity drawables; afterwards used by one thread
// at a time. Drawables that are no managed objects cannot be copied and are left out.
class DetachedCanvas
{
public:
    explicit DetachedCanvas(const Canvas& canvas);
    DetachedCanvas(const DetachedCanvas&) = delete;
    DetachedCanvas& operator=(const DetachedCanvas&) = delete;
    ~DetachedCanvas();

    graphics::Size size() const { return m_canvas.size(); }
    const Canvas& canvas() const { return m_canvas; }
    // As Canvas::render.
    graphics::Image render(CanvasRenderingMode mode, graphics::Size boxSize, double scale) const
    {
        return m_canvas.render(mode, boxSize, scale);
    }

private:
    std::vector<std::unique_ptr<store::ManagedObject>> m_copies;
    Canvas m_canvas;
};

} // namespace pelorama::model
