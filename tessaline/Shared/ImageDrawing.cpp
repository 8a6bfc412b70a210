#include "tessaline/Shared/ImageDrawing.h"

#include <cmath>
#include <limits>

namespace tessaline {
namespace {

// The pixel count of one dimension, or 0 when it cannot make a bitmap.
int pixelCount(double points)
{
    if (!std::isfinite(points)) {
        return 0;
    }
    const double truncated = std::trunc(points);
    if (truncated < 1 || truncated > std::numeric_limits<int>::max()) {
        return 0;
    }
    return static_cast<int>(truncated);
}

} // namespace

graphics::Image imageWithSize(graphics::Size size,
                              const std::function<void(graphics::GraphicsContext&)>& drawingBlock)
{
    const bool finite = std::isfinite(size.width) && std::isfinite(size.height);
    graphics::Image image(finite ? size : graphics::Size{});
    const int pixelsWide = pixelCount(size.width);
    const int pixelsHigh = pixelCount(size.height);
    if (pixelsWide == 0 || pixelsHigh == 0) {
        return image;
    }
    QImage bitmap = graphics::GraphicsContext::makeBitmap(pixelsWide, pixelsHigh);
    if (bitmap.isNull()) {
        return image;
    }
    {
        graphics::GraphicsContext context(bitmap);
        drawingBlock(context);
    }
    image.addRepresentation(graphics::BitmapImageRep(bitmap));
    return image;
}

} // namespace tessaline
