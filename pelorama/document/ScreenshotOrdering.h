#pragma once

#include <QList>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

// Where screenshots go in a document's list, which stands in ascending "order". A new screenshot is given
// an order between its neighbours (the selected one's + 0.5, say), and then the whole list is numbered
// 0, 1, 2, ... in list order again, so that the stored orders are always consecutive whole numbers.
namespace pelorama::document::ScreenshotOrdering {

// The order of a screenshot placed right after one at order (a template's or a duplicate).
double orderAfter(double order);
// The order of the index-th (from 0) of several screenshots pasted after the base: base + 0.5 / 2^index,
// so all of them stand between the base and the next whole number, in reverse paste order.
double pastedOrder(double base, qsizetype index);

// Numbers the screenshots 0, 1, 2, ... in the given order. Only those not already at their number are
// written, so renumbering a list that is in order changes nothing and records nothing to undo.
void renumber(const QList<model::Screenshot*>& screenshots);

} // namespace pelorama::document::ScreenshotOrdering
