#include "geometry/ContourSpikes.h"

#include "geometry/BezierCurve.h"
#include "geometry/VectorMath.h"

#include <algorithm>
#include <cmath>

namespace pelorama::geometry {

namespace {

// Positions come from splitting edges at crossings, a few ulps off their lines; the slack grows with the
// coordinates.
constexpr double relativeSlack = 1e-9;

double slackAround(const graphics::Point& point)
{
    return relativeSlack * (1 + std::max(std::fabs(point.x), std::fabs(point.y)));
}

enum class Fold
{
    none,  // the two edges do not run back over each other
    both,  // the second returns exactly to the start of the first: both go
    first, // the second stops short of the start of the first: the first ends where the second does
    second // the second runs on past the start of the first: it starts where the first does
};

Fold foldOf(const BezierCurve& first, const BezierCurve& second)
{
    const BezierCurveData& a = first.data();
    const BezierCurveData& b = second.data();
    if (a.isStraightLine && b.isStraightLine) {
        const graphics::Point u = subtract(a.endPoint2, a.endPoint1);
        const graphics::Point v = subtract(b.endPoint2, b.endPoint1);
        const double lengthU = vectorLength(u), lengthV = vectorLength(v);
        if (lengthU == 0 || lengthV == 0 || dot(u, v) >= 0)
            return Fold::none;
        if (std::fabs(u.x * v.y - u.y * v.x) > relativeSlack * lengthU * lengthV)
            return Fold::none;
        if (distanceBetween(b.endPoint2, a.endPoint1) <= slackAround(a.endPoint1))
            return Fold::both;
        return lengthV < lengthU ? Fold::first : Fold::second;
    }
    if (!a.isStraightLine && !b.isStraightLine &&
        b.isEqual(a.reversed(), slackAround(a.endPoint1) + slackAround(a.endPoint2)))
        return Fold::both;
    return Fold::none;
}

// Applies the fold of first and second; either may be emptied.
void fold(std::shared_ptr<BezierCurve>& first, std::shared_ptr<BezierCurve>& second, Fold how)
{
    switch (how) {
    case Fold::none:
        break;
    case Fold::both:
        first.reset();
        second.reset();
        break;
    case Fold::first:
        first = BezierCurve::line(first->data().endPoint1, second->data().endPoint2);
        second.reset();
        break;
    case Fold::second:
        second = BezierCurve::line(first->data().endPoint1, second->data().endPoint2);
        first.reset();
        break;
    }
}

} // namespace

std::vector<std::shared_ptr<BezierCurve>>
withoutSpikes(const std::vector<std::shared_ptr<BezierCurve>>& edges)
{
    std::vector<std::shared_ptr<BezierCurve>> kept;
    kept.reserve(edges.size());
    for (std::shared_ptr<BezierCurve> edge : edges) {
        while (edge && !kept.empty()) {
            const Fold how = foldOf(*kept.back(), *edge);
            if (how == Fold::none)
                break;
            fold(kept.back(), edge, how);
            if (!kept.back())
                kept.pop_back();
        }
        if (edge)
            kept.push_back(std::move(edge));
    }
    // Where the outline closes, its last edge runs into its first.
    while (kept.size() >= 2) {
        const Fold how = foldOf(*kept.back(), *kept.front());
        if (how == Fold::none)
            break;
        fold(kept.back(), kept.front(), how);
        if (!kept.front())
            kept.erase(kept.begin());
        if (!kept.back())
            kept.pop_back();
    }
    const bool bounds = std::any_of(kept.begin(), kept.end(),
                                    [](const auto& edge) { return !edge->data().isStraightLine; }) ||
                        kept.size() >= 3;
    return bounds ? kept : std::vector<std::shared_ptr<BezierCurve>>{};
}

} // namespace pelorama::geometry
