#pragma once

#include <QList>
#include <optional>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

// Where new screenshots go in a document's list. A new screenshot gets a fractional "order" between its
// neighbours; then every screenshot of the list is numbered 0, 1, 2, ... in list order again.
namespace pelorama::document::ScreenshotOrdering {

// A screenshot inserted from a template or duplicated: right after the selected one (its order + 0.5),
// or last (the number of screenshots) without a selection.
double insertionOrder(std::optional<double> selectedOrder, qsizetype screenshotCount);

// Pasted screenshots stand after the base: the selected screenshot's order, or the number of screenshots
// without a selection. The n-th pasted one (from 0) gets base + 0.5 / 2^n, so all of them stand between
// the base and the next screenshot, in reverse paste order.
double pasteBaseOrder(std::optional<double> selectedOrder, qsizetype screenshotCount);
double pastedOrder(double base, int index);

// Numbers the screenshots 0, 1, 2, ... in the given order; those already at their number are left alone.
void renumber(const QList<model::Screenshot*>& screenshots);

} // namespace pelorama::document::ScreenshotOrdering
