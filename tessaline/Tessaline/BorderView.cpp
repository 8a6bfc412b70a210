#include "tessaline/Tessaline/BorderView.h"

#include <QPainter>

namespace tessaline {

BorderView::BorderView(QWidget* parent)
    : QWidget(parent)
{
    for (Layer* layer : {&m_left, &m_right, &m_top, &m_bottom}) {
        layer->backgroundColor = m_borderColor;
    }
    updateLayerVisibility();
    layoutLayers();
}

void BorderView::setBackgroundColor(const graphics::Color& color)
{
    m_backgroundColor = color;
    update();
    emit backgroundColorChanged();
}

void BorderView::setBorderColor(const graphics::Color& color)
{
    m_borderColor = color;
    for (Layer* layer : {&m_left, &m_right, &m_top, &m_bottom}) {
        layer->backgroundColor = color;
    }
    update();
    emit borderColorChanged();
}

void BorderView::setHasLeftBorder(bool has)
{
    m_hasLeftBorder = has;
    bordersDidChange();
}

void BorderView::setHasRightBorder(bool has)
{
    m_hasRightBorder = has;
    bordersDidChange();
}

void BorderView::setHasTopBorder(bool has)
{
    m_hasTopBorder = has;
    bordersDidChange();
}

void BorderView::setHasBottomBorder(bool has)
{
    m_hasBottomBorder = has;
    bordersDidChange();
}

void BorderView::bordersDidChange()
{
    updateLayerVisibility();
    layoutLayers();
    emit bordersChanged();
}

void BorderView::updateLayerVisibility()
{
    m_left.attached = m_hasLeftBorder;
    m_right.attached = m_hasRightBorder;
    m_top.attached = m_hasTopBorder;
    m_bottom.attached = m_hasBottomBorder;
    update();
}

void BorderView::layoutLayers()
{
    const double w = width();
    const double h = height();
    if (m_hasLeftBorder) {
        m_left.frame = QRectF(0, 0, 1, h);
    }
    if (m_hasRightBorder) {
        m_right.frame = QRectF(w - 1, 0, 1, h);
    }
    const double l = m_hasLeftBorder ? 1 : 0;
    const double r = m_hasRightBorder ? 1 : 0;
    if (m_hasTopBorder) {
        m_top.frame = QRectF(l, 0, w - l - r, 1);
    }
    if (m_hasBottomBorder) {
        m_bottom.frame = QRectF(l, h - 1, w - l - r, 1);
    }
    update();
}

void BorderView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutLayers();
}

void BorderView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_backgroundColor.toQColor());
    for (const Layer* layer : {&m_left, &m_right, &m_top, &m_bottom}) {
        if (layer->attached) {
            painter.fillRect(layer->frame, layer->backgroundColor.toQColor());
        }
    }
}

} // namespace tessaline
