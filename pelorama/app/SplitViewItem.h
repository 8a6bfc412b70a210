#pragma once

#include "appkit/ViewController.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

namespace pelorama::app {

class SplitViewController;

// One pane of a split view: a view controller's view, a plain pane or a sidebar, with a minimum
// thickness (its width, in points) and a collapsed state. A collapsed pane is hidden and takes no room.
class SplitViewItem : public QObject
{
    Q_OBJECT

public:
    enum class Behavior
    {
        Default,
        Sidebar
    };

    static constexpr int animationDurationMilliseconds = 250;

    SplitViewItem(appkit::ViewController* viewController, Behavior behavior);

    appkit::ViewController* viewController() const { return m_viewController; }
    Behavior behavior() const { return m_behavior; }
    double minimumThickness() const { return m_minimumThickness; }
    void setMinimumThickness(double thickness);
    bool isCollapsed() const { return m_collapsed; }
    // Collapses or expands at once.
    void setCollapsed(bool collapsed);
    // Collapses or expands with an animation of animationDurationMilliseconds; completion runs on the main
    // thread once the animation has ended (at once when the state does not change or the pane is in no
    // split view). A change that interrupts a running animation takes over its completion, which then
    // runs, before its own, when the pane has settled. The item stays alive until then.
    void setCollapsedAnimated(bool collapsed, std::function<void()> completion = {});
    bool isAnimating() const { return m_animating; }

signals:
    void collapsedChanged(bool collapsed);

private:
    friend class SplitViewController;

    QPointer<appkit::ViewController> m_viewController;
    Behavior m_behavior;
    double m_minimumThickness = 0;
    bool m_collapsed = false;
    bool m_animating = false;
    int m_expandedThickness = 0;                      // the width to come back to
    std::vector<std::function<void()>> m_completions; // of the running animation and those it replaced
    SplitViewController* m_splitViewController = nullptr;
};

} // namespace pelorama::app
