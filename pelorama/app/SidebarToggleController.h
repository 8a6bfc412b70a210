#pragma once

#include "app/SidebarToggleControl.h"
#include "app/SidebarToggleControllerDelegate.h"
#include "app/SplitViewItem.h"

#include <QObject>
#include <QPointer>

namespace pelorama::app {

// Shows and hides the two side panes of the document window from the toolbar's two-segment control:
// segment 0 the left pane (the screenshot list), segment 1 the right pane (the inspector). A segment is
// selected while its pane is visible. The change is animated and the delegate hears of it afterwards.
class SidebarToggleController : public QObject
{
    Q_OBJECT

public:
    explicit SidebarToggleController(QObject* parent = nullptr);

    SidebarToggleControl* segmentedControl() const { return m_segmentedControl; }
    void setSegmentedControl(SidebarToggleControl* control);
    SidebarToggleControllerDelegate* delegate() const { return m_delegate; }
    void setDelegate(SidebarToggleControllerDelegate* delegate) { m_delegate = delegate; }

    SplitViewItem* leftSplitViewItem() const { return m_leftSplitViewItem; }
    // Also selects segment 0 exactly when the item is expanded, when both item and control are there.
    void setLeftSplitViewItem(SplitViewItem* item);
    SplitViewItem* rightSplitViewItem() const { return m_rightSplitViewItem; }
    void setRightSplitViewItem(SplitViewItem* item);

public slots:
    // The control's action: toggles the pane of the sender's selected segment. A sender that is no
    // SidebarToggleControl, or a segment other than 0 and 1, changes nothing.
    void toggleSidebarVisibility(QObject* sender);
    // Toggles the pane of segment as a click on it would (the View menu's commands).
    void toggleSidebar(int segment);

private:
    SplitViewItem* itemForSegment(int segment) const;
    void synchronizeSegment(int segment);

    QPointer<SidebarToggleControl> m_segmentedControl;
    SidebarToggleControllerDelegate* m_delegate = nullptr;
    QPointer<SplitViewItem> m_leftSplitViewItem;
    QPointer<SplitViewItem> m_rightSplitViewItem;
};

} // namespace pelorama::app
