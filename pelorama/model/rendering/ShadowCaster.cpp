#include "model/rendering/ShadowCaster.h"

#include "model/entities/ShadowSettings.h"
#include "model/imaging/DirectionalShadow.h"
#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/DrawingBounds.h"
#include "model/rendering/RenderResources.h"

namespace pelorama::model {

void castShadow(const ShadowSettings& shadow, const CanvasRenderingContext& context,
                const std::function<std::optional<ShadowCaster>()>& caster)
{
    graphics::GraphicsContext& graphics = context.graphicsContext;
    switch (shadow.type) {
    case ShadowType::none:
        break;
    case ShadowType::drop:
        graphics.setShadow(shadow.dropShadow(context.scaleFactor));
        break;
    case ShadowType::directional:
        if (const std::optional<ShadowCaster> cast = caster()) {
            ShadowSettings drawn = shadow;
            drawn.depth = DrawingBounds::shadowDepth(shadow.depth);
            graphics.setFillColor(shadow.color);
            drawDirectionalShadow(graphics, {context.resources.contours(), context.resources.shadowBands()},
                                  cast->picture, cast->imageRect, cast->clipRect, shadow.angle - cast->turn,
                                  drawn.directionalLength(context.canvasSize));
        }
        break;
    }
}

} // namespace pelorama::model
