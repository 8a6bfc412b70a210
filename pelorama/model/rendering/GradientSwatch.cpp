#include "model/rendering/GradientSwatch.h"

#include "graphics/BitmapImageRep.h"
#include "graphics/Path.h"

#include <cmath>

namespace pelorama::model {

namespace {

std::optional<int> pixels(double points, int pixelsPerPoint)
{
    const double whole = std::trunc(points);
    if (!std::isfinite(whole) || whole < 1 || whole * pixelsPerPoint > 32767)
        return std::nullopt;
    return static_cast<int>(whole) * pixelsPerPoint;
}

} // namespace

void drawGradientSwatch(graphics::GraphicsContext& context, const graphics::Gradient& gradient,
                        const graphics::Rect& rect)
{
    context.save();
    graphics::Path path = graphics::Path::roundedRect(rect, 4, 4);
    context.drawGradient(gradient, path, -90);
    context.clipToPath(path);
    path.setLineWidth(2);
    context.setStrokeColor(graphics::Color{0, 0, 0, 0.25});
    context.strokePath(path);
    context.restore();
}

graphics::Image renderGradientSwatch(const graphics::Gradient& gradient, graphics::Size size,
                                     int pixelsPerPoint)
{
    graphics::Image image(size);
    const std::optional<int> width = pixels(size.width, pixelsPerPoint);
    const std::optional<int> height = pixels(size.height, pixelsPerPoint);
    if (!width || !height)
        return image;
    QImage bitmap = graphics::GraphicsContext::makeBitmap(*width, *height);
    if (bitmap.isNull())
        return image;
    {
        graphics::GraphicsContext context(bitmap);
        context.scale(pixelsPerPoint, pixelsPerPoint);
        drawGradientSwatch(context, gradient, graphics::Rect({0, 0}, size));
    }
    image.addRepresentation(graphics::BitmapImageRep(bitmap, size));
    return image;
}

} // namespace pelorama::model
