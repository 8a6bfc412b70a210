#include "ShapeSupport.h"
#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierGraph.h"
#include "geometry/BezierGraphElement.h"
#include "geometry/EdgeCrossing.h"

#include <gtest/gtest.h>

using namespace geometrytest;
using namespace pelorama::geometry;
using graphics::Point;
using graphics::Rect;
using Elements = std::vector<BezierGraphElement>;

namespace {

int totalCrossings(const BezierGraph& graph)
{
    int count = 0;
    for (const auto& contour : graph.contours())
        for (const auto& edge : contour->edges())
            count += int(edge->crossings.size());
    return count;
}

// A closed polygon through the points.
graphics::Path polygon(std::initializer_list<Point> points)
{
    graphics::Path path;
    path.moveTo(*points.begin());
    for (auto point = points.begin() + 1; point != points.end(); ++point)
        path.lineTo(*point);
    path.closeSubpath();
    return path;
}

// Takes the crossings and overlaps that insertCrossings put on both graphs off them again.
void clearCrossings(BezierGraph& a, BezierGraph& b)
{
    a.removeCrossings();
    b.removeCrossings();
    a.removeOverlaps();
    b.removeOverlaps();
}

} // namespace

TEST(GeometryTest, GraphReadsPathElementsAndDropsDegenerateOnes)
{
    EXPECT_TRUE(BezierGraph(Elements{}).contours().empty());
    EXPECT_EQ(BezierGraph(Elements{}).bounds(), Rect::zero());
    EXPECT_TRUE(BezierGraph(Elements{}).bezierPath().isEmpty());
    EXPECT_EQ(BezierGraph(Elements{}).bezierPath().windingRule(), graphics::WindingRule::evenOdd);

    const BezierGraph moves(Elements{BezierGraphElement::moveTo({1, 1}), BezierGraphElement::moveTo({2, 2})});
    EXPECT_EQ(moves.contours().size(), 2u);
    EXPECT_TRUE(moves.bezierPath().isEmpty());

    const BezierGraph rect(graphics::Path::rect(Rect(1, 1, 2, 2)));
    ASSERT_EQ(rect.contours().size(), 1u);
    EXPECT_EQ(rect.contours()[0]->edges().size(), 4u);
    EXPECT_EQ(rect.bounds(), Rect(1, 1, 2, 2));

    // The last line already ends at the start: no closing edge, neither from the close nor the next move.
    const BezierGraph triangle(
        Elements{BezierGraphElement::moveTo({0, 0}), BezierGraphElement::lineTo({4, 0}),
                 BezierGraphElement::lineTo({0, 3}), BezierGraphElement::lineTo({0, 0}),
                 BezierGraphElement::close(), BezierGraphElement::moveTo({9, 9})});
    EXPECT_EQ(triangle.contours()[0]->edges().size(), 3u);

    const BezierGraph degenerate(Elements{BezierGraphElement::moveTo({1, 1}),
                                          BezierGraphElement::lineTo({1, 1}),
                                          BezierGraphElement::quadCurveTo({1, 1}, {1, 1}),
                                          BezierGraphElement::cubicCurveTo({1, 1}, {1, 1}, {1, 1}),
                                          BezierGraphElement::lineTo({1 + 1e-12, 1})});
    EXPECT_EQ(degenerate.contours()[0]->edges().size(), 1u);

    const BezierGraph beforeMove(Elements{BezierGraphElement::lineTo({5, 5}),
                                          BezierGraphElement::moveTo({0, 0}),
                                          BezierGraphElement::lineTo({1, 0})});
    ASSERT_EQ(beforeMove.contours().size(), 1u);
    EXPECT_EQ(beforeMove.contours()[0]->edges()[0]->data().endPoint1, (Point{0, 0}));

    // A final subpath without a close keeps its open end.
    const BezierGraph open(Elements{BezierGraphElement::moveTo({0, 0}), BezierGraphElement::lineTo({1, 0}),
                                    BezierGraphElement::lineTo({1, 1})});
    EXPECT_EQ(open.contours()[0]->edges().size(), 2u);

    const BezierGraph quad(
        Elements{BezierGraphElement::moveTo({0, 0}), BezierGraphElement::quadCurveTo({6, 0}, {3, 3})});
    const BezierCurveData& raised = quad.contours()[0]->edges()[0]->data();
    EXPECT_EQ(raised.controlPoint1, (Point{2, 2}));
    EXPECT_EQ(raised.controlPoint2, (Point{4, 2}));
    EXPECT_FALSE(raised.isStraightLine);
}

