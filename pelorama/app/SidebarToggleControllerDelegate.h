#pragma once

namespace pelorama::app {

class SidebarToggleController;
class SplitViewItem;

// Hears when a side pane has been collapsed or expanded, once its animation has ended.
class SidebarToggleControllerDelegate
{
public:
    virtual ~SidebarToggleControllerDelegate() = default;
    virtual void sidebarToggleControllerDidChangeVisibilityOf(SidebarToggleController& controller,
                                                              SplitViewItem& item) = 0;

protected:
    SidebarToggleControllerDelegate() = default;
    SidebarToggleControllerDelegate(const SidebarToggleControllerDelegate&) = default;
    SidebarToggleControllerDelegate& operator=(const SidebarToggleControllerDelegate&) = default;
};

} // namespace pelorama::app
