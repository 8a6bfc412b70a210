#pragma once

#include "app/DraggingInfo.h"

#include <QList>
#include <QObject>

class QMimeData;

namespace pelorama::app {

class ArrayController;
class TableView;

// Reorders the rows of a table by dragging, for any table whose content is an ArrayController of
// managed objects with a numeric "order" attribute. The drag carries a keyed archive of the dragged
// objects' ID URIs under the controller's entity name; only drags from the same table are accepted, and
// a drop renumbers every row 0, 1, 2, ... in the new sequence. It keeps no state between drags.
class TableViewReorderingHelper : public QObject
{
    Q_OBJECT

public:
    explicit TableViewReorderingHelper(QObject* parent = nullptr);

    // Sorts the table's controller by "order" and registers the table for the drag type.
    void setup(TableView& tableView);
    // Puts the drag data of rows (ascending) on pasteboard; answers whether it did.
    bool writeRows(TableView& tableView, const QList<int>& rows, QMimeData& pasteboard);
    // The operation a drop would perform: a move for drags from this table (a drop on a row is retargeted
    // above it), nothing for any other.
    Qt::DropAction validateDrop(TableView& tableView, DraggingInfo& info, int proposedRow,
                                DropOperation operation);
    // Moves the dragged objects above row and renumbers every row; answers whether it did.
    bool acceptDrop(TableView& tableView, const DraggingInfo& info, int row, DropOperation operation);

private:
    static ArrayController* arrayController(const TableView& tableView);
};

} // namespace pelorama::app
