#pragma once

#include <QPushButton>

namespace pelorama::app {

// A push button that sends its action as soon as the left mouse button goes down on it, not when it is
// released; letting go outside the button does not take the action back.
class MouseDownButton : public QPushButton
{
    Q_OBJECT

public:
    explicit MouseDownButton(QWidget* parent = nullptr);
    explicit MouseDownButton(const QString& text, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace pelorama::app
