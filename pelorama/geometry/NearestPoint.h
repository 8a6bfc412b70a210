#pragma once

#include "geometry/BezierCurveData.h"
#include "geometry/BezierCurveLocation.h"
#include "graphics/Point.h"

#include <functional>
#include <vector>

namespace pelorama::geometry {

struct ControlPolygonSplit
{
    graphics::Point point;
    std::vector<graphics::Point> left;
    std::vector<graphics::Point> right;
};

// De Casteljau on a control polygon of any degree (points.size() - 1); the pieces only when asked for.
ControlPolygonSplit controlPolygonPoint(const std::vector<graphics::Point>& points, double t,
                                        bool wantPieces);
// One Newton step toward the point of the curve nearest P. Where the step is undefined (a zero denominator,
// as at a cusp, or a result that is not finite) the parameter is kept.
double refineParameter(const BezierCurveData& curve, double t, const graphics::Point& point);
// The six control points of the degree-5 polynomial (B(t) - P) . B'(t) in Bernstein form.
std::vector<graphics::Point> nearestPointPolynomial(const BezierCurveData& curve,
                                                    const graphics::Point& point);
int signChangeCount(const std::vector<graphics::Point>& polygon);
struct FlatnessTest
{
    bool isFlat;
    graphics::Point crossing;
};
FlatnessTest isControlPolygonFlat(const std::vector<graphics::Point>& polygon);
void findPolynomialRoots(const std::vector<graphics::Point>& polygon, int depth,
                         const std::function<void(double)>& root);
// The point of the curve nearest P; ties keep the earlier candidate.
BezierCurveLocation closestLocation(const BezierCurveData& curve, const graphics::Point& point);

} // namespace pelorama::geometry
