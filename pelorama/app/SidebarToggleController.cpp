#include "app/SidebarToggleController.h"

namespace pelorama::app {

SidebarToggleController::SidebarToggleController(QObject* parent)
    : QObject(parent)
{}

void SidebarToggleController::setSegmentedControl(SidebarToggleControl* control)
{
    if (m_segmentedControl)
        m_segmentedControl->disconnect(this);
    m_segmentedControl = control;
    if (control) {
        connect(control, &SidebarToggleControl::activated, this,
                [this, control] { toggleSidebarVisibility(control); });
    }
}

void SidebarToggleController::setLeftSplitViewItem(SplitViewItem* item)
{
    m_leftSplitViewItem = item;
    synchronizeSegment(0);
}

void SidebarToggleController::setRightSplitViewItem(SplitViewItem* item)
{
    m_rightSplitViewItem = item;
    synchronizeSegment(1);
}

SplitViewItem* SidebarToggleController::itemForSegment(int segment) const
{
    switch (segment) {
    case 0:
        return m_leftSplitViewItem;
    case 1:
        return m_rightSplitViewItem;
    default:
        return nullptr;
    }
}

void SidebarToggleController::synchronizeSegment(int segment)
{
    SplitViewItem* item = itemForSegment(segment);
    if (item && m_segmentedControl)
        m_segmentedControl->setSelected(!item->isCollapsed(), segment);
}

void SidebarToggleController::toggleSidebarVisibility(QObject* sender)
{
    auto* control = qobject_cast<SidebarToggleControl*>(sender);
    if (!control)
        return;
    const int segment = control->selectedSegment();
    SplitViewItem* item = itemForSegment(segment);
    if (!item)
        return;
    const bool wasCollapsed = item->isCollapsed();
    control->setSelected(wasCollapsed, segment);
    QPointer<SidebarToggleController> self = this;
    QPointer<SplitViewItem> toggled = item;
    item->setCollapsedAnimated(!wasCollapsed, [self, toggled] {
        if (self && toggled && self->m_delegate)
            self->m_delegate->sidebarToggleControllerDidChangeVisibilityOf(*self, *toggled);
    });
}

void SidebarToggleController::toggleSidebar(int segment)
{
    if (!m_segmentedControl || !itemForSegment(segment))
        return;
    m_segmentedControl->setSelectedSegment(segment);
    toggleSidebarVisibility(m_segmentedControl);
}

} // namespace pelorama::app
