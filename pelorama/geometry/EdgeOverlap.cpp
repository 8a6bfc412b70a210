#include "geometry/EdgeOverlap.h"

#include "geometry/BezierCurve.h"
#include "geometry/BezierIntersectRange.h"
#include "geometry/BezierIntersection.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/Tolerances.h"

namespace pelorama::geometry {

EdgeOverlap::EdgeOverlap(std::shared_ptr<BezierIntersectRange> range, BezierCurve* edge1, BezierCurve* edge2)
    : m_edge1(edge1)
    , m_edge2(edge2)
    , m_range(std::move(range))
{}

namespace {

// Whether the stretch of `after` on the second contour follows that of `before`, across a joint of two edges
// or along one edge. Where the second contour runs against the first, it comes back along itself.
bool secondContinues(const EdgeOverlap& before, const EdgeOverlap& after)
{
    if (before.range().reversed() != after.range().reversed())
        return false;
    const bool backwards = before.range().reversed();
    const Range& mine = before.range().parameterRange2();
    const Range& theirs = after.range().parameterRange2();
    const double leaving = backwards ? mine.minimum : mine.maximum;
    const double entering = backwards ? theirs.maximum : theirs.minimum;
    const double joint = backwards ? 0.0 : 1.0;
    if (isClose(leaving, joint, overlapContinuityTolerance)) {
        const BezierCurve* neighbour = backwards ? before.edge2()->previous() : before.edge2()->next();
        if (*after.edge2() == *neighbour && isClose(entering, 1.0 - joint, overlapContinuityTolerance))
            return true;
    }
    return *after.edge2() == *before.edge2() && isCloseToZero(entering - leaving, overlapContinuityTolerance);
}

bool firstContinues(const EdgeOverlap& before, const EdgeOverlap& after)
{
    const Range& mine = before.range().parameterRange1();
    const Range& theirs = after.range().parameterRange1();
    if (isClose(mine.maximum, 1.0, overlapContinuityTolerance))
        return *after.edge1() == *before.edge1()->next() &&
               isClose(theirs.minimum, 0.0, overlapContinuityTolerance);
    return *after.edge1() == *before.edge1() &&
           isCloseToZero(theirs.minimum - mine.maximum, overlapContinuityTolerance);
}

} // namespace

bool EdgeOverlap::continuesInto(const EdgeOverlap& other) const
{
    // Both contours must go on: two stretches of the second contour that happen to lie end to end along the
    // first are two runs.
    return firstContinues(*this, other) && secondContinues(*this, other);
}

bool EdgeOverlap::continuesFrom(const EdgeOverlap& other) const
{
    return other.continuesInto(*this);
}

bool EdgeOverlap::containsParameter(double parameter, const BezierCurve& edge, bool startExtends,
                                    bool stopExtends) const
{
    if (startExtends && stopExtends)
        return true;
    const Range& range = edge == *m_edge1 ? m_range->parameterRange1() : m_range->parameterRange2();
    const bool lower = startExtends ? parameter >= 0 : parameter > range.minimum;
    const bool upper = stopExtends ? parameter <= 1 : parameter < range.maximum;
    return lower && upper;
}

void EdgeOverlap::addMiddleCrossing()
{
    const double p1 = m_range->parameterRange1().middle();
    const double p2 = m_range->parameterRange2().middle();
    auto intersection = std::make_shared<BezierIntersection>(m_range->curve1(), p1, m_range->curve2(), p2);
    addCrossingPair(intersection, *m_edge1, *m_edge2, false, true);
}

} // namespace pelorama::geometry
