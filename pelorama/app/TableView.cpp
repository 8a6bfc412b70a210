#include "app/TableView.h"

#include "app/ArrayController.h"
#include "app/TableViewReorderingHelper.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <algorithm>

namespace pelorama::app {

TableView::TableView(QWidget* parent)
    : QListView(parent)
{
    // Static movement turns dragging off, and the viewport's drops with it: it must come first.
    setMovement(QListView::Static);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false); // the view draws its own gap indicator
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
}

void TableView::setContentArrayController(ArrayController* controller)
{
    m_content = controller;
    setModel(controller);
}

void TableView::registerForDraggedTypes(const QStringList& types)
{
    for (const QString& type : types) {
        if (!m_draggedTypes.contains(type))
            m_draggedTypes.append(type);
    }
}

std::pair<int, DropOperation> TableView::proposedDrop(const QPoint& position) const
{
    const int count = model() ? model()->rowCount() : 0;
    const QModelIndex index = indexAt(position);
    if (!index.isValid())
        return {count, DropOperation::Above};
    const QRect row = visualRect(index);
    const int quarter = std::max(1, row.height() / 4);
    if (position.y() < row.top() + quarter)
        return {index.row(), DropOperation::Above};
    if (position.y() > row.bottom() - quarter)
        return {index.row() + 1, DropOperation::Above};
    return {index.row(), DropOperation::On};
}

void TableView::startDrag(Qt::DropActions)
{
    if (!m_dataSource || !selectionModel())
        return;
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty())
        return;
    auto data = std::make_unique<QMimeData>();
    if (!m_dataSource->writeRows(*this, rows, *data))
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(data.release());
    if (const QModelIndex first = model()->index(rows.first(), 0); QWidget* cell = indexWidget(first))
        drag->setPixmap(cell->grab().scaledToWidth(std::min(cell->width(), 120), Qt::SmoothTransformation));
    drag->exec(m_localOperations == Qt::IgnoreAction ? Qt::MoveAction : m_localOperations, Qt::MoveAction);
}

bool TableView::validate(QDropEvent* event, DraggingInfo& info)
{
    const QMimeData* data = event->mimeData();
    const bool offered = std::any_of(m_draggedTypes.begin(), m_draggedTypes.end(),
                                     [data](const QString& type) { return data->hasFormat(type); });
    if (!m_dataSource || !offered)
        return false;
    const auto [row, operation] = proposedDrop(event->position().toPoint());
    info.pasteboard = data;
    info.source = event->source();
    info.setDropRow(row, operation);
    return m_dataSource->validateDrop(*this, info, row, operation) == Qt::MoveAction;
}

void TableView::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void TableView::dragMoveEvent(QDragMoveEvent* event)
{
    DraggingInfo info;
    if (!validate(event, info)) {
        m_indicatorRow = -1;
        event->ignore();
        viewport()->update();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    m_indicatorRow = info.dropOperation == DropOperation::Above ? info.dropRow : -1;
    viewport()->update();
}

void TableView::dragLeaveEvent(QDragLeaveEvent* event)
{
    m_indicatorRow = -1;
    viewport()->update();
    QListView::dragLeaveEvent(event);
}

void TableView::dropEvent(QDropEvent* event)
{
    m_indicatorRow = -1;
    viewport()->update();
    DraggingInfo info;
    if (!validate(event, info) || !m_dataSource->acceptDrop(*this, info, info.dropRow, info.dropOperation)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void TableView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (m_indicatorRow < 0 || !model())
        return;
    const int count = model()->rowCount();
    int y = 0;
    if (m_indicatorRow < count)
        y = visualRect(model()->index(m_indicatorRow, 0)).top();
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
