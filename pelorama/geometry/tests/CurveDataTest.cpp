#include "geometry/BezierCurve.h"
#include "geometry/BezierCurveData.h"
#include "geometry/FatLineClip.h"
#include "geometry/NearestPoint.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace pelorama::geometry;
using graphics::Point;
using graphics::Rect;

namespace {

const BezierCurveData arch({0, 0}, {0, 10}, {10, 10}, {10, 0}, false);

void expectPoint(Point actual, Point expected, double tolerance = 1e-12)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

} // namespace

TEST(GeometryTest, CurveIsAPointWithinFiveMillionths)
{
    EXPECT_TRUE(BezierCurveData({1, 1}, {1 + 0.9e-5, 1}, {1, 1 - 0.9e-5}, {1, 1}, false).isPoint());
    EXPECT_FALSE(BezierCurveData({1, 1}, {1 + 1.1e-5, 1}, {1, 1}, {1, 1}, false).isPoint());
}

TEST(GeometryTest, CurveBoundsAreTightAndControlBoxHoldsAllPoints)
{
    EXPECT_EQ(arch.boundingRect(), Rect(0, 0, 10, 10));
    const Rect bounds = arch.bounds();
    EXPECT_DOUBLE_EQ(bounds.minX(), 0);
    EXPECT_DOUBLE_EQ(bounds.minY(), 0);
    EXPECT_DOUBLE_EQ(bounds.width(), 10);
    EXPECT_DOUBLE_EQ(bounds.height(), 7.5);
    const BezierCurveData line({3, 4}, {2, 10}, {2, 10}, {0, 0}, true);
    EXPECT_EQ(line.bounds(), Rect(0, 0, 3, 4));
}

TEST(GeometryTest, SplittingAtAParameterGivesBothPieces)
{
    const auto split = arch.point(0.5);
    expectPoint(split.point, {5, 7.5});
    expectPoint(split.left.controlPoint1, {0, 5});
    expectPoint(split.left.controlPoint2, {2.5, 7.5});
    expectPoint(split.right.controlPoint1, {7.5, 7.5});
    expectPoint(split.right.controlPoint2, {10, 5});
    EXPECT_EQ(arch.point(0).point, arch.endPoint1);
    EXPECT_EQ(arch.point(1).point, arch.endPoint2);
}

TEST(GeometryTest, PartsOfASplitAloneAreExactlyThoseOfTheWholeSplit)
{
    // The clipping cuts its pieces this way and must land on the very same numbers as a full split.
    const BezierCurveData skewed({0.1, -3.7}, {1.3, 9.1}, {7.9, 11.3}, {10.7, 0.3}, false);
    const BezierCurveData line({0, 0}, {1, 1.0 / 3}, {2, 2.0 / 3}, {3, 1}, true);
    auto expectSame = [](const BezierCurveData& a, const BezierCurveData& b) {
        EXPECT_EQ(a.endPoint1, b.endPoint1);
        EXPECT_EQ(a.controlPoint1, b.controlPoint1);
        EXPECT_EQ(a.controlPoint2, b.controlPoint2);
        EXPECT_EQ(a.endPoint2, b.endPoint2);
        EXPECT_EQ(a.isStraightLine, b.isStraightLine);
    };
    for (const BezierCurveData* curve : {&skewed, &line}) {
        for (const double t : {0.0, 0.1234567, 0.5, 0.987654321, 1.0}) {
            const BezierCurveData::Split split = curve->point(t);
            EXPECT_EQ(curve->pointAt(t), split.point);
            expectSame(curve->pieceBefore(t), split.left);
            expectSame(curve->pieceAfter(t), split.right);
        }
    }
}

TEST(GeometryTest, CurveEqualityUsesTheToleranceAndIgnoresControlsOfLines)
{
    const BezierCurveData moved({0, 0}, {0, 10 + 2e-10}, {10, 10}, {10, 0}, false);
    EXPECT_FALSE(arch.isEqual(moved, 1e-10));
    EXPECT_TRUE(arch.isEqual(moved, 1e-9));
    const BezierCurveData line1({0, 0}, {1, 0}, {2, 0}, {3, 0}, true);
    const BezierCurveData line2({0, 0}, {5, 5}, {6, 6}, {3, 0}, true);
    EXPECT_TRUE(line1.isEqual(line2, 1e-10));
    const BezierCurveData curveOverLine({0, 0}, {1, 0}, {2, 0}, {3, 0}, false);
    EXPECT_FALSE(line1.isEqual(curveOverLine, 1e-10));
    const BezierCurveData point({1, 1}, {1, 1}, {1, 1}, {1, 1}, false);
    EXPECT_FALSE(point.isEqual(point, 1e-10));
}

TEST(GeometryTest, TangentsPointAwayFromTheirEnds)
{
    auto edge = BezierCurve::curve({0, 0}, {0, 10}, {10, 10}, {10, 0});
    EXPECT_EQ(edge->startTangent(0), (Point{0, 10}));
    EXPECT_EQ(edge->endTangent(0), (Point{0, 10}));
    // A control point on its end point: the direction is taken a short way along the curve.
    auto flatStart = BezierCurve::curve({0, 0}, {0, 0}, {10, 10}, {10, 0});
    const Point tangent = flatStart->startTangent(0);
    EXPECT_GT(tangent.x, 0);
    EXPECT_GT(tangent.y, 0);
    auto line = BezierCurve::line({0, 0}, {2, 0});
    EXPECT_EQ(line->startTangent(50), (Point{2, 0}));
    EXPECT_EQ(line->endTangent(50), (Point{-2, 0}));
    const auto pieces = edge->split(0);
    EXPECT_EQ(pieces.point, (Point{0, 0}));
    EXPECT_TRUE(pieces.left->data().isPoint());
    EXPECT_TRUE(*pieces.right == *edge);
}

