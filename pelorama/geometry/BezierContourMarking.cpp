// Entry and exit marking of a contour's crossings against another contour, and contour equivalence.

#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/ContourOverlap.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/EdgeOverlap.h"
#include "geometry/EdgeOverlapRun.h"

#include <algorithm>

namespace pelorama::geometry {

void BezierContour::markCrossingsAsEntryOrExit(const BezierContour& other, bool markInside)
{
    const TestLocation location = testLocation();
    const bool containsTestPoint = other.contains(location.point);
    std::vector<BezierContour*> counting;
    other.addSelfCrossedContours(counting, &other);
    counting.push_back(const_cast<BezierContour*>(&other));

    bool mark = containsTestPoint != markInside;
    auto offer = [&](BezierCurve& edge, double start, double stop) {
        // A snapshot: the marking does not change the list, but the loop must not depend on that.
        const auto crossings = edge.crossings;
        for (const auto& crossing : crossings) {
            const EdgeCrossing* counterpart = crossing->counterpart();
            if (counterpart == nullptr || counterpart->edge == nullptr ||
                counterpart->edge->contour == nullptr)
                continue;
            if (std::find(counting.begin(), counting.end(), counterpart->edge->contour) == counting.end())
                continue;
            if (crossing->selfCrossing)
                continue;
            const double parameter = crossing->parameter();
            if (start <= parameter && parameter < stop) {
                crossing->entry = mark;
                mark = !mark;
            }
        }
    };

    BezierCurve* testEdge = location.edge;
    offer(*testEdge, location.parameter, 2.0);
    for (BezierCurve* edge = testEdge->next(); edge != testEdge; edge = edge->next())
        offer(*edge, 0.0, 2.0);
    offer(*testEdge, 0.0, location.parameter);
}

bool BezierContour::isEquivalent(const BezierContour& other) const
{
    if (m_overlaps.empty())
        return false;
    for (const auto& overlap : m_overlaps) {
        const auto& runs = overlap->runs();
        if (runs.empty() || runs.front()->overlaps().empty())
            continue;
        const EdgeOverlap& first = *runs.front()->overlaps().front();
        const BezierContour* contour1 = first.edge1()->contour;
        const BezierContour* contour2 = first.edge2()->contour;
        const bool matches =
            (contour1 == this && contour2 == &other) || (contour1 == &other && contour2 == this);
        if (!matches)
            continue;
        if (runs.size() == 1 && runs.front()->isComplete())
            return true;
    }
    return false;
}

} // namespace pelorama::geometry
