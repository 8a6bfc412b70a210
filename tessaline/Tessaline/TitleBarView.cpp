#include "tessaline/Tessaline/TitleBarView.h"

#include <QMouseEvent>
#include <QPainter>

namespace tessaline {

TitleBarView::TitleBarView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("titleBarView"));
}

void TitleBarView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, QColor(0xf2, 0xf2, 0xf2));
    gradient.setColorAt(1, QColor(0xe4, 0xe4, 0xe4));
    painter.fillRect(rect(), gradient);
    painter.fillRect(QRect(0, height() - 1, width(), 1), QColor(0xc8, 0xc8, 0xc8));
}

void TitleBarView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized();
}

void TitleBarView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_drag.begin(window(), event, {});
    }
}

void TitleBarView::mouseMoveEvent(QMouseEvent* event)
{
    m_drag.follow(event);
}

void TitleBarView::mouseReleaseEvent(QMouseEvent*)
{
    m_drag.end();
}

void TitleBarView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit zoomRequested();
    }
}

} // namespace tessaline
