#include "document/ScreenshotOrdering.h"

#include "model/entities/Screenshot.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace pelorama::document::ScreenshotOrdering {

namespace {

// Closer than this, orders would soon lose their precision as screenshots keep going into the same gap.
const double narrowestGap = std::ldexp(1.0, -20);

// Orders for count screenshots between the neighbours' orders (none at an end of the list), or none
// when they would stand closer than narrowest or could not be told apart.
std::optional<QList<double>> spaced(std::optional<double> before, std::optional<double> after,
                                    qsizetype count, double narrowest)
{
    double low = 0;
    double step = 1;
    if (before && after) {
        low = *before;
        step = (*after - *before) / double(count + 1);
    } else if (before) {
        low = *before;
    } else if (after) {
        low = *after - double(count + 1);
    } else {
        low = -1; // an empty list starts at 0
    }
    if (!(step >= narrowest))
        return std::nullopt;
    QList<double> orders;
    orders.reserve(count);
    double previous = low;
    for (qsizetype i = 1; i <= count; ++i) {
        const double order = low + step * double(i);
        if (!(order > previous) || (after && !(order < *after)))
            return std::nullopt;
        orders.append(order);
        previous = order;
    }
    return orders;
}

std::optional<QList<double>> spacedAt(const QList<model::Screenshot*>& list, qsizetype row, qsizetype count,
                                      double narrowest)
{
    const std::optional<double> before = row > 0 ? std::optional(list[row - 1]->order()) : std::nullopt;
    const std::optional<double> after = row < list.size() ? std::optional(list[row]->order()) : std::nullopt;
    return spaced(before, after, count, narrowest);
}

} // namespace

QList<double> ordersAt(const QList<model::Screenshot*>& list, qsizetype row, qsizetype count)
{
    row = std::clamp<qsizetype>(row, 0, list.size());
    if (std::optional<QList<double>> orders = spacedAt(list, row, count, narrowestGap))
        return *orders;
    renumber(list);
    // Whole numbers one apart hold any number of screenshots a document has room for.
    return spacedAt(list, row, count, 0).value_or(QList<double>());
}

void renumber(const QList<model::Screenshot*>& screenshots)
{
    for (qsizetype i = 0; i < screenshots.size(); ++i) {
        if (screenshots[i]->order() != double(i))
            screenshots[i]->setOrder(double(i));
    }
}

} // namespace pelorama::document::ScreenshotOrdering
