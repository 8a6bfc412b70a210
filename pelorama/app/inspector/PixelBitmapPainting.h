#pragma once

#include <QPainter>
#include <functional>

class QWidget;

namespace graphics {
class GraphicsContext;
}

namespace pelorama::app {

// Draws a widget's picture sharp at its device pixel ratio: draw fills a bitmap of the widget's size in
// device pixels (given the ratio; the context is y-up in pixels), which painter then paints over the
// whole widget. False, with nothing painted, when no bitmap can be made.
bool paintThroughPixelBitmap(
    QWidget& widget, QPainter& painter,
    const std::function<void(graphics::GraphicsContext& context, double ratio)>& draw);

// The bitmap paintThroughPixelBitmap paints, for a widget that keeps it; null when none can be made.
QImage pixelBitmap(const QWidget& widget,
                   const std::function<void(graphics::GraphicsContext& context, double ratio)>& draw);

} // namespace pelorama::app
