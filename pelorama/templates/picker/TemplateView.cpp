#include "templates/picker/TemplateView.h"

#include <QPainter>
#include <QPainterPath>
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
    painter.setRenderHint(QPainter::Antialiasing);
    // The shadow: a few widening, fading copies of the card, one point lower.
    const QRectF card(border);
    for (int ring = 2; ring >= 1; --ring) {
        QPainterPath shadow;
        shadow.addRoundedRect(card.translated(0, 1).adjusted(-ring, -ring, ring, ring), ring, ring);
        painter.fillPath(shadow, QColor(0, 0, 0, int(255 * 0.4 / (ring + 1))));
    }
    painter.fillRect(card, Qt::white);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(card.adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace pelorama::templates
