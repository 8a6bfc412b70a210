#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierIntersectRange.h"
#include "geometry/BezierIntersection.h"
#include "geometry/CurveIntersection.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/EdgeOverlap.h"
#include "geometry/EdgeOverlapRun.h"
#include "geometry/OverlapDetection.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace pelorama::geometry;
using graphics::Point;

namespace {

std::vector<std::shared_ptr<BezierIntersection>>
intersect(BezierCurve& a, BezierCurve& b, std::shared_ptr<BezierIntersectRange>* range = nullptr)
{
    std::vector<std::shared_ptr<BezierIntersection>> found;
    auto slot = findIntersections(a, b, [&found](const std::shared_ptr<BezierIntersection>& x) {
        found.push_back(x);
        return HandlerAnswer{};
    });
    if (range != nullptr)
        *range = slot;
    return found;
}

// A closed contour through the points, one straight edge per side.
std::shared_ptr<BezierContour> polygonContour(const std::vector<Point>& points)
{
    auto contour = std::make_shared<BezierContour>();
    for (std::size_t i = 0; i < points.size(); ++i)
        contour->addEdge(BezierCurve::line(points[i], points[(i + 1) % points.size()]));
    return contour;
}

} // namespace

TEST(GeometryTest, CurvesCrossingOnceAreReportedOnceAtTheRightParameters)
{
    auto arch = BezierCurve::curve({0, 0}, {0, 10}, {10, 10}, {10, 0});
    auto line = BezierCurve::line({-1, 3}, {11, 3});
    auto found = intersect(*line, *arch);
    ASSERT_EQ(found.size(), 2u);
    for (const auto& x : found) {
        EXPECT_EQ(x->curve1(), line.get());
        EXPECT_EQ(x->curve2(), arch.get());
        const Point onArch = arch->data().point(x->parameter2()).point;
        EXPECT_NEAR(onArch.y, 3, 1e-5);
        EXPECT_NEAR(x->location().y, 3, 1e-12);
    }
    EXPECT_LT(found[0]->location().x, found[1]->location().x);

    // Several crossings are separated by splitting, and each is reported.
    auto wave = BezierCurve::curve({0, -1}, {3, 20}, {7, -20}, {10, 1});
    auto axis = BezierCurve::curve({-1, 0}, {3, 0}, {7, 0}, {11, 0});
    EXPECT_EQ(intersect(*axis, *wave).size(), 3u);
}

TEST(GeometryTest, IdenticalCurvesGiveAnOverlapRangeInsteadOfIntersections)
{
    auto a = BezierCurve::curve({0, 0}, {0, 10}, {10, 10}, {10, 0});
    auto b = BezierCurve::curve({0, 0}, {0, 10}, {10, 10}, {10, 0});
    std::shared_ptr<BezierIntersectRange> range;
    EXPECT_TRUE(intersect(*a, *b, &range).empty());
    ASSERT_TRUE(range);
    EXPECT_EQ(range->parameterRange1().minimum, 0);
    EXPECT_EQ(range->parameterRange1().maximum, 1);
    EXPECT_FALSE(range->reversed());

    auto backwards = a->reversed();
    EXPECT_TRUE(intersect(*a, *backwards, &range).empty());
    ASSERT_TRUE(range);
    EXPECT_TRUE(range->reversed());
}

