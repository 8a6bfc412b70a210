#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/ImageSnapshot.h"
#include "model/rendering/RenderResources.h"
#include "model/rendering/ShadowCaster.h"
#include "model/rendering/SnapshotDrawing.h"
#include "model/rendering/StyleKit.h"

#include <cmath>

namespace pelorama::model {

namespace {

bool hasArea(const graphics::Size& size)
{
    return size.width > 0 && size.height > 0 && std::isfinite(size.width) && std::isfinite(size.height);
}

void drawPlaceholder(const ImageSnapshot& image, const CanvasRenderingContext& context)
{
    const CanvasRenderingMode mode = context.renderingMode;
    const double canvasWidth = context.canvasSize.width;
    const graphics::Rect& frame = image.rect;
    if ((mode != CanvasRenderingMode::canvasView && mode != CanvasRenderingMode::templatePreview) ||
        !(canvasWidth > 0) || !std::isfinite(canvasWidth) || !hasArea(frame.standardized().size))
        return;
    graphics::GraphicsContext& graphics = context.graphicsContext;
    graphics.save();
    graphics.concatenate(context.transform.inverted());
    const double f = graphics.width() / canvasWidth;
    const graphics::Rect pixels{frame.origin.x * f, frame.origin.y * f, frame.size.width * f,
                                frame.size.height * f};
    if (mode == CanvasRenderingMode::canvasView)
        StyleKit::drawImagePlaceholder(graphics, pixels);
    else
        StyleKit::drawEmptyBox(graphics, pixels);
    graphics.restore();
}

} // namespace

void draw(const ImageSnapshot& image, const CanvasRenderingContext& context)
{
    // A picture on its way draws nothing yet, not the placeholder of a missing one.
    if (image.picture.isPending())
        return;
    const std::optional<graphics::Image> decoded = image.picture.picture(context.resources.pictures());
    if (!decoded) {
        drawPlaceholder(image, context);
        return;
    }
    const graphics::Image& picture = *decoded;
    const std::optional<ImageSnapshot::Placement> where = image.placement(picture.size());
    if (!where)
        return;
    graphics::GraphicsContext& graphics = context.graphicsContext;
    graphics.save();
    castShadow(image.shadow, context, [&] {
        return ShadowCaster{picture, where->destination, where->source};
    });
    picture.draw(graphics, where->destination, where->source);
    graphics.restore();
}

} // namespace pelorama::model
