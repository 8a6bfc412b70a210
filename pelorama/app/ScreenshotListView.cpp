#include "app/ScreenshotListView.h"

#include "app/ScreenshotListCell.h"
#include "app/ScreenshotListModel.h"
#include "model/entities/DocumentSelection.h"
#include "model/entities/Screenshot.h"

#include <QDrag>
#include <QDragMoveEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

namespace pelorama::app {
namespace {

// Rows of one height whose cell widget draws the content; the delegate draws only the selection.
class ScreenshotRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {0, ScreenshotListCell::rowHeight};
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

ScreenshotListView::ScreenshotListView(ScreenshotListModel& model, model::DocumentSelection& selection,
                                       QWidget* parent)
    : QListView(parent)
    , m_model(&model)
    , m_selection(&selection)
{
    setObjectName(QStringLiteral("screenshotList"));
    // Static movement turns dragging off, and the viewport's drops with it: it must come first.
    setMovement(QListView::Static);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(false); // the view draws its own gap
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    // Rows, and the thumbnails in them, follow the width of the pane.
    setResizeMode(QListView::Adjust);
    setFrameShape(QFrame::NoFrame);
    setMinimumWidth(170);
    setItemDelegate(new ScreenshotRowDelegate(this));
    setModel(&model);

    // Rows that come get their cells; rows that stay or move keep theirs, thumbnails and all.
    connect(&model, &QAbstractItemModel::rowsInserted, this, &ScreenshotListView::makeMissingCells);
    connect(&model, &QAbstractItemModel::modelReset, this, &ScreenshotListView::makeMissingCells);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ScreenshotListView::viewSelectionDidChange);
    connect(&selection, &model::DocumentSelection::screenshotsChanged, this,
            &ScreenshotListView::showDocumentSelection);
    makeMissingCells();
    showDocumentSelection();
}

ScreenshotListView::~ScreenshotListView() = default;

ScreenshotListCell* ScreenshotListView::cellAt(int row) const
{
    if (!m_model || row < 0 || row >= m_model->rowCount())
        return nullptr;
    return qobject_cast<ScreenshotListCell*>(indexWidget(m_model->index(row)));
}

void ScreenshotListView::makeMissingCells()
{
    if (!m_model)
        return;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QModelIndex index = m_model->index(row);
        auto* cell = qobject_cast<ScreenshotListCell*>(indexWidget(index));
        if (!cell) {
            cell = new ScreenshotListCell;
            setIndexWidget(index, cell);
        }
        if (cell->screenshot() != m_model->screenshotAt(row))
            cell->setScreenshot(m_model->screenshotAt(row));
    }
}

void ScreenshotListView::showDocumentSelection()
{
    if (!m_model || !m_selection)
        return;
    m_showingDocumentSelection = true;
    QItemSelection rows;
    for (model::Screenshot* screenshot : m_selection->screenshots()) {
        if (const int row = m_model->rowOf(screenshot); row >= 0)
            rows.select(m_model->index(row), m_model->index(row));
    }
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    if (const int first = m_model->rowOf(m_selection->screenshot()); first >= 0) {
        selectionModel()->setCurrentIndex(m_model->index(first), QItemSelectionModel::NoUpdate);
        scrollTo(m_model->index(first));
    }
    m_showingDocumentSelection = false;
}

void ScreenshotListView::viewSelectionDidChange()
{
    if (m_showingDocumentSelection || !m_model || !m_selection || m_model->isRearranging())
        return;
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty() && m_model->rowCount() > 0) {
        // The list keeps a selection while it has rows.
        showDocumentSelection();
        return;
    }
    std::sort(rows.begin(), rows.end());
    QList<model::Screenshot*> screenshots;
    for (int row : rows)
        screenshots.append(m_model->screenshotAt(row));
    m_selection->setScreenshots(screenshots);
}

void ScreenshotListView::refreshSelectedThumbnail()
{
    if (!m_model || !m_selection)
        return;
    const int row = m_model->rowOf(m_selection->screenshot());
    if (row < 0 || !visualRect(m_model->index(row)).intersects(viewport()->rect()))
        return;
    if (ScreenshotListCell* cell = cellAt(row))
        cell->updateImage();
}

int ScreenshotListView::dropRow(const QPoint& position) const
{
    const int count = model() ? model()->rowCount() : 0;
    const QModelIndex index = indexAt(position);
    if (!index.isValid())
        return count;
    const QRect row = visualRect(index);
    const int quarter = std::max(1, row.height() / 4);
    if (position.y() > row.bottom() - quarter)
        return index.row() + 1;
    return index.row();
}

void ScreenshotListView::startDrag(Qt::DropActions)
{
    QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty() || !model())
        return;
    std::sort(indexes.begin(), indexes.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QMimeData* data = model()->mimeData(indexes);
    if (!data)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    if (ScreenshotListCell* cell = cellAt(indexes.first().row()))
        drag->setPixmap(cell->grab().scaledToWidth(std::min(cell->width(), 120), Qt::SmoothTransformation));
    // The model moves the rows at the drop, so nothing is left to remove here afterwards.
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

bool ScreenshotListView::acceptsDrop(const QDropEvent* event) const
{
    return event->source() == this && model() &&
           model()->canDropMimeData(event->mimeData(), Qt::MoveAction, -1, -1, {});
}

void ScreenshotListView::dragEnterEvent(QDragEnterEvent* event)
{
    QListView::dragEnterEvent(event);
    dragMoveEvent(event);
}

void ScreenshotListView::dragMoveEvent(QDragMoveEvent* event)
{
    // The base scrolls the list near its edges.
    QListView::dragMoveEvent(event);
    if (!acceptsDrop(event)) {
        m_gapRow = -1;
        event->ignore();
    } else {
        m_gapRow = dropRow(event->position().toPoint());
        event->setDropAction(Qt::MoveAction);
        event->accept();
    }
    viewport()->update();
}

void ScreenshotListView::dragLeaveEvent(QDragLeaveEvent* event)
{
    m_gapRow = -1;
    QListView::dragLeaveEvent(event);
}

void ScreenshotListView::dropEvent(QDropEvent* event)
{
    m_gapRow = -1;
    stopAutoScroll();
    setState(NoState);
    viewport()->update();
    if (!acceptsDrop(event) || !model()->dropMimeData(event->mimeData(), Qt::MoveAction,
                                                      dropRow(event->position().toPoint()), 0, {})) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ScreenshotListView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (m_gapRow < 0 || !model())
        return;
    const int count = model()->rowCount();
    int y = 0;
    if (m_gapRow < count)
        y = visualRect(model()->index(m_gapRow, 0)).top();
    else if (count > 0)
        y = visualRect(model()->index(count - 1, 0)).bottom();
    // The line is two pixels thick: at the top and bottom of the list it stays whole.
    y = std::clamp(y, 1, std::max(1, viewport()->height() - 1));
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().highlight().color(), 2));
    painter.drawLine(QPointF(4, y), QPointF(viewport()->width() - 4, y));
}

} // namespace pelorama::app
