#include "ShapeSupport.h"
#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierGraph.h"
#include "geometry/PathBoolean.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace geometrytest;
using namespace pelorama::geometry;
using graphics::Path;
using graphics::Point;
using graphics::Rect;

namespace {

int subpathCount(const Path& path)
{
    int count = 0;
    for (const auto& element : path.elements())
        if (element.type == graphics::PathElementType::moveTo)
            ++count;
    return count;
}

void expectArea(const Path& path, double expected, double tolerance, const char* what)
{
    EXPECT_NEAR(evenOddArea(flatten(path)), expected, tolerance) << what << ": " << describe(path);
}

void expectInside(const Path& path, Point point, bool inside, const char* what)
{
    EXPECT_EQ(evenOddContains(flatten(path), point), inside)
        << what << " at (" << point.x << ", " << point.y << "): " << describe(path);
}

const double circleArea = std::numbers::pi * 100;

} // namespace

TEST(GeometryTest, OverlappingSquaresCombine)
{
    const Path a = square(0, 0, 10), b = square(5, 5, 10);
    expectArea(unioningWith(a, b), 175, 1e-6, "union");
    EXPECT_EQ(subpathCount(unioningWith(a, b)), 1);
    expectArea(intersectingWith(a, b), 25, 1e-6, "intersection");
    expectArea(subtracting(a, b), 75, 1e-6, "difference");
    expectInside(subtracting(a, b), {2, 2}, true, "difference");
    expectInside(subtracting(a, b), {7, 7}, false, "difference");
    expectArea(symmetricDifferenceWith(a, b), 150, 1e-6, "exclusive or");
    EXPECT_EQ(subpathCount(symmetricDifferenceWith(a, b)), 2);
}

TEST(GeometryTest, OperandsThatCrossNothingFollowTheContainmentTable)
{
    const Path r = circle({0, 0}, 10);
    const Path disjoint = circle({50, 0}, 10);
    const Path insideR = circle({1, 1}, 3);
    const Path aroundR = circle({0, 0}, 20);
    const Path empty;
    const double small = std::numbers::pi * 9, big = std::numbers::pi * 400;

    expectArea(unioningWith(r, disjoint), 2 * circleArea, 0.5, "disjoint union");
    EXPECT_TRUE(intersectingWith(r, disjoint).isEmpty());
    expectArea(subtracting(r, disjoint), circleArea, 0.5, "disjoint difference");
    expectArea(symmetricDifferenceWith(r, disjoint), 2 * circleArea, 0.5, "disjoint exclusive or");

    expectArea(unioningWith(r, insideR), circleArea, 0.5, "union with inner");
    expectArea(intersectingWith(r, insideR), small, 0.1, "intersection with inner");
    expectArea(subtracting(r, insideR), circleArea - small, 0.5, "difference with inner");
    expectInside(subtracting(r, insideR), {1, 1}, false, "hole of the difference");
    expectArea(symmetricDifferenceWith(r, insideR), circleArea - small, 0.5, "exclusive or with inner");

    expectArea(unioningWith(r, aroundR), big, 1, "union with outer");
    expectArea(intersectingWith(r, aroundR), circleArea, 0.5, "intersection with outer");
    EXPECT_TRUE(subtracting(r, aroundR).isEmpty());
    expectArea(symmetricDifferenceWith(r, aroundR), big - circleArea, 1, "exclusive or with outer");

    expectArea(unioningWith(r, empty), circleArea, 0.5, "union with nothing");
    EXPECT_TRUE(intersectingWith(r, empty).isEmpty());
    expectArea(subtracting(r, empty), circleArea, 0.5, "difference with nothing");
    expectArea(symmetricDifferenceWith(r, empty), circleArea, 0.5, "exclusive or with nothing");
    expectArea(unioningWith(empty, r), circleArea, 0.5, "nothing united");
    EXPECT_TRUE(intersectingWith(empty, r).isEmpty());
    EXPECT_TRUE(subtracting(empty, r).isEmpty());
    expectArea(symmetricDifferenceWith(empty, r), circleArea, 0.5, "nothing exclusive-ored");
}

