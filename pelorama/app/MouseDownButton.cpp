#include "app/MouseDownButton.h"

#include <QMouseEvent>

namespace pelorama::app {

MouseDownButton::MouseDownButton(QWidget* parent)
    : QPushButton(parent)
{}

MouseDownButton::MouseDownButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{}

void MouseDownButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QPushButton::mousePressEvent(event);
        return;
    }
    event->accept();
    setDown(true);
    emit pressed();
    emit clicked(isChecked());
}

void MouseDownButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QPushButton::mouseReleaseEvent(event);
        return;
    }
    // The action went out at the press; the release only lets the button up.
    event->accept();
    setDown(false);
    emit released();
}

} // namespace pelorama::app
