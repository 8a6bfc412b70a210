#pragma once

#include "tessaline/Tessaline/WindowDrag.h"

#include <QWidget>

namespace tessaline {

// The title bar a Window draws itself: a light strip over the window's content that holds the window
// buttons, the title and any views the window moves into it. Dragging its background moves the window;
// double-clicking it zooms.
class TitleBarView : public QWidget
{
    Q_OBJECT

public:
    explicit TitleBarView(QWidget* parent);

signals:
    // After every change of size, so that the window can place what the title bar holds.
    void resized();
    void zoomRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    WindowDrag m_drag;
};

} // namespace tessaline