TEST(GeometryTest, StraightEdgesMeetWithoutClipping)
{
    auto horizontal = BezierCurve::line({0, 0}, {10, 0});
    auto vertical = BezierCurve::line({4, -5}, {4, 5});
    auto found = intersect(*horizontal, *vertical);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_DOUBLE_EQ(found[0]->parameter1(), 0.4);
    EXPECT_DOUBLE_EQ(found[0]->parameter2(), 0.5);

    auto parallel = BezierCurve::line({0, 1}, {10, 1});
    EXPECT_TRUE(intersect(*horizontal, *parallel).empty());

    std::shared_ptr<BezierIntersectRange> range;
    auto collinear = BezierCurve::line({5, 0}, {15, 0});
    EXPECT_TRUE(intersect(*horizontal, *collinear, &range).empty());
    ASSERT_TRUE(range);
    EXPECT_NEAR(range->parameterRange1().minimum, 0.5, 1e-12);
    EXPECT_NEAR(range->parameterRange1().maximum, 1, 1e-12);
    EXPECT_NEAR(range->parameterRange2().minimum, 0, 1e-12);
    EXPECT_NEAR(range->parameterRange2().maximum, 0.5, 1e-12);

    // A meeting 1e-12 beyond an end meets at the end.
    auto nearlyMeeting = BezierCurve::line({10 + 1e-12, -5}, {10 + 1e-12, 5});
    auto beyond = intersect(*horizontal, *nearlyMeeting);
    ASSERT_EQ(beyond.size(), 1u);
    EXPECT_EQ(beyond[0]->parameter1(), 1.0);
    EXPECT_TRUE(beyond[0]->isAtEndOfCurve1());
    auto farther = BezierCurve::line({10.001, -5}, {10.001, 5});
    EXPECT_TRUE(intersect(*horizontal, *farther).empty());
}

TEST(GeometryTest, TheStopFlagEndsTheSearchBetweenHalves)
{
    auto wave = BezierCurve::curve({0, 0}, {3, 20}, {7, -20}, {10, 0});
    auto axis = BezierCurve::curve({-1, 0.5}, {3, 0.5}, {7, 0.5}, {11, 0.5});
    int calls = 0;
    findIntersections(*axis, *wave, [&calls](const std::shared_ptr<BezierIntersection>&) {
        ++calls;
        return HandlerAnswer{true, true};
    });
    EXPECT_EQ(calls, 1);
}

TEST(GeometryTest, OverlapDetectionHelpers)
{
    EXPECT_DOUBLE_EQ(parameterOfPointOnLine({0, 0}, {10, 0}, {4, 0}), 0.4);
    EXPECT_DOUBLE_EQ(parameterOfPointOnLine({0, 0}, {10, 0}, {-5, 0}), -0.5);
    const BezierCurveData a({0, 0}, {3, 4}, {7, 4}, {10, 0}, false);
    EXPECT_TRUE(curvesCoincide(a, BezierCurveData({0, 5e-5}, {3.05, 4}, {7, 3.95}, {10, 0}, false)));
    EXPECT_FALSE(curvesCoincide(a, BezierCurveData({0, 0}, {3.2, 4}, {7, 4}, {10, 0}, false)));
    const BezierCurveData line({0, 0}, {10.0 / 3, 0}, {20.0 / 3, 0}, {10, 0}, true);
    EXPECT_FALSE(curvesCoincide(line, BezierCurveData({0, 0}, {10.0 / 3, 0}, {20.0 / 3, 0}, {10, 0}, false)));

    // Collinear segments that only touch end to end share a stretch of no length.
    Range usRange{0, 1}, themRange{0, 1};
    BezierCurveData us = BezierCurveData({0, 0}, {1, 0}, {2, 0}, {3, 0}, true);
    BezierCurveData them = BezierCurveData({3, 0}, {4, 0}, {5, 0}, {6, 0}, true);
    const BezierCurveData usSource = us, themSource = them;
    EXPECT_TRUE(checkLinesForOverlap(usRange, themRange, usSource, themSource, us, them));
    EXPECT_DOUBLE_EQ(usRange.minimum, usRange.maximum);
    EXPECT_DOUBLE_EQ(themRange.minimum, themRange.maximum);
}

