#pragma once

#include <QList>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

// Where screenshots go in a document's list, which stands in ascending "order". Screenshots placed
// between two others get orders evenly spaced between theirs, so a placement changes the placed
// screenshots alone, whatever the length of the list; orders are whole numbers only after a numbering.
// Only when the gap is too narrow for them is the list numbered 0, 1, 2, ... first (readers sort by
// order, so a list with gaps reads as the same list).
namespace pelorama::document::ScreenshotOrdering {

// Ascending orders for count screenshots to stand, in turn, between the screenshots of list (in list
// order) at row - 1 and row: first when row is 0, last when row is list's size (one apart from each
// other and from their neighbour there). Numbers list first when the orders would stand closer than
// 2^-20 or could not be told apart.
QList<double> ordersAt(const QList<model::Screenshot*>& list, qsizetype row, qsizetype count);

// Numbers the screenshots 0, 1, 2, ... in the given order; those already at their number are left alone.
void renumber(const QList<model::Screenshot*>& screenshots);

} // namespace pelorama::document::ScreenshotOrdering
