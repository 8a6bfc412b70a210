#include "templates/picker/TemplateView.h"

#include "graphics/Color.h"
#include "graphics/ShadowRenderer.h"

#include <QPainter>
#include <cmath>

namespace pelorama::templates {

TemplateView::TemplateView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QRect TemplateView::borderRect() const
{
    // The smallest rectangle of whole points that holds the inset bounds.
    const QRectF inset = QRectF(rect()).adjusted(borderInset, borderInset, -borderInset, -borderInset);
    const int left = int(std::floor(inset.left()));
    const int top = int(std::floor(inset.top()));
    const int right = int(std::ceil(inset.right()));
    const int bottom = int(std::ceil(inset.bottom()));
    return QRect(QPoint(left, top), QSize(std::max(0, right - left), std::max(0, bottom - top)));
}

void TemplateView::paintEvent(QPaintEvent*)
{
    const QRect border = borderRect();
    if (border.isEmpty())
        return;
    QPainter painter(this);
    const qreal scale = devicePixelRatioF();
    const QSize pixels = (QSizeF(border.size()) * scale).toSize();
    if (m_shadow.isNull() || m_shadowCardPixels != pixels) {
        QImage card(pixels, QImage::Format_RGBA8888_Premultiplied);
        card.fill(Qt::white);
        m_shadow = graphics::ShadowRenderer::render(card, shadowBlurRadius * scale,
                                                    graphics::Color{0, 0, 0, shadowOpacity});
        m_shadow.setDevicePixelRatio(scale);
        m_shadowCardPixels = pixels;
    }
    // The shadow's offset points up the y-up drawing space, so on screen it falls one point lower.
    const qreal extent = graphics::ShadowRenderer::extent(shadowBlurRadius * scale) / scale;
    painter.drawImage(QPointF(border.left() - extent, border.top() - extent - shadowOffsetY), m_shadow);
    painter.fillRect(border, Qt::white);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(QRectF(border).adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace pelorama::templates
