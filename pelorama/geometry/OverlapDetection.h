#pragma once

#include "geometry/BezierCurveData.h"
#include "geometry/Range.h"
#include "graphics/Point.h"

#include <memory>

namespace pelorama::geometry {

class BezierCurve;
class BezierIntersectRange;

// Parameter of a point on the segment from start to end (negative behind the start); not clamped.
double parameterOfPointOnLine(const graphics::Point& start, const graphics::Point& end,
                              const graphics::Point& point);

struct LineClip
{
    BezierCurveData curve;
    bool found;
};
// Narrows the straight line `line` to the stretch that the other line `other` covers.
LineClip clipLine(const BezierCurveData& source, const BezierCurveData& line, Range& range,
                  const BezierCurveData& other);
// Collinear straight lines sharing a stretch: narrows both curves and ranges to it.
bool checkLinesForOverlap(Range& usRange, Range& themRange, const BezierCurveData& edgeUsData,
                          const BezierCurveData& edgeThemData, BezierCurveData& us, BezierCurveData& them);
bool curvesCoincide(const BezierCurveData& a, const BezierCurveData& b);
// When us and them coincide (either way round), puts a new intersect range of the two edges in the slot.
bool checkCurvesForOverlapRange(std::shared_ptr<BezierIntersectRange>& slot, const Range& usRange,
                                const Range& themRange, BezierCurve& edgeUs, BezierCurve& edgeThem,
                                const BezierCurveData& us, const BezierCurveData& them);

struct SubcurveBetween
{
    BezierCurveData curve;
    Range range;
};
SubcurveBetween subcurveBetweenClosestPoints(const BezierCurveData& curve, const BezierCurveData& other);
bool checkForOverlapRange(std::shared_ptr<BezierIntersectRange>& slot, Range& usRange, Range& themRange,
                          BezierCurve& edgeUs, BezierCurve& edgeThem, const BezierCurveData& us,
                          const BezierCurveData& them);

} // namespace pelorama::geometry
