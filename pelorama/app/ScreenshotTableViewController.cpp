#include "app/ScreenshotTableViewController.h"

#include "app/ArrayController.h"
#include "app/ScreenshotTableCellView.h"
#include "app/TableView.h"
#include "app/TableViewReorderingHelper.h"
#include "model/Screenshot.h"
#include "store/ManagedObjectContext.h"

#include <QItemSelectionModel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace pelorama::app {
namespace {

// Rows of one height whose cell widget draws the content; the delegate draws only the selection.
class ScreenshotRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {0, ScreenshotTableCellView::rowHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        if (!(option.state & QStyle::State_Selected))
            return;
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        QColor color = option.palette.color(group, QPalette::Highlight);
        if (group == QPalette::Inactive)
            color = color.lighter(140);
        painter->fillRect(option.rect, color);
    }
};

} // namespace

ScreenshotTableViewController::ScreenshotTableViewController(store::ManagedObjectContext& context,
                                                             QObject* parent)
    : appkit::ViewController(parent)
    , m_context(&context)
    , m_tableViewReorderingHelper(new TableViewReorderingHelper(this))
{}

ScreenshotTableViewController::~ScreenshotTableViewController() = default;

ArrayController* ScreenshotTableViewController::screenshotArrayController()
{
    view();
    return m_screenshotArrayController;
}

TableView* ScreenshotTableViewController::screenshotTableView()
{
    view();
    return m_screenshotTableView;
}

void ScreenshotTableViewController::loadView()
{
    auto* container = new QWidget;
    container->setMinimumWidth(170);
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    m_screenshotArrayController = new ArrayController(*m_context, QStringLiteral("Screenshot"), this);
    m_screenshotTableView = new TableView(container);
    m_screenshotTableView->setObjectName(QStringLiteral("screenshotTableView"));
    m_screenshotTableView->setItemDelegate(new ScreenshotRowDelegate(m_screenshotTableView));
    m_screenshotTableView->setContentArrayController(m_screenshotArrayController);
    m_screenshotTableView->setFrameShape(QFrame::NoFrame);
    // Rows, and the thumbnails in them, follow the width of the pane.
    m_screenshotTableView->setResizeMode(QListView::Adjust);
    layout->addWidget(m_screenshotTableView);
    setView(container);
}

void ScreenshotTableViewController::viewDidLoad()
{
    ArrayController* controller = m_screenshotArrayController;
    connect(controller, &ArrayController::selectionIndexesChanged, this, [this] {
        synchronizeTableSelection();
        setSelectedScreenshotIndexes(m_screenshotArrayController->selectionIndexes());
    });
    // Rows that come get their cells; rows that stay or move keep theirs, thumbnails and all.
    connect(controller, &QAbstractItemModel::rowsInserted, this,
            &ScreenshotTableViewController::makeMissingCells);
    connect(m_screenshotTableView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ScreenshotTableViewController::tableSelectionDidChange);
    m_tableViewReorderingHelper->setup(*m_screenshotTableView);
    m_screenshotTableView->setDataSource(m_tableViewReorderingHelper);
    makeMissingCells();
    synchronizeTableSelection();
    // Binding the selection hands over its current value at once.
    setSelectedScreenshotIndexes(controller->selectionIndexes());
}

void ScreenshotTableViewController::makeMissingCells()
{
    const int rows = m_screenshotArrayController->rowCount();
    for (int row = 0; row < rows; ++row) {
        const QModelIndex index = m_screenshotArrayController->index(row);
        auto* cell = qobject_cast<ScreenshotTableCellView*>(m_screenshotTableView->indexWidget(index));
        QObject* object = m_screenshotArrayController->arrangedObjects()[row];
        if (!cell) {
            cell = new ScreenshotTableCellView;
            m_screenshotTableView->setIndexWidget(index, cell);
        }
        if (cell->objectValue() != object)
            cell->setObjectValue(object);
    }
}

ScreenshotTableCellView* ScreenshotTableViewController::cellAtRow(int row) const
{
    if (!m_screenshotTableView || row < 0 || row >= m_screenshotArrayController->rowCount())
        return nullptr;
    return qobject_cast<ScreenshotTableCellView*>(
        m_screenshotTableView->indexWidget(m_screenshotArrayController->index(row)));
}

void ScreenshotTableViewController::synchronizeTableSelection()
{
    QItemSelectionModel* selection = m_screenshotTableView->selectionModel();
    if (!selection)
        return;
    m_synchronizingSelection = true;
    QItemSelection rows;
    for (int row : m_screenshotArrayController->selectionIndexes()) {
        const QModelIndex index = m_screenshotArrayController->index(row);
        rows.select(index, index);
    }
    selection->select(rows, QItemSelectionModel::ClearAndSelect);
    if (!rows.isEmpty()) {
        const QModelIndex first = rows.first().topLeft();
        selection->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        m_screenshotTableView->scrollTo(first);
    }
    m_synchronizingSelection = false;
}

void ScreenshotTableViewController::tableSelectionDidChange()
{
    if (m_synchronizingSelection || m_screenshotArrayController->isRearranging())
        return;
    QList<int> rows;
    for (const QModelIndex& index : m_screenshotTableView->selectionModel()->selectedIndexes())
        rows.append(index.row());
    if (rows.isEmpty() && !m_screenshotArrayController->arrangedObjects().isEmpty()) {
        // The list always keeps a selection while it has rows.
        synchronizeTableSelection();
        return;
    }
    m_screenshotArrayController->setSelectionIndexes(rows);
}

model::Screenshot* ScreenshotTableViewController::selectedScreenshot() const
{
    return m_selectedScreenshot;
}

void ScreenshotTableViewController::setSelectedScreenshot(model::Screenshot* screenshot)
{
    m_selectedScreenshot = screenshot;
    if (m_delegate)
        m_delegate->screenshotTableViewControllerDidSelectScreenshot(*this, screenshot);
}

void ScreenshotTableViewController::setSelectedScreenshotIndexes(std::optional<QList<int>> indexes)
{
    m_selectedScreenshotIndexes = std::move(indexes);
    model::Screenshot* screenshot = nullptr;
    if (m_selectedScreenshotIndexes && !m_selectedScreenshotIndexes->isEmpty() &&
        m_screenshotArrayController) {
        const QList<store::ManagedObject*> selected = m_screenshotArrayController->selectedObjects();
        if (!selected.isEmpty())
            screenshot = qobject_cast<model::Screenshot*>(selected.first());
    }
    setSelectedScreenshot(screenshot);
}

} // namespace pelorama::app
