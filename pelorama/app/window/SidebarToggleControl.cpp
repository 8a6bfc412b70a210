#include "app/window/SidebarToggleControl.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace pelorama::app {

SidebarToggleControl::SidebarToggleControl(QWidget* parent)
    : QWidget(parent)
{
    setToolTip(tr("Show or hide the screenshot list and the inspector"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SidebarToggleControl::setActions(QAction* left, QAction* right)
{
    for (const QPointer<QAction>& action : m_actions) {
        if (action)
            action->disconnect(this);
    }
    m_actions = {left, right};
    for (QAction* action : {left, right}) {
        if (action)
            connect(action, &QAction::changed, this, qOverload<>(&QWidget::update));
    }
    update();
}

QAction* SidebarToggleControl::action(int segment) const
{
    return segment >= 0 && segment < segmentCount ? m_actions[size_t(segment)].data() : nullptr;
}

bool SidebarToggleControl::isSelected(int segment) const
{
    const QAction* shown = action(segment);
    return shown && shown->isChecked();
}

QRect SidebarToggleControl::segmentRect(int segment) const
{
    const QRect bounds = rect().adjusted(1, 1, -1, -1);
    const int half = bounds.width() / 2;
    return segment == 0 ? QRect(bounds.left(), bounds.top(), half, bounds.height())
                        : QRect(bounds.left() + half, bounds.top(), bounds.width() - half, bounds.height());
}

void SidebarToggleControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colors = palette();
    QPainterPath outline;
    outline.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    painter.fillPath(outline, colors.button());
    for (int segment = 0; segment < segmentCount; ++segment) {
        const QRectF area = segmentRect(segment);
        if (isSelected(segment)) {
            painter.save();
            painter.setClipPath(outline);
            painter.fillRect(area, colors.highlight().color().lighter(170));
            painter.restore();
        }
        // A small window with its side pane filled on the segment's side.
        const QRectF icon(area.center().x() - 9, area.center().y() - 6, 18, 12);
        const QColor ink = isEnabled() ? colors.buttonText().color() : colors.mid().color();
        painter.setPen(QPen(ink, 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(icon, 2, 2);
        const QRectF pane = segment == 0 ? QRectF(icon.left(), icon.top(), 6, icon.height())
                                         : QRectF(icon.right() - 6, icon.top(), 6, icon.height());
        painter.fillRect(pane.adjusted(1, 1, -1, -1), ink);
    }
    painter.setPen(QPen(colors.mid().color(), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(outline);
    const int divider = segmentRect(1).left();
    painter.drawLine(QPointF(divider, 3), QPointF(divider, height() - 3));
}

void SidebarToggleControl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    for (int segment = 0; segment < segmentCount; ++segment) {
        if (segmentRect(segment).contains(event->position().toPoint())) {
            if (QAction* clicked = action(segment); clicked && clicked->isEnabled())
                clicked->trigger();
            return;
        }
    }
}

} // namespace pelorama::app
