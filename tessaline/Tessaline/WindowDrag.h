#pragma once

#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

namespace tessaline {

// Moves or resizes a frameless top-level window from a mouse press. The window system does the work
// when it can (QWindow::startSystemMove/startSystemResize); otherwise the drag is followed by hand.
class WindowDrag
{
public:
    // edges empty means move.
    void begin(QWidget* window, QMouseEvent* event, Qt::Edges edges);
    void follow(QMouseEvent* event);
    void end();

private:
    QWidget* m_window = nullptr;
    Qt::Edges m_edges;
    QPoint m_pressPosition;
    QPoint m_startPosition;
    QRect m_startGeometry;
};

} // namespace tessaline
