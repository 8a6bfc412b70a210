#include "model/rendering/BackgroundSnapshot.h"
#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/GradientRasterizer.h"
#include "model/rendering/SnapshotDrawing.h"

namespace pelorama::model {

void draw(const BackgroundSnapshot& background, const CanvasRenderingContext& context)
{
    graphics::GraphicsContext& graphics = context.graphicsContext;
    if (background.type == BackgroundType::gradient) {
        fillBitmapContext(graphics,
                          graphics::Gradient(background.gradientStartColor, background.gradientEndColor));
        return;
    }
    graphics.setFillColor(background.solidColor);
    graphics.save();
    graphics.setCompositingOperation(graphics::CompositingOperation::copy);
    graphics.fillRect(graphics::Rect({0, 0}, context.canvasSize));
    graphics.restore();
}

} // namespace pelorama::model
