#pragma once

#include <QPointer>

class QMimeData;
class QObject;

namespace pelorama::app {

// Where a drop lands relative to a row of a table: onto it, or into the gap above it.
enum class DropOperation
{
    On,
    Above
};

// A drag over a table as its data source sees it: the dragged data, where the drag came from (null for
// another application) and where it would land, which validation may change.
struct DraggingInfo
{
    const QMimeData* pasteboard = nullptr;
    QPointer<QObject> source;
    int dropRow = -1;
    DropOperation dropOperation = DropOperation::Above;

    void setDropRow(int row, DropOperation operation)
    {
        dropRow = row;
        dropOperation = operation;
    }
};

} // namespace pelorama::app
