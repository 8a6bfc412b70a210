#include "app/SplitViewItem.h"

#include "app/SplitViewController.h"

namespace pelorama::app {

SplitViewItem::SplitViewItem(appkit::ViewController* viewController, Behavior behavior)
    : m_viewController(viewController)
    , m_behavior(behavior)
{}

void SplitViewItem::setMinimumThickness(double thickness)
{
    m_minimumThickness = thickness;
    if (m_splitViewController)
        m_splitViewController->applyMinimumThickness(*this);
}

void SplitViewItem::setCollapsed(bool collapsed)
{
    if (m_collapsed == collapsed)
        return;
    m_collapsed = collapsed;
    if (m_splitViewController)
        m_splitViewController->applyCollapsed(*this);
    emit collapsedChanged(collapsed);
}

void SplitViewItem::setCollapsedAnimated(bool collapsed, std::function<void()> completion)
{
    if (m_collapsed == collapsed || !m_splitViewController) {
        setCollapsed(collapsed);
        if (completion)
            completion();
        return;
    }
    m_collapsed = collapsed;
    emit collapsedChanged(collapsed);
    m_splitViewController->animateCollapsed(*this, std::move(completion));
}

} // namespace pelorama::app
