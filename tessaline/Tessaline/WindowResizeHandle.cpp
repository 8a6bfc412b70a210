#include "tessaline/Tessaline/WindowResizeHandle.h"

#include <QMouseEvent>

namespace tessaline {
namespace {

Qt::CursorShape cursorFor(Qt::Edges edges)
{
    if (edges == (Qt::TopEdge | Qt::LeftEdge) || edges == (Qt::BottomEdge | Qt::RightEdge)) {
        return Qt::SizeFDiagCursor;
    }
    if (edges == (Qt::TopEdge | Qt::RightEdge) || edges == (Qt::BottomEdge | Qt::LeftEdge)) {
        return Qt::SizeBDiagCursor;
    }
    return edges & (Qt::LeftEdge | Qt::RightEdge) ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

} // namespace

WindowResizeHandle::WindowResizeHandle(Qt::Edges edges, QWidget* window)
    : QWidget(window)
    , m_edges(edges)
{
    setCursor(cursorFor(edges));
}

void WindowResizeHandle::place()
{
    const QRect bounds = parentWidget()->rect();
    const int t = thickness;
    QRect frame(t, t, bounds.width() - 2 * t, bounds.height() - 2 * t);
    if (m_edges & Qt::LeftEdge) {
        frame.setLeft(0);
        frame.setWidth(t);
    } else if (m_edges & Qt::RightEdge) {
        frame.setLeft(bounds.width() - t);
        frame.setWidth(t);
    }
    if (m_edges & Qt::TopEdge) {
        frame.setTop(0);
        frame.setHeight(t);
    } else if (m_edges & Qt::BottomEdge) {
        frame.setTop(bounds.height() - t);
        frame.setHeight(t);
    }
    setGeometry(frame);
    raise();
}

void WindowResizeHandle::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_drag.begin(window(), event, m_edges);
    }
}

void WindowResizeHandle::mouseMoveEvent(QMouseEvent* event)
{
    m_drag.follow(event);
}

void WindowResizeHandle::mouseReleaseEvent(QMouseEvent*)
{
    m_drag.end();
}

} // namespace tessaline
