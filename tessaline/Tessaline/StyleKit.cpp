#include "tessaline/Tessaline/StyleKit.h"

#include "graphics/Color.h"

#include <QPainter>

namespace tessaline {
namespace {

QColor gray(double white)
{
    return graphics::Color{white, white, white, 1}.toQColor();
}

} // namespace

void StyleKit::drawToolbar(QPainter& painter, const QRectF& frame, bool opaqueBackground)
{
    const QRectF strip(frame.x(), frame.bottom() - 1, frame.width(), 1);
    painter.fillRect(strip, gray(0.5));
    if (opaqueBackground) {
        painter.fillRect(QRectF(frame.x(), frame.y(), frame.width(), frame.height() - 1), gray(1));
    }
}

void StyleKit::drawInspectorSection(QPainter& painter, const QRectF& frame)
{
    painter.fillRect(QRectF(frame.x(), frame.bottom() - 1, frame.width(), 1), gray(2.0 / 3.0));
}

} // namespace tessaline
