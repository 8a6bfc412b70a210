#include "model/BackgroundRenderer.h"

#include "model/BackgroundSnapshot.h"
#include "model/CanvasRenderingContext.h"
#include "model/GradientRasterizer.h"

namespace pelorama::model {

void BackgroundRenderer::draw(const BackgroundSnapshot& background, const CanvasRenderingContext& context)
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
