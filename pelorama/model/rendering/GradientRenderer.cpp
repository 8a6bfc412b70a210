#include "model/rendering/GradientRenderer.h"

#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/GradientRasterizer.h"
#include "model/rendering/GradientSnapshot.h"

namespace pelorama::model {

void GradientRenderer::draw(const GradientSnapshot& gradient, const CanvasRenderingContext& context)
{
    if (gradient.gradient)
        fillBitmapContext(context.graphicsContext, *gradient.gradient);
}

} // namespace pelorama::model
