#include "document/ScreenshotOrdering.h"

#include "model/entities/Screenshot.h"

#include <cmath>

namespace pelorama::document::ScreenshotOrdering {

double insertionOrder(std::optional<double> selectedOrder, qsizetype screenshotCount)
{
    return selectedOrder ? *selectedOrder + 0.5 : double(screenshotCount);
}

double pasteBaseOrder(std::optional<double> selectedOrder, qsizetype screenshotCount)
{
    return selectedOrder.value_or(double(screenshotCount));
}

double pastedOrder(double base, int index)
{
    return base + std::ldexp(0.5, -index);
}

void renumber(const QList<model::Screenshot*>& screenshots)
{
    // Only the screenshots whose place moved change, so an edit near the end of a long list touches few.
    for (qsizetype i = 0; i < screenshots.size(); ++i) {
        if (screenshots[i]->order() != double(i))
            screenshots[i]->setOrder(double(i));
    }
}

} // namespace pelorama::document::ScreenshotOrdering
