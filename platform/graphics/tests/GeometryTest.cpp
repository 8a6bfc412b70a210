#include "graphics/AffineTransform.h"
#include "graphics/Color.h"
#include "graphics/Rect.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using graphics::AffineTransform;
using graphics::Color;
using graphics::Point;
using graphics::Rect;
using graphics::Size;

namespace {

void expectNear(Point actual, Point expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-12);
    EXPECT_NEAR(actual.y, expected.y, 1e-12);
}

} // namespace

TEST(GraphicsTest, RectAccessorsStandardise)
{
    const Rect r{10, 10, -4, 6};
    EXPECT_EQ(r.minX(), 6);
    EXPECT_EQ(r.maxX(), 10);
    EXPECT_EQ(r.width(), 4);
    EXPECT_EQ(r.size.width, -4);
    EXPECT_EQ(r.midX(), 8);
    EXPECT_EQ(r.standardized(), (Rect{6, 10, 4, 6}));
    EXPECT_TRUE(Rect::null().isNull());
    EXPECT_TRUE(Rect::null().isEmpty());
    EXPECT_TRUE((Rect{1, 1, 0, 5}).isEmpty());
    EXPECT_FALSE((Rect{1, 1, 0, 5}).isNull());
}

TEST(GraphicsTest, RectUnionTreatsNullAsIdentityAndCountsZeroSizes)
{
    const Rect a{0, 0, 10, 10};
    EXPECT_EQ(a.united(Rect::null()), a);
    EXPECT_EQ(Rect::null().united(a), a);
    EXPECT_TRUE(Rect::null().united(Rect::null()).isNull());
    // A zero-size rectangle is a real point and widens the union.
    EXPECT_EQ(a.united(Rect{20, 30, 0, 0}), (Rect{0, 0, 20, 30}));
    EXPECT_EQ((Rect{5, 5, 0, 0}).united(Rect{1, 2, 0, 0}), (Rect{1, 2, 4, 3}));
}

TEST(GraphicsTest, RectIntersectionAndContainment)
{
    const Rect a{0, 0, 10, 10};
    EXPECT_EQ(a.intersected(Rect{5, 5, 10, 10}), (Rect{5, 5, 5, 5}));
    EXPECT_TRUE(a.intersected(Rect{20, 20, 1, 1}).isNull());
    // Touching rectangles meet in a line but do not intersect.
    EXPECT_EQ(a.intersected(Rect{10, 0, 5, 5}), (Rect{10, 0, 0, 5}));
    EXPECT_FALSE(a.intersects(Rect{10, 0, 5, 5}));
    EXPECT_TRUE(a.intersects(Rect{9, 9, 5, 5}));

    EXPECT_TRUE(a.contains(Point{0, 0}));
    EXPECT_TRUE(a.contains(Point{9.999, 5}));
    EXPECT_FALSE(a.contains(Point{10, 5}));
    EXPECT_FALSE(a.contains(Point{5, 10}));
    EXPECT_FALSE(Rect::null().contains(Point{0, 0}));
    EXPECT_TRUE(a.contains(Rect{2, 2, 8, 8}));
    EXPECT_TRUE(a.contains(a));
    EXPECT_FALSE(a.contains(Rect{2, 2, 9, 8}));
}

TEST(GraphicsTest, RectIntegralInsetAndOffset)
{
    EXPECT_EQ((Rect{0.5, 1.2, 2.0, 2.5}).integral(), (Rect{0, 1, 3, 3}));
    EXPECT_EQ((Rect{-0.5, -0.5, 1, 1}).integral(), (Rect{-1, -1, 2, 2}));
    EXPECT_TRUE(Rect::null().integral().isNull());
    EXPECT_EQ((Rect{0, 0, 10, 10}).insetBy(2, 3), (Rect{2, 3, 6, 4}));
    EXPECT_TRUE((Rect{0, 0, 10, 10}).insetBy(6, 0).isNull());
    EXPECT_TRUE(Rect::null().offsetBy(1, 1).isNull());
}

TEST(GraphicsTest, TransformedRectIsTheBoundingBox)
{
    const Rect r{0, 0, 10, 20};
    EXPECT_EQ(r.applying(AffineTransform::translation(5, -5)), (Rect{5, -5, 10, 20}));
    const Rect rotated = r.applying(AffineTransform::rotation(std::numbers::pi / 2));
    EXPECT_NEAR(rotated.minX(), -20, 1e-12);
    EXPECT_NEAR(rotated.minY(), 0, 1e-12);
    EXPECT_NEAR(rotated.width(), 20, 1e-12);
    EXPECT_NEAR(rotated.height(), 10, 1e-12);
    EXPECT_TRUE(Rect::null().applying(AffineTransform::scale(2, 2)).isNull());
}

TEST(GraphicsTest, TransformOrderFollowsThePlatform)
{
    // translatedBy applies the translation first, in the transform's own space.
    const AffineTransform t = AffineTransform::scale(2, 2).translatedBy(10, 0);
    expectNear(t.apply(Point{1, 1}), {22, 2});
    // concatenating applies the receiver first.
    const AffineTransform u = AffineTransform::scale(2, 2).concatenating(AffineTransform::translation(10, 0));
    expectNear(u.apply(Point{1, 1}), {12, 2});
    EXPECT_EQ(t.apply(Size{3, 4}), (Size{6, 8}));
    // The same convention as QTransform, so painting sees the same mapping.
    const QPointF mapped = t.toQTransform().map(QPointF(1, 1));
    EXPECT_DOUBLE_EQ(mapped.x(), 22);
    EXPECT_DOUBLE_EQ(mapped.y(), 2);
}

TEST(GraphicsTest, InvertUndoesTheTransform)
{
    const AffineTransform t = AffineTransform::rotation(0.7).scaledBy(2, 3).translatedBy(5, -1);
    expectNear(t.inverted().apply(t.apply(Point{3, 4})), {3, 4});
    EXPECT_TRUE(t.concatenating(t.inverted()).isInvertible());
    const AffineTransform singular = AffineTransform::scale(0, 1);
    EXPECT_FALSE(singular.isInvertible());
    EXPECT_EQ(singular.inverted(), singular);
    EXPECT_EQ(AffineTransform::scale(2, 2).inverted(), AffineTransform::scale(0.5, 0.5));
}

TEST(GraphicsTest, ColorConvertsToQColorClamped)
{
    const QColor painted = Color{1.5, -0.2, 0.5, 0.25}.toQColor();
    EXPECT_EQ(painted.red(), 255);
    EXPECT_EQ(painted.green(), 0);
    EXPECT_EQ(painted.blue(), 128);
    EXPECT_EQ(painted.alpha(), 64);
    const Color back = Color::fromQColor(QColor(255, 0, 0, 255), graphics::ColorSpace::deviceRGB);
    EXPECT_EQ(back, (Color{1, 0, 0, 1, graphics::ColorSpace::deviceRGB}));
    EXPECT_EQ((Color{NAN, 0, 0, 1}).toQColor().red(), 0);
}
