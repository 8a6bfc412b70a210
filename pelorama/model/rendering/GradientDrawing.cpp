#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/GradientRasterizer.h"
#include "model/rendering/GradientSnapshot.h"
#include "model/rendering/SnapshotDrawing.h"

namespace pelorama::model {

void draw(const GradientSnapshot& gradient, const CanvasRenderingContext& context)
{
    if (gradient.gradient)
        fillBitmapContext(context.graphicsContext, *gradient.gradient);
}

} // namespace pelorama::model