TEST(GeometryTest, SplittingByRangeMakesOnlyThePiecesThatExist)
{
    auto edge = BezierCurve::curve({0, 0}, {0, 10}, {10, 10}, {10, 0});
    auto whole = edge->splitSubcurves({0, 1}, true, true, true);
    EXPECT_FALSE(whole.left);
    EXPECT_TRUE(*whole.middle == *edge);
    ASSERT_TRUE(whole.right);
    EXPECT_TRUE(whole.right->data().isPoint());
    auto inner = edge->splitSubcurves({0.25, 0.75}, true, true, true);
    ASSERT_TRUE(inner.left && inner.middle && inner.right);
    expectPoint(inner.middle->data().endPoint1, edge->data().point(0.25).point);
    expectPoint(inner.middle->data().endPoint2, edge->data().point(0.75).point);
    auto atEnd = subcurveWithRange(edge->data(), {1, 1});
    EXPECT_TRUE(atEnd.isPoint());
    expectPoint(atEnd.endPoint1, {10, 0});
}

TEST(GeometryTest, FatLineClipNarrowsOrRejects)
{
    const BezierCurveData far({0, 100}, {1, 101}, {2, 101}, {3, 100}, false);
    const BezierCurveData near({0, 0}, {1, 1}, {2, 1}, {3, 0}, false);
    Range range{0, 1};
    const ClipResult rejected = bezierClip(far, near, far, range);
    EXPECT_FALSE(rejected.mayMeet);
    EXPECT_EQ(range.minimum, 0);
    EXPECT_EQ(range.maximum, 1);
    // A curve lying wholly inside the other's fat line is not narrowed.
    const FatLine band = BezierCurveData({0, -1}, {1, 3}, {2, 3}, {3, -1}, false).chordFatLine();
    const Range inside = clipWithFatLine(near, band.line, band.range.minimum, band.range.maximum);
    EXPECT_EQ(inside.minimum, 0);
    EXPECT_EQ(inside.maximum, 1);
}

TEST(GeometryTest, NearestPointOnACurve)
{
    EXPECT_EQ(closestLocation(arch, {0, 0}).parameter, 0);
    EXPECT_EQ(closestLocation(arch, {0, 0}).distance, 0);
    EXPECT_EQ(closestLocation(arch, {11, -1}).parameter, 1.0);
    const BezierCurveLocation top = closestLocation(arch, {5, 9});
    EXPECT_NEAR(top.parameter, 0.5, 1e-9);
    EXPECT_NEAR(top.distance, 1.5, 1e-9);
    // A Newton step from near the answer moves towards it.
    const double refined = refineParameter(arch, 0.45, {5, 9});
    EXPECT_LT(std::fabs(refined - 0.5), 0.05);
}

TEST(GeometryTest, NewtonStepKeepsTheParameterWhereItIsUndefined)
{
    // A cusp: the derivative vanishes at t = 0.5, and with the point on the curve there the step divides
    // zero by zero.
    const BezierCurveData cusp({0, 0}, {10, 10}, {0, 10}, {10, 0}, false);
    const Point atCusp = cusp.point(0.5).point;
    EXPECT_EQ(refineParameter(cusp, 0.5, atCusp), 0.5);
    const BezierCurveData point({1, 1}, {1, 1}, {1, 1}, {1, 1}, false);
    EXPECT_EQ(refineParameter(point, 0.3, {5, 5}), 0.3);
}

TEST(GeometryTest, PolynomialRootsAreReportedLeftFirst)
{
    std::vector<double> roots;
    // (t - 0.2)(t - 0.7) on [0, 1] as a degree-2 Bernstein polygon: values 0.14, -0.31 * 0.5 ..., built from
    // the power form p(t) = t^2 - 0.9t + 0.14.
    const std::vector<Point> polygon = {{0, 0.14}, {0.5, 0.14 - 0.45}, {1, 0.24}};
    findPolynomialRoots(polygon, 0, [&roots](double t) { roots.push_back(t); });
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_NEAR(roots[0], 0.2, 1e-9);
    EXPECT_NEAR(roots[1], 0.7, 1e-9);
    roots.clear();
    // A polygon that never changes sign has no root.
    findPolynomialRoots({{0, 0.25}, {0.5, 0.1}, {1, 0.25}}, 0, [&roots](double t) { roots.push_back(t); });
    EXPECT_TRUE(roots.empty());
}

TEST(GeometryTest, PolynomialRootsOfHighDegreeAreFoundToo)
{
    // The same polynomial raised to degree 8, more points than the nearest-point search ever splits.
    std::vector<double> values = {0.14, 0.14 - 0.45, 0.24};
    while (values.size() < 9) {
        const std::size_t n = values.size();
        std::vector<double> raised(n + 1);
        raised[0] = values[0];
        raised[n] = values[n - 1];
        for (std::size_t i = 1; i < n; ++i)
            raised[i] = double(i) / double(n) * values[i - 1] + (1 - double(i) / double(n)) * values[i];
        values = raised;
    }
    std::vector<Point> polygon;
    for (std::size_t k = 0; k < values.size(); ++k)
        polygon.push_back({double(k) / double(values.size() - 1), values[k]});
    std::vector<double> roots;
    findPolynomialRoots(polygon, 0, [&roots](double t) { roots.push_back(t); });
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_NEAR(roots[0], 0.2, 1e-9);
    EXPECT_NEAR(roots[1], 0.7, 1e-9);
}
