#include "graphics/Path.h"

#include <gtest/gtest.h>

using graphics::AffineTransform;
using graphics::Path;
using graphics::PathElement;
using graphics::PathElementType;
using graphics::Point;
using graphics::Rect;

namespace {

std::vector<PathElementType> typesOf(const Path& path)
{
    std::vector<PathElementType> types;
    path.forEachElement([&](const PathElement& element) { types.push_back(element.type); });
    return types;
}

} // namespace

TEST(GraphicsTest, PathElementWalkKeepsPlatformPointOrder)
{
    Path path;
    path.moveTo({0, 0});
    path.lineTo({1, 0});
    path.quadCurveTo({6, 0}, {3, 3});
    path.curveTo({9, 9}, {7, 1}, {8, 2});
    path.closeSubpath();
    ASSERT_EQ(path.elementCount(), 5);
    EXPECT_EQ(path.element(2).points[0], (Point{3, 3}));
    EXPECT_EQ(path.element(2).points[1], (Point{6, 0}));
    EXPECT_EQ(path.element(3).points[0], (Point{7, 1}));
    EXPECT_EQ(path.element(3).points[1], (Point{8, 2}));
    EXPECT_EQ(path.element(3).points[2], (Point{9, 9}));
    EXPECT_EQ(path.element(3).endPoint(), (Point{9, 9}));
    EXPECT_EQ(path.currentPoint(), (Point{0, 0}));
    int visits = 0;
    Path().forEachElement([&](const PathElement&) { ++visits; });
    EXPECT_EQ(visits, 0);
}

TEST(GraphicsTest, SegmentAfterCloseStartsWithImplicitMove)
{
    Path path;
    path.moveTo({1, 1});
    path.lineTo({5, 1});
    path.lineTo({5, 5});
    path.closeSubpath();
    path.lineTo({0, 9});
    using enum PathElementType;
    EXPECT_EQ(typesOf(path), (std::vector{moveTo, lineTo, lineTo, closeSubpath, moveTo, lineTo}));
    EXPECT_EQ(path.element(4).points[0], (Point{1, 1}));
    // An explicit move after a close adds no implicit one.
    Path explicitMove;
    explicitMove.moveTo({0, 0});
    explicitMove.lineTo({1, 0});
    explicitMove.closeSubpath();
    explicitMove.moveTo({3, 3});
    explicitMove.curveTo({4, 4}, {3, 4}, {4, 3});
    EXPECT_EQ(typesOf(explicitMove), (std::vector{moveTo, lineTo, closeSubpath, moveTo, curveTo}));
}

TEST(GraphicsTest, SegmentWithoutCurrentPointIsDropped)
{
    Path path;
    path.lineTo({1, 1});
    path.closeSubpath();
    EXPECT_TRUE(path.isEmpty());
}

TEST(GraphicsTest, RectPathRunsCounterClockwiseFromTheOrigin)
{
    const Path path = Path::rect({10, 20, 30, 40});
    using enum PathElementType;
    EXPECT_EQ(typesOf(path), (std::vector{moveTo, lineTo, lineTo, lineTo, closeSubpath}));
    EXPECT_EQ(path.element(0).points[0], (Point{10, 20}));
    EXPECT_EQ(path.element(1).points[0], (Point{40, 20}));
    EXPECT_EQ(path.element(2).points[0], (Point{40, 60}));
    EXPECT_EQ(path.element(3).points[0], (Point{10, 60}));
    EXPECT_EQ(path.bounds(), (Rect{10, 20, 30, 40}));
    // A negative size describes the same rectangle from another corner.
    EXPECT_EQ(Path::rect({40, 60, -30, -40}).elements(), path.elements());
}

TEST(GraphicsTest, OvalAndRoundedRectShapes)
{
    const Path oval = Path::oval({0, 0, 20, 10});
    using enum PathElementType;
    EXPECT_EQ(typesOf(oval), (std::vector{moveTo, curveTo, curveTo, curveTo, curveTo, closeSubpath}));
    EXPECT_EQ(oval.element(0).points[0], (Point{20, 5}));
    EXPECT_EQ(oval.element(1).endPoint(), (Point{10, 10}));
    const Rect bounds = oval.bounds();
    EXPECT_NEAR(bounds.minX(), 0, 1e-9);
    EXPECT_NEAR(bounds.maxY(), 10, 1e-9);
    EXPECT_TRUE(oval.contains({10, 5}));
    EXPECT_FALSE(oval.contains({1, 1}));

    const Path rounded = Path::roundedRect({0, 0, 20, 20}, 5, 5);
    EXPECT_EQ(rounded.elementCount(), 10);
    EXPECT_TRUE(rounded.contains({10, 10}));
    EXPECT_TRUE(rounded.contains({0.5, 10}));
    EXPECT_FALSE(rounded.contains({0.5, 0.5}));
    EXPECT_NEAR(rounded.bounds().width(), 20, 1e-9);
    // Radii are clamped to half the sides; zero radii give the plain rectangle.
    EXPECT_TRUE(Path::roundedRect({0, 0, 20, 10}, 50, 50).contains({10, 5}));
    EXPECT_EQ(Path::roundedRect({0, 0, 20, 10}, 0, 0).elements(), Path::rect({0, 0, 20, 10}).elements());
}

TEST(GraphicsTest, PathBoundsFollowCurveExtremesNotControlPoints)
{
    Path path;
    path.moveTo({0, 0});
    path.curveTo({10, 0}, {0, 10}, {10, 10});
    const Rect bounds = path.bounds();
    EXPECT_NEAR(bounds.maxY(), 7.5, 1e-9);
    EXPECT_EQ(path.controlPointBounds(), (Rect{0, 0, 10, 10}));
    Path quad;
    quad.moveTo({0, 0});
    quad.quadCurveTo({6, 0}, {3, 3});
    EXPECT_NEAR(quad.bounds().maxY(), 1.5, 1e-9);
}

TEST(GraphicsTest, TransformMovesEveryPointAndKeepsAttributes)
{
    Path path = Path::rect({0, 0, 2, 2});
    path.setWindingRule(graphics::WindingRule::evenOdd);
    path.setLineWidth(3);
    path.lineTo({5, 5});
    const Path moved = path.transformed(AffineTransform::translation(10, 0).scaledBy(2, 2));
    EXPECT_EQ(moved.element(1).points[0], (Point{14, 0}));
    EXPECT_EQ(moved.element(4).type, PathElementType::closeSubpath);
    EXPECT_EQ(moved.element(4).points[0], (Point{}));
    EXPECT_EQ(moved.element(5).points[0], (Point{10, 0}));
    EXPECT_EQ(moved.currentPoint(), (Point{20, 10}));
    EXPECT_EQ(moved.windingRule(), graphics::WindingRule::evenOdd);
    EXPECT_EQ(moved.lineWidth(), 3);
}

TEST(GraphicsTest, WindingRuleDecidesInsideOfNestedSubpaths)
{
    Path path = Path::rect({0, 0, 10, 10});
    path.append(Path::rect({2, 2, 6, 6}));
    EXPECT_TRUE(path.contains({5, 5}));
    path.setWindingRule(graphics::WindingRule::evenOdd);
    EXPECT_FALSE(path.contains({5, 5}));
    EXPECT_TRUE(path.contains({1, 5}));
    const QPainterPath painterPath = path.toQPainterPath();
    EXPECT_EQ(painterPath.fillRule(), Qt::OddEvenFill);
    EXPECT_FALSE(painterPath.contains(QPointF(5, 5)));
}
