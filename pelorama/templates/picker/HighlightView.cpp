#include "templates/picker/HighlightView.h"

#include <QPainter>
#include <QPainterPath>

namespace pelorama::templates {

HighlightView::HighlightView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void HighlightView::setHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    update();
}

void HighlightView::setHighlightColor(const QColor& color)
{
    m_highlightColor = color;
    update();
}

void HighlightView::setCornerRadius(double radius)
{
    m_cornerRadius = radius;
    update();
}

void HighlightView::paintEvent(QPaintEvent*)
{
    if (!m_highlighted)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()), m_cornerRadius, m_cornerRadius);
    painter.fillPath(path, m_highlightColor);
}

} // namespace pelorama::templates