TEST(GeometryTest, PathElementsReadInTheirPlatformOrder)
{
    graphics::PathElement quad{graphics::PathElementType::quadCurveTo, {Point{1, 2}, Point{3, 4}, Point{}}};
    EXPECT_EQ(BezierGraphElement::fromElement(quad), BezierGraphElement::quadCurveTo({3, 4}, {1, 2}));
    graphics::PathElement cubic{graphics::PathElementType::curveTo, {Point{1, 2}, Point{3, 4}, Point{5, 6}}};
    EXPECT_EQ(BezierGraphElement::fromElement(cubic),
              BezierGraphElement::cubicCurveTo({5, 6}, {1, 2}, {3, 4}));
}

TEST(GeometryTest, ContourClosesBoundsAndPicksItsTestPoint)
{
    BezierContour contour;
    contour.addEdge(nullptr);
    EXPECT_TRUE(contour.edges().empty());
    EXPECT_EQ(contour.bounds(), Rect::zero());
    EXPECT_EQ(contour.testPoint(), (Point{0, 0}));
    contour.close();
    EXPECT_TRUE(contour.edges().empty());

    contour.addEdge(BezierCurve::line({0, 0}, {4, 0}));
    contour.addEdge(BezierCurve::line({4, 0}, {4, 4}));
    EXPECT_EQ(contour.edges()[1]->index, 1);
    EXPECT_EQ(contour.bounds(), Rect(0, 0, 4, 4));
    contour.addEdge(BezierCurve::line({4, 4}, {0, 1e-9}));
    EXPECT_EQ(contour.bounds(), Rect(0, 0, 4, 4));
    contour.close();
    EXPECT_EQ(contour.edges().size(), 4u);

    EXPECT_EQ(contour.testPoint(), (Point{0, 0}));
    contour.edges()[0]->startShared = true;
    EXPECT_EQ(contour.startEdge(), contour.edges()[1].get());
    EXPECT_EQ(contour.testPoint(), (Point{4, 0}));
    for (const auto& edge : contour.edges())
        edge->startShared = true;
    EXPECT_EQ(contour.startEdge(), contour.edges()[0].get());
    EXPECT_EQ(contour.testPoint(), (Point{2, 0}));
}

TEST(GeometryTest, ContourContainsPointsAndCountsJointsOnce)
{
    BezierGraph graph(square(0, 0, 10));
    const BezierContour& contour = *graph.contours()[0];
    EXPECT_TRUE(contour.contains({5, 5}));
    EXPECT_FALSE(contour.contains({-1, 5}));
    EXPECT_FALSE(contour.contains({15, 5}));
    // A test line through the corner where two edges join counts one crossing.
    auto throughCorner = BezierCurve::line({-5, -5}, {5, 5});
    EXPECT_EQ(contour.numberOfIntersections(*throughCorner), 1);
    auto throughStart = BezierCurve::line({-5, 5}, {5, -5});
    EXPECT_EQ(contour.numberOfIntersections(*throughStart) % 2, 0);
    auto across = BezierCurve::line({-5, 5}, {15, 5});
    EXPECT_EQ(contour.numberOfIntersections(*across), 2);
}

TEST(GeometryTest, CrossingsOfTwoOverlappingSquaresComeInLinkedSortedPairs)
{
    BezierGraph a(square(0, 0, 10));
    BezierGraph b(square(5, 5, 10));
    a.insertCrossings(b);
    EXPECT_EQ(totalCrossings(a), 2);
    EXPECT_EQ(totalCrossings(b), 2);
    for (const auto& edge : a.contours()[0]->edges()) {
        for (const auto& crossing : edge->crossings) {
            ASSERT_NE(crossing->counterpart(), nullptr);
            EXPECT_EQ(crossing->counterpart()->counterpart(), crossing.get());
            EXPECT_EQ(crossing->edge, edge.get());
        }
    }
    clearCrossings(a, b);
    EXPECT_EQ(totalCrossings(a), 0);
    EXPECT_TRUE(a.contours()[0]->overlaps().empty());
}

TEST(GeometryTest, CornerCrossingsAreDeduplicated)
{
    // The second square's corner lies on the first one's corner at (10, 10), and it passes through.
    BezierGraph a(square(0, 0, 10));
    BezierGraph c(polygon({{10, 5}, {15, 10}, {10, 15}, {5, 10}}));
    a.insertCrossings(c);
    a.removeDuplicateCrossings();
    c.removeDuplicateCrossings();
    EXPECT_EQ(totalCrossings(a), 2);
    for (const auto& edge : a.contours()[0]->edges())
        for (const auto& crossing : edge->crossings)
            EXPECT_FALSE(crossing->isAtStart());
    clearCrossings(a, c);
}

