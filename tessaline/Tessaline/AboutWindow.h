#pragma once

#include "tessaline/Shared/Observer.h"
#include "tessaline/Tessaline/WindowDrag.h"

#include <QWidget>
#include <memory>
#include <vector>

namespace tessaline {

class AboutWindowController;

// The About window's content: the application icon, its name, version and copyright, each read from the
// controller by key and kept up to date. Dragging anywhere on the background moves the window.
class AboutWindow : public QWidget
{
    Q_OBJECT

public:
    explicit AboutWindow(AboutWindowController* controller);
    ~AboutWindow() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::vector<std::unique_ptr<Observer>> m_observers;
    WindowDrag m_drag;
};

} // namespace tessaline
