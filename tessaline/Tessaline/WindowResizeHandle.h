#pragma once

#include "tessaline/Tessaline/WindowDrag.h"

#include <QWidget>

namespace tessaline {

// An invisible strip along one edge or corner of a frameless window that resizes the window.
class WindowResizeHandle : public QWidget
{
    Q_OBJECT

public:
    static constexpr int thickness = 5;

    WindowResizeHandle(Qt::Edges edges, QWidget* window);

    Qt::Edges edges() const { return m_edges; }
    // Places the handle along its edge of the window's rectangle.
    void place();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Qt::Edges m_edges;
    WindowDrag m_drag;
};

} // namespace tessaline