TEST(GeometryTest, TouchingShapesRecordNoCrossingButAShareStart)
{
    BezierGraph a(square(0, 0, 10));
    BezierGraph b(polygon({{10, 10}, {20, 10}, {20, 20}}));
    a.insertCrossings(b);
    EXPECT_EQ(totalCrossings(a), 0);
    EXPECT_TRUE(b.contours()[0]->edges()[0]->startShared);
    clearCrossings(a, b);
}

TEST(GeometryTest, HolesAreToldFromFilledContoursByNesting)
{
    graphics::Path nested = square(0, 0, 30);
    nested.append(square(5, 5, 20));
    nested.append(square(10, 10, 10));
    BezierGraph graph(nested);
    graph.insertSelfCrossings();
    EXPECT_EQ(graph.contours()[0]->inside(), ContourInside::filled);
    EXPECT_EQ(graph.contours()[1]->inside(), ContourInside::hole);
    EXPECT_EQ(graph.contours()[2]->inside(), ContourInside::filled);

    graphics::Path twoCircles = circle({0, 0}, 10);
    twoCircles.append(circle({12, 0}, 10));
    BezierGraph overlapping(twoCircles);
    overlapping.insertSelfCrossings();
    EXPECT_GT(totalCrossings(overlapping), 0);
    EXPECT_EQ(overlapping.contours()[0]->inside(), ContourInside::filled);
    EXPECT_EQ(overlapping.contours()[1]->inside(), ContourInside::filled);
    for (const auto& edge : overlapping.contours()[0]->edges())
        for (const auto& crossing : edge->crossings)
            EXPECT_TRUE(crossing->selfCrossing);
    overlapping.removeCrossings();
}

TEST(GeometryTest, HolesAreToldApartAmongManyContours)
{
    // Enough contours that the graph finds the holders of each through a tree of their bounds: a row of
    // framed squares, each frame holding a square that holds a smaller one, and one big square round them
    // all, so that every depth of nesting counts once more.
    graphics::Path path = square(-10, -10, 12 * 40 + 20);
    for (int i = 0; i < 12; ++i) {
        path.append(square(40.0 * i, 0, 30));
        path.append(square(40.0 * i + 5, 5, 20));
        path.append(square(40.0 * i + 10, 10, 10));
    }
    BezierGraph graph(path);
    ASSERT_GE(graph.contours().size(), 32u);
    graph.insertSelfCrossings();
    EXPECT_EQ(graph.contours()[0]->inside(), ContourInside::filled);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(graph.contours()[std::size_t(1 + 3 * i)]->inside(), ContourInside::hole) << i;
        EXPECT_EQ(graph.contours()[std::size_t(2 + 3 * i)]->inside(), ContourInside::filled) << i;
        EXPECT_EQ(graph.contours()[std::size_t(3 + 3 * i)]->inside(), ContourInside::hole) << i;
    }

    // Given directions, the holes run against the outer outlines; even-odd, the area is the same.
    const std::vector<Polygon> polygons = flatten(graph.bezierPath(ContourDirection::counterClockwise));
    EXPECT_NEAR(signedArea(polygons), evenOddArea(polygons), 1e-9);
    EXPECT_NEAR(evenOddArea(polygons), 500.0 * 500 - 12 * (900 - 400 + 100), 1e-6);

    BezierGraph inner(square(40 * 5 + 12, 12, 6));
    EXPECT_FALSE(graph.encloses(*inner.contours()[0]));
    BezierGraph between(square(40 * 5 + 6, 6, 2));
    EXPECT_TRUE(graph.encloses(*between.contours()[0]));
}

TEST(GeometryTest, IdenticalContoursAreEquivalentAndGetNoMiddleCrossing)
{
    BezierGraph a(square(0, 0, 10));
    BezierGraph b(square(0, 0, 10));
    a.insertCrossings(b);
    EXPECT_TRUE(a.contours()[0]->isEquivalent(*b.contours()[0]));
    EXPECT_EQ(a.contours()[0]->overlaps().size(), 1u);
    EXPECT_EQ(b.contours()[0]->overlaps().size(), 1u);
    for (const auto& edge : a.contours()[0]->edges())
        for (const auto& crossing : edge->crossings)
            EXPECT_FALSE(crossing->fromCrossingOverlap);
    clearCrossings(a, b);

    BezierGraph c(square(10, 0, 10));
    BezierGraph d(square(0, 0, 10));
    d.insertCrossings(c);
    EXPECT_FALSE(d.contours()[0]->isEquivalent(*c.contours()[0]));
    clearCrossings(d, c);
}

