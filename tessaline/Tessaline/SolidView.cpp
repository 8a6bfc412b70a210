#include "tessaline/Tessaline/SolidView.h"

#include <QPainter>
#include <QPainterPath>

namespace tessaline {

SolidView::SolidView(QWidget* parent)
    : QWidget(parent)
{}

void SolidView::setBackgroundColor(const graphics::Color& color)
{
    m_backgroundColor = color;
    update();
    emit backgroundColorChanged();
}

void SolidView::setRadius(double radius)
{
    m_radius = radius;
    update();
    emit radiusChanged();
}

void SolidView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_radius <= 0) {
        painter.fillRect(rect(), m_backgroundColor.toQColor());
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), m_radius, m_radius);
    painter.fillPath(shape, m_backgroundColor.toQColor());
}

} // namespace tessaline
