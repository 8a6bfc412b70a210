#include "geometry/EdgeOverlap.h"

#include "geometry/BezierCurve.h"
#include "geometry/BezierIntersectRange.h"
#include "geometry/BezierIntersection.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/Tolerances.h"

namespace pelorama::geometry {

EdgeOverlap::EdgeOverlap(std::shared_ptr<BezierIntersectRange> range, BezierCurve* edge1, BezierCurve* edge2)
    : edge1_(edge1)
    , edge2_(edge2)
    , range_(std::move(range))
{}

bool EdgeOverlap::continuesInto(const EdgeOverlap& other) const
{
    const Range& mine = range_->parameterRange1();
    const Range& theirs = other.range_->parameterRange1();
    if (isClose(mine.maximum, 1.0, overlapContinuityTolerance))
        return *other.edge1_ == *edge1_->next() && isClose(theirs.minimum, 0.0, overlapContinuityTolerance);
    return *other.edge1_ == *edge1_ &&
           isCloseToZero(theirs.minimum - mine.maximum, overlapContinuityTolerance);
}

bool EdgeOverlap::continuesFrom(const EdgeOverlap& other) const
{
    const Range& mine = range_->parameterRange1();
    const Range& theirs = other.range_->parameterRange1();
    if (isClose(mine.minimum, 0.0, overlapContinuityTolerance))
        return *other.edge1_ == *edge1_->previous() &&
               isClose(theirs.maximum, 1.0, overlapContinuityTolerance);
    return *other.edge1_ == *edge1_ &&
           isCloseToZero(theirs.maximum - mine.minimum, overlapContinuityTolerance);
}

bool EdgeOverlap::containsParameter(double parameter, const BezierCurve& edge, bool startExtends,
                                    bool stopExtends) const
{
    if (startExtends && stopExtends)
        return true;
    const Range& range = edge == *edge1_ ? range_->parameterRange1() : range_->parameterRange2();
    const bool lower = startExtends ? parameter >= 0 : parameter > range.minimum;
    const bool upper = stopExtends ? parameter <= 1 : parameter < range.maximum;
    return lower && upper;
}

void EdgeOverlap::addMiddleCrossing()
{
    const double p1 = range_->parameterRange1().middle();
    const double p2 = range_->parameterRange2().middle();
    auto intersection = std::make_shared<BezierIntersection>(range_->curve1(), p1, range_->curve2(), p2);
    addCrossingPair(intersection, *edge1_, *edge2_, false, true);
}

} // namespace pelorama::geometry
