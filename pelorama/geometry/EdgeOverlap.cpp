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

bool EdgeOverlap::continuesInto(const EdgeOverlap& other) const
{
    const Range& mine = m_range->parameterRange1();
    const Range& theirs = other.m_range->parameterRange1();
    if (isClose(mine.maximum, 1.0, overlapContinuityTolerance))
        return *other.m_edge1 == *m_edge1->next() && isClose(theirs.minimum, 0.0, overlapContinuityTolerance);
    return *other.m_edge1 == *m_edge1 &&
           isCloseToZero(theirs.minimum - mine.maximum, overlapContinuityTolerance);
}

bool EdgeOverlap::continuesFrom(const EdgeOverlap& other) const
{
    const Range& mine = m_range->parameterRange1();
    const Range& theirs = other.m_range->parameterRange1();
    if (isClose(mine.minimum, 0.0, overlapContinuityTolerance))
        return *other.m_edge1 == *m_edge1->previous() &&
               isClose(theirs.maximum, 1.0, overlapContinuityTolerance);
    return *other.m_edge1 == *m_edge1 &&
           isCloseToZero(theirs.maximum - mine.minimum, overlapContinuityTolerance);
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
