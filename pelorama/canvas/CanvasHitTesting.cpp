#include "canvas/CanvasHitTesting.h"

#include "model/entities/Drawable.h"
#include "model/entities/Selectable.h"
#include "model/rendering/Canvas.h"

namespace pelorama::canvas {

model::Selectable* selectableAt(const model::Canvas& canvas, const CanvasMapping& mapping,
                                graphics::Point viewPoint)
{
    if (!mapping.isValid() || !mapping.fittedRect().contains(viewPoint))
        return nullptr;
    const graphics::Point canvasPoint = mapping.canvasPoint(viewPoint);
    const std::vector<model::Drawable*> drawables = canvas.drawables();
    for (auto drawable = drawables.rbegin(); drawable != drawables.rend(); ++drawable) {
        auto* selectable = dynamic_cast<model::Selectable*>(*drawable);
        if (selectable && selectable->boundingRect().contains(canvasPoint))
            return selectable;
    }
    return nullptr;
}

} // namespace pelorama::canvas