TEST(GeometryTest, ContainmentOfAContourByAGraph)
{
    BezierGraph outer(square(0, 0, 30));
    BezierGraph inner(square(10, 10, 10));
    BezierGraph far(square(100, 100, 10));
    EXPECT_TRUE(outer.encloses(*inner.contours()[0]));
    EXPECT_FALSE(outer.encloses(*far.contours()[0]));
    EXPECT_FALSE(BezierGraph(Elements{}).encloses(*inner.contours()[0]));

    graphics::Path ringPath = square(0, 0, 30);
    ringPath.append(square(5, 5, 20));
    BezierGraph ringGraph(ringPath);
    EXPECT_FALSE(ringGraph.encloses(*inner.contours()[0]));

    // Zero-sized contours are never contained.
    BezierGraph dot(Elements{BezierGraphElement::moveTo({15, 15}), BezierGraphElement::lineTo({15, 15})});
    EXPECT_FALSE(outer.encloses(*dot.contours()[0]));
}

TEST(GeometryTest, ContainmentHoldsForContoursCloseToTheirContainer)
{
    // Where the container passes close to the contour along a test line, where exactly the line meets the
    // contour decides; farther away, only that it meets it.
    BezierGraph outer(square(0, 0, 30));
    BezierGraph hair(square(0.0005, 10, 10));
    BezierGraph alongside(square(0, 10, 10));
    BezierGraph roundNear(circle({24.999, 15}, 5));
    EXPECT_TRUE(outer.encloses(*hair.contours()[0]));
    EXPECT_TRUE(outer.encloses(*alongside.contours()[0]));
    EXPECT_TRUE(outer.encloses(*roundNear.contours()[0]));

    graphics::Path ringPath = square(0, 0, 30);
    ringPath.append(square(9.9995, 9.9995, 10.001));
    BezierGraph ringGraph(ringPath);
    BezierGraph inHole(square(10, 10, 10));
    EXPECT_FALSE(ringGraph.encloses(*inHole.contours()[0]));
}

TEST(GeometryTest, ContainmentAnswersAreRememberedPerContainerAndSpan)
{
    BezierGraph graph(square(0, 0, 30));
    auto container = BezierGraph(square(0, 0, 30)).contours()[0];
    auto other = BezierGraph(square(0, 0, 30)).contours()[0];
    const BezierContour& contour = *graph.contours()[0];
    const BezierContour::RaySpan span{-10, -10, 40, 40};
    EXPECT_FALSE(contour.rememberedHolding(container, span).has_value());
    contour.rememberHolding(container, span, true);
    EXPECT_EQ(contour.rememberedHolding(container, span), true);
    EXPECT_FALSE(contour.rememberedHolding(other, span).has_value());
    EXPECT_FALSE(contour.rememberedHolding(container, {-10, -10, 40, 41}).has_value());
    // Spans are told apart to the bit: test lines made of other numbers can meet the contours elsewhere.
    contour.rememberHolding(container, {0.0, -10, 40, 40}, false);
    EXPECT_EQ(contour.rememberedHolding(container, {0.0, -10, 40, 40}), false);
    EXPECT_FALSE(contour.rememberedHolding(container, {-0.0, -10, 40, 40}).has_value());

    // An answer about a container that is gone is not taken for one about a contour made after it.
    std::weak_ptr<BezierContour> gone = container;
    container.reset();
    ASSERT_TRUE(gone.expired());
    auto later = BezierGraph(square(0, 0, 30)).contours()[0];
    EXPECT_FALSE(contour.rememberedHolding(later, span).has_value());

    // A contour that changes forgets what it was told.
    contour.rememberHolding(later, span, false);
    EXPECT_EQ(contour.rememberedHolding(later, span), false);
    graph.contours()[0]->addEdge(BezierCurve::line({0, 0}, {1, 1}));
    EXPECT_FALSE(contour.rememberedHolding(later, span).has_value());
}

TEST(GeometryTest, ContainmentRaysStayBoundedOnHugeAndPixelAlignedOutlines)
{
    // Beyond 2^53 the ray step is below the spacing of doubles: an accumulated position would never advance.
    // Positions computed from the ray's index keep the test finite; the answer itself means little there.
    const double base = 1e17;
    BezierGraph outer(graphics::Path::rect(Rect(base - 4096, base - 4096, 16384, 16384)));
    BezierGraph inner(graphics::Path::rect(Rect(base, base, 64, 64)));
    outer.encloses(*inner.contours()[0]);

    // A pixel staircase whose rays all meet vertices gives up after a bounded number of rays.
    graphics::Path stairs;
    stairs.moveTo({0, 0});
    for (int i = 0; i < 400; ++i) {
        stairs.lineTo({double(i + 1), double(i)});
        stairs.lineTo({double(i + 1), double(i + 1)});
    }
    stairs.lineTo({0, 400});
    stairs.closeSubpath();
    BezierGraph staircase(stairs);
    BezierGraph container(graphics::Path::rect(Rect(-10, -10, 420, 420)));
    EXPECT_TRUE(container.encloses(*staircase.contours()[0]));
}