TEST(GeometryTest, IntersectionRecordsSplitOnceAndTellTangents)
{
    auto across = BezierCurve::line({-1, 0}, {1, 0});
    auto up = BezierCurve::line({0, -1}, {0, 1});
    BezierIntersection crossing(across.get(), 0.5, up.get(), 0.5);
    EXPECT_FALSE(crossing.isTangent());

    auto top = BezierCurve::line({-2, 3}, {2, 3});
    auto arch = BezierCurve::curve({-1, 0}, {-1, 4}, {1, 4}, {1, 0});
    BezierIntersection touching(top.get(), 0.5, arch.get(), 0.5);
    EXPECT_TRUE(touching.isTangent());
    EXPECT_NEAR(touching.location().x, 0, 1e-15);
    EXPECT_EQ(touching.location().y, 3);

    BezierIntersection atEnd(top.get(), 0.5, arch.get(), 1.0);
    EXPECT_FALSE(atEnd.isTangent());
    EXPECT_TRUE(BezierIntersection(top.get(), 0.00005, arch.get(), 0.5).isAtEitherEndOfCurve1());
    EXPECT_TRUE(BezierIntersection(top.get(), 0.99995, arch.get(), 0.5).isAtEitherEndOfCurve1());
    EXPECT_FALSE(BezierIntersection(top.get(), 0.0002, arch.get(), 0.5).isAtEitherEndOfCurve1());

    BezierIntersection lazy(top.get(), 0.25, arch.get(), 0.5);
    EXPECT_TRUE(lazy.needToComputeCurve1());
    const auto right = lazy.curve1RightBezier();
    EXPECT_FALSE(lazy.needToComputeCurve1());
    lazy.location();
    EXPECT_EQ(lazy.curve1RightBezier(), right);
    EXPECT_TRUE(lazy.needToComputeCurve2());
}

TEST(GeometryTest, IntersectRangesMergeAndCutPiecesOnDemand)
{
    auto a = BezierCurve::curve({0, 0}, {0, 10}, {10, 10}, {10, 0});
    auto b = BezierCurve::curve({0, 0}, {0, 10}, {10, 10}, {10, 0});
    BezierIntersectRange range(a.get(), {0.2, 0.4}, b.get(), {0.5, 0.6}, false);
    const auto left = range.curve1LeftBezier();
    EXPECT_EQ(range.curve1LeftBezier(), left);
    range.merge(BezierIntersectRange(a.get(), {0.3, 0.7}, b.get(), {0.1, 0.55}, false));
    EXPECT_EQ(range.parameterRange1().minimum, 0.2);
    EXPECT_EQ(range.parameterRange1().maximum, 0.7);
    EXPECT_EQ(range.parameterRange2().minimum, 0.1);
    EXPECT_EQ(range.parameterRange2().maximum, 0.6);
    const Point rightStart = range.curve1RightBezier()->data().endPoint1;
    const Point expected = a->data().point(0.7).point;
    EXPECT_NEAR(rightStart.x, expected.x, 1e-12);
    EXPECT_NEAR(rightStart.y, expected.y, 1e-12);

    BezierIntersectRange whole(a.get(), {0, 1}, b.get(), {0, 1}, false);
    EXPECT_FALSE(whole.curve1LeftBezier());
    EXPECT_TRUE(*whole.curve1MiddleBezier() == *a);
}

TEST(GeometryTest, EdgeNeighboursAndCrossingOrder)
{
    auto contour = polygonContour({{0, 0}, {10, 0}, {10, 10}});
    const auto& edges = contour->edges();
    EXPECT_EQ(edges[2]->next(), edges[0].get());
    EXPECT_EQ(edges[0]->previous(), edges[2].get());
    auto loose = BezierCurve::line({0, 0}, {1, 1});
    EXPECT_EQ(loose->next(), loose.get());
    EXPECT_EQ(loose->previous(), loose.get());

    auto withPoint = std::make_shared<BezierContour>();
    withPoint->addEdge(BezierCurve::line({0, 0}, {10, 0}));
    withPoint->addEdge(BezierCurve::line({10, 0}, {10, 0}));
    withPoint->addEdge(BezierCurve::line({10, 0}, {0, 0}));
    EXPECT_EQ(withPoint->edges()[0]->nextNonpoint(), withPoint->edges()[2].get());

    // Crossings at 0.7, 0.2 (a self crossing) and 0.5 on one edge.
    BezierCurve& edge = *edges[0];
    auto other = BezierCurve::line({0, -5}, {0, 5});
    for (double t : {0.7, 0.2, 0.5}) {
        auto crossing =
            std::make_shared<EdgeCrossing>(std::make_shared<BezierIntersection>(&edge, t, other.get(), 0.5));
        crossing->edge = &edge;
        crossing->selfCrossing = t == 0.2;
        edge.crossings.push_back(crossing);
    }
    edge.sortCrossings();
    ASSERT_EQ(edge.crossings.size(), 3u);
    EXPECT_DOUBLE_EQ(edge.crossings[0]->parameter(), 0.2);
    EXPECT_EQ(edge.crossings[2]->index, 2);
    EXPECT_EQ(edge.crossings[0]->nextNonSelfCrossing(), edge.crossings[1].get());
    EXPECT_EQ(edge.crossings[2]->previousNonSelfCrossing(), edge.crossings[1].get());
    EXPECT_EQ(edge.crossings[1]->previousNonSelfCrossing(), nullptr);
    EXPECT_EQ(edge.crossings[2]->nextNonSelfCrossing(), nullptr);
    EXPECT_EQ(edge.nextCrossing(*edge.crossings[2]), nullptr);
    EXPECT_EQ(edge.firstNonSelfCrossing(), edge.crossings[1].get());
    EXPECT_EQ(edge.lastNonSelfCrossing(), edge.crossings[2].get());

    EdgeCrossing stranger(std::make_shared<BezierIntersection>(&edge, 0.1, other.get(), 0.5));
    edge.removeCrossing(&stranger);
    EXPECT_EQ(edge.crossings.size(), 3u);
    edge.removeCrossing(edge.crossings[1].get());
    EXPECT_EQ(edge.crossings.size(), 2u);
    EXPECT_EQ(edge.crossings[1]->index, 1);

    EdgeCrossing early(std::make_shared<BezierIntersection>(&edge, 0.00005, other.get(), 0.5));
    early.edge = &edge;
    EXPECT_FALSE(early.leftCurve());
    EXPECT_TRUE(early.rightCurve());
    EXPECT_TRUE(early.isAtStart());
}

