#pragma once

#include "app/ScreenshotTableViewControllerDelegate.h"
#include "appkit/ViewController.h"
#include "model/Screenshot.h"
#include "store/ManagedObjectContext.h"

#include <QList>
#include <QPointer>
#include <optional>

namespace pelorama::app {

class ArrayController;
class ScreenshotTableCellView;
class TableView;
class TableViewReorderingHelper;

// The left pane of the document window: one row per screenshot of the document's context in ascending
// "order", each showing its thumbnail. The selection is reported to the delegate; rows are reordered by
// dragging. Main thread only.
class ScreenshotTableViewController : public appkit::ViewController
{
    Q_OBJECT

public:
    explicit ScreenshotTableViewController(store::ManagedObjectContext& context, QObject* parent = nullptr);
    ~ScreenshotTableViewController() override;

    store::ManagedObjectContext* managedObjectContext() const { return m_context; }
    // The screenshots in list order and their selection; made with the view.
    ArrayController* screenshotArrayController();
    TableView* screenshotTableView();
    TableViewReorderingHelper* tableViewReorderingHelper() const { return m_tableViewReorderingHelper; }

    ScreenshotTableViewControllerDelegate* delegate() const { return m_delegate; }
    void setDelegate(ScreenshotTableViewControllerDelegate* delegate) { m_delegate = delegate; }

    model::Screenshot* selectedScreenshot() const;
    // Tells the delegate, also when the screenshot did not change.
    void setSelectedScreenshot(model::Screenshot* screenshot);

    const std::optional<QList<int>>& selectedScreenshotIndexes() const { return m_selectedScreenshotIndexes; }
    // The first selected object becomes the selected screenshot; none or no index selects none.
    void setSelectedScreenshotIndexes(std::optional<QList<int>> indexes);

    // The cell of row when it exists; never makes one.
    ScreenshotTableCellView* cellAtRow(int row) const;

protected:
    void loadView() override;
    void viewDidLoad() override;

private:
    void makeMissingCells();
    void synchronizeTableSelection();
    void tableSelectionDidChange();

    QPointer<store::ManagedObjectContext> m_context;
    TableViewReorderingHelper* m_tableViewReorderingHelper;
    ArrayController* m_screenshotArrayController = nullptr;
    TableView* m_screenshotTableView = nullptr;
    ScreenshotTableViewControllerDelegate* m_delegate = nullptr;
    QPointer<model::Screenshot> m_selectedScreenshot;
    std::optional<QList<int>> m_selectedScreenshotIndexes;
    bool m_synchronizingSelection = false;
};

} // namespace pelorama::app
