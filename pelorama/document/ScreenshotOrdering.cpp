#include "document/ScreenshotOrdering.h"

#include "model/entities/Screenshot.h"

#include <cmath>

namespace pelorama::document::ScreenshotOrdering {

double orderAfter(double order)
{
    return order + 0.5;
}

double pastedOrder(double base, qsizetype index)
{
    return base + std::ldexp(0.5, -int(index));
}

void renumber(const QList<model::Screenshot*>& screenshots)
{
    for (qsizetype i = 0; i < screenshots.size(); ++i) {
        if (screenshots[i]->order() != double(i))
            screenshots[i]->setOrder(double(i));
    }
}

} // namespace pelorama::document::ScreenshotOrdering
