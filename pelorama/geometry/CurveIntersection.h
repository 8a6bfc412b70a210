#pragma once

#include "geometry/BezierCurveData.h"
#include "geometry/Range.h"
#include "graphics/Point.h"

#include <functional>
#include <memory>
#include <optional>

namespace pelorama::geometry {

class BezierCurve;
class BezierIntersection;
class BezierIntersectRange;

struct HandlerAnswer
{
    bool setStop = false;
    bool stopValue = false;
};
using IntersectionHandler = std::function<HandlerAnswer(const std::shared_ptr<BezierIntersection>&)>;

// Finds where two curves meet by fat-line clipping. Each meeting point goes to the handler with parameters
// on edgeUs and edgeThem; a stretch where the curves lie on each other is left in the slot instead.
void intersectionsWithBezierCurve(const BezierCurveData& me, const BezierCurveData& curve, Range& usRange,
                                  Range& themRange, BezierCurve& edgeUs, BezierCurve& edgeThem,
                                  std::shared_ptr<BezierIntersectRange>& slot, int depth, bool& stop,
                                  const IntersectionHandler& handler);
void intersectionsWithStraightLines(const BezierCurveData& me, const BezierCurveData& curve,
                                    BezierCurve& edgeUs, BezierCurve& edgeThem, bool& stop,
                                    const IntersectionHandler& handler);
std::optional<graphics::Point> linesIntersect(const graphics::Point& p0, const graphics::Point& p1,
                                              const graphics::Point& p2, const graphics::Point& p3);

// The search over the whole of both edges, as the graph uses it; returns the overlap range, if any.
std::shared_ptr<BezierIntersectRange> findIntersections(BezierCurve& edge1, BezierCurve& edge2,
                                                        const IntersectionHandler& handler);

} // namespace pelorama::geometry