TEST(GeometryTest, OverlapRunsGrowAtEitherEndAndCloseOnThemselves)
{
    auto contour = polygonContour({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    auto other = polygonContour({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    const auto& e = contour->edges();
    const auto& o = other->edges();
    auto overlap = [&](int edge, Range range) {
        return std::make_shared<EdgeOverlap>(
            std::make_shared<BezierIntersectRange>(e[std::size_t(edge)].get(), range,
                                                   o[std::size_t(edge)].get(), range, false),
            e[std::size_t(edge)].get(), o[std::size_t(edge)].get());
    };
    EdgeOverlapRun run;
    EXPECT_FALSE(run.isComplete());
    EXPECT_TRUE(run.insertOverlap(overlap(2, {0.3, 0.995})));
    EXPECT_FALSE(run.insertOverlap(overlap(3, {0.02, 0.6})));
    EXPECT_TRUE(run.insertOverlap(overlap(3, {0.004, 0.6})));
    EXPECT_EQ(run.overlaps().size(), 2u);

    // Same edge: continues within 0.01.
    EXPECT_TRUE(overlap(1, {0.509, 0.8})->continuesFrom(*overlap(1, {0.1, 0.5})));
    EXPECT_FALSE(overlap(1, {0.52, 0.8})->continuesFrom(*overlap(1, {0.1, 0.5})));

    EdgeOverlapRun whole;
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(whole.insertOverlap(overlap(i, {0, 1})));
    EXPECT_TRUE(whole.isComplete());
    EXPECT_FALSE(whole.isCrossing());
    // The open run's ends are excluded; where it goes on past an overlap, that end is included.
    EXPECT_TRUE(run.containsParameter(0.5, *e[3]));
    EXPECT_FALSE(run.containsParameter(0.99, *e[3]));
    EXPECT_FALSE(run.containsParameter(0.3, *e[2]));
    EXPECT_TRUE(run.containsParameter(0.31, *e[2]));
    EXPECT_TRUE(run.containsParameter(1.0, *e[2]));

    // The crossing pair of a run goes in the middle of its middle overlap, keeping both edges sorted.
    run.addCrossings();
    ASSERT_EQ(e[3]->crossings.size(), 1u);
    EXPECT_DOUBLE_EQ(e[3]->crossings[0]->parameter(), 0.302);
    EXPECT_TRUE(e[3]->crossings[0]->fromCrossingOverlap);
    ASSERT_EQ(o[3]->crossings.size(), 1u);
    EXPECT_EQ(o[3]->crossings[0]->counterpart(), e[3]->crossings[0].get());
}
