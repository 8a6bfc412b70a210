#include "app/window/PaneSplitter.h"

#include <QEasingCurve>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>
#include <utility>

namespace pelorama::app {

PaneSplitter::PaneSplitter(QWidget* parent)
    : QSplitter(Qt::Horizontal, parent)
{
    setChildrenCollapsible(false);
    setHandleWidth(1);
}

void PaneSplitter::addPane(QWidget* pane, bool isSidePane)
{
    addWidget(pane);
    const int index = indexOf(pane);
    setStretchFactor(index, isSidePane ? 0 : 1);
    setCollapsible(index, false);
    Pane added;
    added.widget = pane;
    added.isSidePane = isSidePane;
    added.minimumWidth = pane->minimumWidth();
    m_panes.push_back(added);
}

PaneSplitter::Pane* PaneSplitter::paneOf(const QWidget* widget)
{
    auto found = std::find_if(m_panes.begin(), m_panes.end(),
                              [widget](const Pane& pane) { return pane.widget == widget; });
    return found == m_panes.end() ? nullptr : &*found;
}

const PaneSplitter::Pane* PaneSplitter::paneOf(const QWidget* widget) const
{
    return const_cast<PaneSplitter*>(this)->paneOf(widget);
}

bool PaneSplitter::isCollapsed(const QWidget* pane) const
{
    const Pane* found = paneOf(pane);
    return found && found->collapsed;
}

bool PaneSplitter::isAnimating(const QWidget* pane) const
{
    const Pane* found = paneOf(pane);
    return found && found->animation;
}

void PaneSplitter::setCollapsed(QWidget* widget, bool collapsed)
{
    Pane* pane = paneOf(widget);
    if (!pane || pane->collapsed == collapsed)
        return;
    if (pane->animation)
        pane->animation->stop();
    if (collapsed && widget->isVisibleTo(this))
        pane->expandedWidth = widget->width();
    pane->collapsed = collapsed;
    widget->setMinimumWidth(pane->minimumWidth);
    widget->setVisible(!collapsed);
    emit collapsedChanged(widget, collapsed);
}

void PaneSplitter::setCollapsedAnimated(QWidget* widget, bool collapsed)
{
    Pane* pane = paneOf(widget);
    if (!pane)
        return;
    if (pane->collapsed == collapsed || !isVisible()) {
        setCollapsed(widget, collapsed);
        emit paneSettled(widget);
        return;
    }
    pane->collapsed = collapsed;
    ++pane->unsettledChanges;
    emit collapsedChanged(widget, collapsed);
    animate(*pane);
}

void PaneSplitter::animate(Pane& pane)
{
    // A change during an animation starts from where the running one has got to.
    if (pane.animation) {
        pane.animation->disconnect(this);
        pane.animation->stop();
    }
    QWidget* widget = pane.widget;
    const int index = indexOf(widget);
    // The first plain pane that is shown gives and takes the room.
    int filler = -1;
    for (const Pane& other : m_panes) {
        if (!other.isSidePane && other.widget && !other.collapsed) {
            filler = indexOf(other.widget);
            break;
        }
    }
    widget->setMinimumWidth(0);
    QList<int> start = sizes();
    if (pane.collapsed) {
        pane.expandedWidth = start[index];
    } else {
        widget->show();
        start = sizes();
        if (filler >= 0)
            start[filler] += start[index];
        start[index] = 0;
        setSizes(start);
    }
    QList<int> end = start;
    end[index] = pane.collapsed ? 0 : std::max(pane.expandedWidth, pane.minimumWidth);
    if (filler >= 0)
        end[filler] = std::max(0, start[filler] + start[index] - end[index]);

    auto* animation = new QVariantAnimation(this);
    animation->setDuration(animationDurationMilliseconds);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    connect(animation, &QVariantAnimation::valueChanged, this, [this, start, end](const QVariant& value) {
        const double t = value.toDouble();
        QList<int> now = start;
        for (qsizetype i = 0; i < now.size(); ++i)
            now[i] = int(std::lround(start[i] + (end[i] - start[i]) * t));
        setSizes(now);
    });
    connect(animation, &QVariantAnimation::finished, this, [this, widget = QPointer<QWidget>(widget)] {
        if (Pane* finished = paneOf(widget)) {
            finished->animation = nullptr;
            widget->setMinimumWidth(finished->minimumWidth);
            widget->setVisible(!finished->collapsed);
            settle(widget);
        }
    });
    pane.animation = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void PaneSplitter::settle(QWidget* widget)
{
    Pane* pane = paneOf(widget);
    if (!pane)
        return;
    // Everyone who waited for this pane hears once it has settled.
    for (int changes = std::exchange(pane->unsettledChanges, 0); changes > 0; --changes)
        emit paneSettled(widget);
}

} // namespace pelorama::app
