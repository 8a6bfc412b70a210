#include "canvas/CanvasOverlay.h"

#include <QPainter>

namespace pelorama::canvas {

CanvasOverlay::CanvasOverlay(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void CanvasOverlay::setSelectionFrame(const std::optional<graphics::Rect>& frame)
{
    if (frame == m_selectionFrame)
        return;
    m_selectionFrame = frame;
    update();
}

void CanvasOverlay::setHighlightFrame(const std::optional<graphics::Rect>& frame)
{
    if (frame == m_highlightFrame)
        return;
    m_highlightFrame = frame;
    update();
}

QRectF CanvasOverlay::widgetRect(const graphics::Rect& frame) const
{
    return {frame.minX(), height() - frame.maxY(), frame.width(), frame.height()};
}

void CanvasOverlay::paintEvent(QPaintEvent*)
{
    if (!m_selectionFrame && !m_highlightFrame)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_highlightFrame)
        painter.fillRect(widgetRect(*m_highlightFrame), QColor::fromRgbF(1, 1, 1, 0.1f));
    if (m_selectionFrame) {
        constexpr double borderWidth = 2;
        const QRectF inside =
            widgetRect(*m_selectionFrame)
                .adjusted(borderWidth / 2, borderWidth / 2, -borderWidth / 2, -borderWidth / 2);
        painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.5f), borderWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(inside);
    }
}

} // namespace pelorama::canvas
