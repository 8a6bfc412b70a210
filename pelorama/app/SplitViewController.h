#pragma once

#include "app/SplitViewItem.h"
#include "appkit/ViewController.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QSplitter;

namespace pelorama::app {

// Panes side by side in a QSplitter, each the view of a SplitViewItem's view controller. Sidebars keep
// their width when the window grows; plain panes take the rest. Collapsing a pane animates its width to
// nothing and then hides it; expanding shows it and animates it back to the width it had.
class SplitViewController : public appkit::ViewController
{
    Q_OBJECT

public:
    explicit SplitViewController(QObject* parent = nullptr);
    ~SplitViewController() override;

    // The items in order, left to right. Setting them puts their views in the splitter.
    std::vector<SplitViewItem*> splitViewItems() const;
    void setSplitViewItems(std::vector<std::unique_ptr<SplitViewItem>> items);
    QSplitter* splitter();

protected:
    void loadView() override;

private:
    friend class SplitViewItem;

    void applyCollapsed(SplitViewItem& item);
    void animateCollapsed(SplitViewItem& item, std::function<void()> completion);
    int indexOf(const SplitViewItem& item) const;
    QWidget* paneView(const SplitViewItem& item) const;
    void applyMinimumThickness(SplitViewItem& item);

    std::vector<std::unique_ptr<SplitViewItem>> m_items;
};

} // namespace pelorama::app