TEST(GeometryTest, IdenticalOperands)
{
    std::mt19937 random(7);
    for (const Path& a : {square(0, 0, 10), circle({3, 4}, 10), randomBlob(random, 5, {50, 50}, 20)}) {
        const double area = evenOddArea(flatten(a));
        expectArea(unioningWith(a, a), area, 1e-6 * area + 1e-9, "A union A");
        expectArea(intersectingWith(a, a), area, 1e-6 * area + 1e-9, "A intersect A");
        EXPECT_TRUE(subtracting(a, a).isEmpty()) << describe(subtracting(a, a));
        // Used to intersect a contour with itself and leave an outline behind.
        EXPECT_TRUE(symmetricDifferenceWith(a, a).isEmpty()) << describe(symmetricDifferenceWith(a, a));
    }
}

TEST(GeometryTest, EquivalentFilledAndHoleContoursPairUp)
{
    // R: a ring whose hole is O's outline; O: the disc filling the hole.
    const Path ringPath = ring({0, 0}, 20, 10);
    const Path disc = circle({0, 0}, 10);
    const double ringArea = std::numbers::pi * 300;
    expectArea(unioningWith(ringPath, disc), std::numbers::pi * 400, 1, "ring united with its hole");
    EXPECT_TRUE(intersectingWith(ringPath, disc).isEmpty()) << describe(intersectingWith(ringPath, disc));
    expectArea(subtracting(ringPath, disc), ringArea, 1, "ring less its hole");

    // Two rings sharing their hole: the shared hole outline bounds no part of the difference.
    const Path thinner = ring({0, 0}, 15, 10);
    expectArea(subtracting(ringPath, thinner), std::numbers::pi * (400 - 225), 1, "ring less a thinner ring");
    expectInside(subtracting(ringPath, thinner), {0, 0}, false, "the shared hole");
    EXPECT_TRUE(subtracting(ringPath, ring({0, 0}, 30, 10)).isEmpty());
}

TEST(GeometryTest, SharedEdgesJoinOrVanish)
{
    const Path left = square(0, 0, 10), right = square(10, 0, 10);
    const Path u = unioningWith(left, right);
    expectArea(u, 200, 1e-6, "side by side");
    expectInside(u, {10, 5}, true, "the shared side");
    EXPECT_TRUE(intersectingWith(left, right).isEmpty() ||
                evenOddArea(flatten(intersectingWith(left, right))) < 1e-9);
    expectArea(subtracting(left, right), 100, 1e-6, "difference along a shared side");

    // A shared stretch that is only part of a side.
    const Path shifted = square(10, 5, 10);
    expectArea(unioningWith(left, shifted), 200, 1e-6, "partly shared side");
    expectArea(subtracting(square(0, 0, 20), square(10, 5, 10)), 300, 1e-6, "notch out of a side");
}

TEST(GeometryTest, RectanglesSharingStretchesOfSides)
{
    // Found by the grid property test. The top side of one runs on into the other's: a piece cut from a
    // straight side carries rounding that must not turn a shared direction into a crossing.
    const Path a = graphics::Path::rect(Rect(80, 50, 20, 10)), b = graphics::Path::rect(Rect(60, 20, 30, 40));
    expectArea(unioningWith(a, b), 1300, 1e-6, "side running on");
    expectArea(intersectingWith(a, b), 100, 1e-6, "side running on");
    // One rectangle inside the other, sharing three sides: the shared sides form one stretch, not two.
    const Path inner = graphics::Path::rect(Rect(80, 40, 30, 20)),
               outer = graphics::Path::rect(Rect(80, 40, 40, 20));
    expectArea(unioningWith(inner, outer), 800, 1e-6, "three shared sides");
    expectArea(intersectingWith(inner, outer), 600, 1e-6, "three shared sides");
    expectArea(subtracting(outer, inner), 200, 1e-6, "three shared sides");
}

TEST(GeometryTest, TouchingCornersAndAVertexOnAnEdge)
{
    const Path a = square(0, 0, 10), corner = square(10, 10, 10);
    expectArea(unioningWith(a, corner), 200, 1e-6, "corner to corner");
    EXPECT_LT(evenOddArea(flatten(intersectingWith(a, corner))), 1e-9);

    Path triangle;
    triangle.moveTo({5, 10});
    triangle.lineTo({10, 20});
    triangle.lineTo({0, 20});
    triangle.closeSubpath();
    expectArea(unioningWith(a, triangle), 150, 1e-6, "a vertex on the other's edge");
    expectArea(subtracting(a, triangle), 100, 1e-6, "difference at a touching vertex");

    Path dipping;
    dipping.moveTo({5, 5});
    dipping.lineTo({10, 20});
    dipping.lineTo({0, 20});
    dipping.closeSubpath();
    expectArea(unioningWith(a, dipping), 100 + 75 - 25.0 / 3, 1e-6, "a vertex inside");
}

