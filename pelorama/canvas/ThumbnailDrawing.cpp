#include "canvas/ThumbnailDrawing.h"

#include "graphics/GraphicsContext.h"
#include "model/rendering/AspectFit.h"

#include <cmath>

namespace pelorama::canvas {

std::optional<graphics::Rect> ThumbnailDrawing::frame(graphics::Size picture, graphics::Size cellSize)
{
    const graphics::Rect inside = graphics::Rect(0, 0, cellSize.width, cellSize.height).insetBy(inset, inset);
    const graphics::Rect fitted = model::aspectFit(picture, inside);
    for (const double value : {fitted.origin.x, fitted.origin.y, fitted.size.width, fitted.size.height}) {
        if (!std::isfinite(value))
            return std::nullopt;
    }
    return fitted.integral();
}

QImage ThumbnailDrawing::compose(const graphics::Image& picture, QSize cellSize, double pixelRatio)
{
    QImage bitmap = graphics::GraphicsContext::makeBitmap(int(std::ceil(cellSize.width() * pixelRatio)),
                                                          int(std::ceil(cellSize.height() * pixelRatio)));
    const std::optional<graphics::Rect> framed =
        frame(picture.size(), {double(cellSize.width()), double(cellSize.height())});
    if (bitmap.isNull() || !framed)
        return bitmap;
    // The frame is in y-down points; the context draws y up in pixels.
    const graphics::Rect flipped(framed->minX(), cellSize.height() - framed->maxY(), framed->width(),
                                 framed->height());
    {
        graphics::GraphicsContext context(bitmap);
        context.scale(pixelRatio, pixelRatio);
        context.save();
        context.setShadow(graphics::Shadow{{0, 0, 0, 0.4}, {0, -pixelRatio}, 2 * pixelRatio});
        context.setFillColor({0, 0, 0, 1});
        context.fillRect(flipped);
        context.restore();
        context.drawImage(picture, flipped);
        // The border lies inside the frame.
        context.setStrokeColor({1, 1, 1, 1});
        context.strokeRect(flipped.insetBy(0.5, 0.5), 1);
    }
    bitmap.setDevicePixelRatio(pixelRatio);
    return bitmap;
}

} // namespace pelorama::canvas
