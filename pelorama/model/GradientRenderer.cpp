#include "model/GradientRenderer.h"

#include "model/CanvasRenderingContext.h"
#include "model/GradientRasterizer.h"
#include "model/GradientSnapshot.h"

namespace pelorama::model {

void GradientRenderer::draw(const GradientSnapshot& gradient, const CanvasRenderingContext& context)
{
    if (gradient.gradient)
        fillBitmapContext(context.graphicsContext, *gradient.gradient);
}

} // namespace pelorama::model
