#include "inspector/PixelBitmapPainting.h"

#include "graphics/GraphicsContext.h"

#include <QWidget>
#include <cmath>

namespace pelorama::app {

QImage pixelBitmap(const QWidget& widget,
                   const std::function<void(graphics::GraphicsContext& context, double ratio)>& draw)
{
    const double ratio = widget.devicePixelRatioF();
    QImage bitmap =
        graphics::GraphicsContext::makeBitmap(static_cast<int>(std::ceil(widget.width() * ratio)),
                                              static_cast<int>(std::ceil(widget.height() * ratio)));
    if (!bitmap.isNull()) {
        graphics::GraphicsContext context(bitmap);
        draw(context, ratio);
    }
    return bitmap;
}

bool paintThroughPixelBitmap(
    QWidget& widget, QPainter& painter,
    const std::function<void(graphics::GraphicsContext& context, double ratio)>& draw)
{
    const QImage bitmap = pixelBitmap(widget, draw);
    if (bitmap.isNull())
        return false;
    painter.drawImage(QRectF(widget.rect()), bitmap);
    return true;
}

} // namespace pelorama::app
