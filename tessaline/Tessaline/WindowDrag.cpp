#include "tessaline/Tessaline/WindowDrag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace tessaline {

void WindowDrag::begin(QWidget* window, QMouseEvent* event, Qt::Edges edges)
{
    end();
    QWindow* handle = window ? window->windowHandle() : nullptr;
    if (!handle) {
        return;
    }
    const bool started = edges ? handle->startSystemResize(edges) : handle->startSystemMove();
    if (started) {
        return;
    }
    m_window = window;
    m_edges = edges;
    m_pressPosition = event->globalPosition().toPoint();
    m_startPosition = window->pos();
    m_startGeometry = window->geometry();
}

void WindowDrag::follow(QMouseEvent* event)
{
    if (!m_window) {
        return;
    }
    const QPoint delta = event->globalPosition().toPoint() - m_pressPosition;
    if (!m_edges) {
        // move() places the frame, as pos() reports it.
        m_window->move(m_startPosition + delta);
        return;
    }
    QRect geometry = m_startGeometry;
    const QSize minimum = m_window->minimumSizeHint().expandedTo(m_window->minimumSize());
    if (m_edges & Qt::LeftEdge) {
        geometry.setLeft(std::min(geometry.left() + delta.x(), geometry.right() - minimum.width() + 1));
    }
    if (m_edges & Qt::RightEdge) {
        geometry.setRight(std::max(geometry.right() + delta.x(), geometry.left() + minimum.width() - 1));
    }
    if (m_edges & Qt::TopEdge) {
        geometry.setTop(std::min(geometry.top() + delta.y(), geometry.bottom() - minimum.height() + 1));
    }
    if (m_edges & Qt::BottomEdge) {
        geometry.setBottom(std::max(geometry.bottom() + delta.y(), geometry.top() + minimum.height() - 1));
    }
    m_window->setGeometry(geometry);
}

void WindowDrag::end()
{
    m_window = nullptr;
}

} // namespace tessaline
