#pragma once

#include "app/ArrayController.h"
#include "app/DraggingInfo.h"
#include "app/TableViewReorderingHelper.h"

#include <QListView>
#include <QPointer>
#include <QStringList>

namespace pelorama::app {

// A one-column table whose rows are the arranged objects of an ArrayController (its content), with
// drags and drops handed to a data source that decides what they carry and do.
class TableView : public QListView
{
    Q_OBJECT

public:
    explicit TableView(QWidget* parent = nullptr);

    // The controller the rows come from; it becomes the view's model.
    ArrayController* contentArrayController() const { return m_content; }
    void setContentArrayController(ArrayController* controller);

    TableViewReorderingHelper* dataSource() const { return m_dataSource; }
    void setDataSource(TableViewReorderingHelper* dataSource) { m_dataSource = dataSource; }

    const QStringList& registeredDraggedTypes() const { return m_draggedTypes; }
    void registerForDraggedTypes(const QStringList& types);
    Qt::DropActions draggingSourceOperationMaskForLocal() const { return m_localOperations; }
    void setDraggingSourceOperationMaskForLocal(Qt::DropActions operations)
    {
        m_localOperations = operations;
    }

    // Where a drop at position (viewport coordinates) would land before validation: in the upper or
    // lower quarter of a row, above it or above the next one; in the middle, on it; below the last row,
    // above the row after it.
    std::pair<int, DropOperation> proposedDrop(const QPoint& position) const;

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool validate(QDropEvent* event, DraggingInfo& info);

    QPointer<ArrayController> m_content;
    QPointer<TableViewReorderingHelper> m_dataSource;
    QStringList m_draggedTypes;
    Qt::DropActions m_localOperations = Qt::IgnoreAction;
    int m_indicatorRow = -1; // the gap a drop would land in, while dragging
};

} // namespace pelorama::app