TEST(GeometryTest, CoincidentCurvesOverAStretch)
{
    // Two discs that share the right half of their outline: the second one is the first with its left half
    // pushed inwards.
    const Path a = circle({0, 0}, 10);
    Path b;
    b.moveTo({10, 0});
    b.curveTo({0, 10}, {10, 5.5228474983079}, {5.5228474983079, 10});
    b.curveTo({0, -10}, {5, 5}, {5, -5});
    b.curveTo({10, 0}, {5.5228474983079, -10}, {10, -5.5228474983079});
    b.closeSubpath();
    const double areaB = evenOddArea(flatten(b));
    expectArea(unioningWith(a, b), circleArea, 0.2, "union over a shared arc");
    expectArea(intersectingWith(a, b), areaB, 0.2, "intersection over a shared arc");
    expectArea(subtracting(a, b), circleArea - areaB, 0.2, "difference over a shared arc");
}

TEST(GeometryTest, NestedHolesKeepTheirEvenOddMeaning)
{
    Path target = square(0, 0, 40);
    target.append(square(10, 10, 20));
    target.append(square(15, 15, 10));
    const Path bar = graphics::Path::rect(Rect(-5, 18, 50, 4));
    const Path u = unioningWith(target, bar);
    expectInside(u, {12, 12}, false, "the hole stays");
    expectInside(u, {20, 20}, true, "the bar fills");
    expectInside(u, {17, 17}, true, "the inner square stays");
    const Path i = intersectingWith(target, bar);
    expectArea(i, 4 * (40 - 20 + 10), 1e-6, "bar through nested squares");
}

TEST(GeometryTest, ResultsCarryTheReceiversStrokeAttributes)
{
    Path receiver = square(0, 0, 10);
    graphics::StrokeAttributes attributes;
    attributes.lineWidth = 7;
    attributes.lineCap = graphics::LineCap::round;
    attributes.lineJoin = graphics::LineJoin::bevel;
    attributes.miterLimit = 3;
    attributes.flatness = 0.2;
    receiver.setStrokeAttributes(attributes);
    Path argument = square(5, 5, 10);
    argument.setLineWidth(2);
    for (const Path& result :
         {unioningWith(receiver, argument), intersectingWith(receiver, argument),
          subtracting(receiver, argument), symmetricDifferenceWith(receiver, argument)}) {
        EXPECT_EQ(result.strokeAttributes(), attributes);
        EXPECT_EQ(result.windingRule(), graphics::WindingRule::evenOdd);
    }
}

TEST(GeometryTest, OperandsAreLeftWithoutCrossingsOrOverlaps)
{
    BezierGraph a(square(0, 0, 10));
    BezierGraph b(square(5, 5, 10));
    const BezierGraph result = a.symmetricDifference(b);
    for (const BezierGraph* graph : {&a, &b}) {
        for (const auto& contour : graph->contours()) {
            EXPECT_TRUE(contour->overlaps().empty());
            for (const auto& edge : contour->edges())
                EXPECT_TRUE(edge->crossings.empty());
        }
    }
    EXPECT_EQ(result.contours().size(), 2u);
}

TEST(GeometryTest, MarkerShapes)
{
    EXPECT_EQ(circleAtPoint({10, 20}).bounds(), Rect(5, 15, 10, 10));
    EXPECT_EQ(smallRectAtPoint({0, 0}), graphics::Path::rect(Rect(-1.5, -1.5, 3, 3)));
    EXPECT_EQ(rectAtPoint({0, 0}), graphics::Path::rect(Rect(-5, -5, 10, 10)));
    EXPECT_EQ(smallCircleAtPoint({0, 0}).bounds(), Rect(-1.5, -1.5, 3, 3));
    const Path triangle = triangleAtPoint({0, 0}, {1, 0});
    ASSERT_EQ(triangle.elementCount(), 5);
    EXPECT_EQ(triangle.element(0).points[0], (Point{0, 5}));
    EXPECT_EQ(triangle.element(1).points[0], (Point{15, 0}));
    EXPECT_EQ(triangle.element(2).points[0], (Point{0, -5}));
    EXPECT_EQ(triangle.element(3).points[0], (Point{0, 5}));
    EXPECT_EQ(triangleAtPoint({0, 0}, {2, 0}).element(1).points[0], (Point{30, 0}));
    EXPECT_EQ(triangleAtPoint({0, 0}, {2, 0}).element(2).points[0], (Point{0, -5}));
}
