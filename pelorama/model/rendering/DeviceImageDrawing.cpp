#include "model/devices/DeviceFamily.h"
#include "model/devices/DeviceFrameCache.h"
#include "model/devices/DeviceFrameLayout.h"
#include "model/devices/DeviceVariant.h"
#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/DeviceImageSnapshot.h"
#include "model/rendering/RenderResources.h"
#include "model/rendering/ShadowCaster.h"
#include "model/rendering/SnapshotDrawing.h"
#include "model/rendering/StyleKit.h"
#include "resources/DeviceResources.h"

namespace pelorama::model {

namespace {

std::shared_ptr<const graphics::Image> previewPlaceholder(const DeviceImageSnapshot& device)
{
    resources::initialize();
    return graphics::Image::named(devicePlaceholderName(*device.family, device.orientation));
}

void drawScreenPlaceholder(const DeviceFrameLayout& layout, const CanvasRenderingContext& context)
{
    const double canvasWidth = context.canvasSize.width;
    if (!(canvasWidth > 0))
        return;
    graphics::GraphicsContext& graphics = context.graphicsContext;
    graphics.save();
    // In bitmap pixels, so the placeholder's lines and text keep their size at every zoom.
    graphics.concatenate(context.transform.inverted());
    const graphics::Rect screen = layout.screenRect().applying(layout.deviceTransform());
    const double s = graphics.width() / canvasWidth;
    StyleKit::drawDeviceImagePlaceholder(
        graphics, {screen.origin.x * s, screen.origin.y * s, screen.size.width * s, screen.size.height * s});
    graphics.restore();
}

} // namespace

QString devicePlaceholderName(const DeviceFamily& family, DeviceOrientation orientation)
{
    const bool sideways =
        orientation == DeviceOrientation::landscapeLeft || orientation == DeviceOrientation::landscapeRight;
    return QStringLiteral("placeholder-") + family.name() +
           (family.isOrientable() && sideways ? QStringLiteral("Landscape") : QString());
}

void draw(const DeviceImageSnapshot& device, const CanvasRenderingContext& context)
{
    if (!device.family || !device.variant)
        return;
    // Previews draw devices small, from frames drawn small, sized as the full ones.
    DeviceFrameCache& frames = context.renderingMode == CanvasRenderingMode::templatePreview
                                   ? context.resources.previewDeviceFrames()
                                   : context.resources.deviceFrames();
    const std::shared_ptr<const graphics::Image> frame = frames.frameOrWarning(device.variant->identifier());
    if (!frame)
        return;
    const DeviceFrameLayout layout(device.variant->frameSize(), device.scaleFactor, device.position,
                                   *device.family, *device.variant, device.orientation);
    graphics::GraphicsContext& graphics = context.graphicsContext;

    // The frame and its shadow turn about the position.
    graphics.save();
    graphics.concatenate(layout.deviceTransform());
    castShadow(device.shadow, context, [&] {
        return ShadowCaster{*frame, layout.frameRect(), graphics::Rect::zero(), layout.deviceAngle()};
    });
    frame->draw(graphics, layout.frameRect());
    graphics.restore();

    // A picture on its way leaves the screen as the frame has it, without a placeholder.
    if (device.picture.isPending())
        return;
    std::shared_ptr<const graphics::Image> placeholder;
    const std::optional<graphics::Image> decoded = device.picture.picture(context.resources.pictures());
    const graphics::Image* picture = decoded ? &*decoded : nullptr;
    if (!picture && context.renderingMode == CanvasRenderingMode::templatePreview) {
        placeholder = previewPlaceholder(device);
        picture = placeholder.get();
    }
    if (!picture) {
        if (context.renderingMode == CanvasRenderingMode::canvasView)
            drawScreenPlaceholder(layout, context);
        return;
    }
    const DeviceFrameLayout::PicturePlacement placement = layout.picturePlacement(picture->size());
    graphics.save();
    if (placement.transform)
        graphics.concatenate(*placement.transform);
    picture->draw(graphics, placement.target);
    graphics.restore();
}

} // namespace pelorama::model
