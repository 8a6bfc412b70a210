#include "geometry/OverlapDetection.h"

#include "geometry/BezierCurve.h"
#include "geometry/BezierIntersectRange.h"
#include "geometry/FatLineClip.h"
#include "geometry/NearestPoint.h"
#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"
#include "geometry/VectorMath.h"

#include <algorithm>
#include <cmath>

namespace pelorama::geometry {

namespace {

bool pointsAgree(const graphics::Point& a, const graphics::Point& b, double tolerance)
{
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance;
}

} // namespace

double parameterOfPointOnLine(const graphics::Point& start, const graphics::Point& end,
                              const graphics::Point& point)
{
    const double length = distanceBetween(end, start);
    const double d1 = distanceBetween(start, point);
    const double d2 = distanceBetween(end, point);
    double t = d1 / length;
    if (isCloseToZero(length + d1 - d2, pointTolerance))
        t = -t;
    return t;
}

LineClip clipLine(const BezierCurveData& source, const BezierCurveData& line, Range& range,
                  const BezierCurveData& other)
{
    const double t1 = parameterOfPointOnLine(line.endPoint1, line.endPoint2, other.endPoint1);
    const double t2 = parameterOfPointOnLine(line.endPoint1, line.endPoint2, other.endPoint2);
    const double lo = std::max(0.0, std::min(t1, t2));
    const double hi = std::min(1.0, std::max(t1, t2));
    if (lo > hi)
        return {line, false};
    const Range old = range;
    range = Range{old.minimum + old.size() * lo, old.minimum + old.size() * hi};
    return {subcurveWithRange(source, range), true};
}

bool checkLinesForOverlap(Range& usRange, Range& themRange, const BezierCurveData& edgeUsData,
                          const BezierCurveData& edgeThemData, BezierCurveData& us, BezierCurveData& them)
{
    if (!rectsMightOverlap(us.bounds(), them.bounds()))
        return false;
    const graphics::Point d = subtract(us.endPoint2, us.endPoint1);
    for (const graphics::Point& p : {them.endPoint1, them.endPoint2}) {
        const double cross = d.x * (p.y - us.endPoint1.y) - d.y * (p.x - us.endPoint1.x);
        if (!isCloseToZero(cross, collinearTolerance))
            return false;
    }
    LineClip clippedUs = clipLine(edgeUsData, us, usRange, them);
    if (!clippedUs.found)
        return false;
    us = clippedUs.curve;
    LineClip clippedThem = clipLine(edgeThemData, them, themRange, us);
    them = clippedThem.curve;
    return clippedThem.found;
}

bool curvesCoincide(const BezierCurveData& a, const BezierCurveData& b)
{
    if (a.isPoint() || b.isPoint() || a.isStraightLine != b.isStraightLine)
        return false;
    if (!pointsAgree(a.endPoint1, b.endPoint1, curveMatchTolerance))
        return false;
    if (!a.isStraightLine) {
        if (!pointsAgree(a.controlPoint1, b.controlPoint1, 0.1) ||
            !pointsAgree(a.controlPoint2, b.controlPoint2, 0.1))
            return false;
    }
    return pointsAgree(a.endPoint2, b.endPoint2, curveMatchTolerance);
}

bool checkCurvesForOverlapRange(std::shared_ptr<BezierIntersectRange>& slot, const Range& usRange,
                                const Range& themRange, BezierCurve& edgeUs, BezierCurve& edgeThem,
                                const BezierCurveData& us, const BezierCurveData& them)
{
    bool reversed = false;
    if (!curvesCoincide(us, them)) {
        if (!curvesCoincide(us, them.reversed()))
            return false;
        reversed = true;
    }
    slot = std::make_shared<BezierIntersectRange>(&edgeUs, usRange, &edgeThem, themRange, reversed);
    return true;
}

SubcurveBetween subcurveBetweenClosestPoints(const BezierCurveData& curve, const BezierCurveData& other)
{
    const double p1 = closestLocation(curve, other.endPoint1).parameter;
    const double p2 = closestLocation(curve, other.endPoint2).parameter;
    const Range range{std::min(p1, p2), std::max(p1, p2)};
    return {subcurveWithRange(curve, range), range};
}

bool checkForOverlapRange(std::shared_ptr<BezierIntersectRange>& slot, Range& usRange, Range& themRange,
                          BezierCurve& edgeUs, BezierCurve& edgeThem, const BezierCurveData& us,
                          const BezierCurveData& them)
{
    if (checkCurvesForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, us, them))
        return true;
    const SubcurveBetween usPart = subcurveBetweenClosestPoints(edgeUs.data(), them);
    const SubcurveBetween themPart = subcurveBetweenClosestPoints(edgeThem.data(), us);
    if (!themPart.curve.isEqual(usPart.curve, curveMatchTolerance) &&
        !themPart.curve.reversed().isEqual(usPart.curve, curveMatchTolerance))
        return false;
    usRange = usPart.range;
    themRange = themPart.range;
    return checkCurvesForOverlapRange(slot, usRange, themRange, edgeUs, edgeThem, usPart.curve,
                                      themPart.curve);
}

} // namespace pelorama::geometry
