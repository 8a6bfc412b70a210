#include "inspector/PixelBitmapPainting.h"

#include "graphics/GraphicsContext.h"

#include <QWidget>
#include <cmath>

namespace pelorama::app {

bool paintThroughPixelBitmap(
    QWidget& widget, QPainter& painter,
    const std::function<void(graphics::GraphicsContext& context, double ratio)>& draw)
{
    const double ratio = widget.devicePixelRatioF();
    QImage bitmap =
        graphics::GraphicsContext::makeBitmap(static_cast<int>(std::ceil(widget.width() * ratio)),
                                              static_cast<int>(std::ceil(widget.height() * ratio)));
    if (bitmap.isNull())
        return false;
    {
        graphics::GraphicsContext context(bitmap);
        draw(context, ratio);
    }
    painter.drawImage(QRectF(widget.rect()), bitmap);
    return true;
}

} // namespace pelorama::app
