#include "Pixels.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Path.h"
#include "graphics/ShadowRenderer.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using graphics::Color;
using graphics::GraphicsContext;
using graphics::Rect;
using graphics::Shadow;

namespace {

const Color red{1, 0, 0, 1};
const Color green{0, 1, 0, 1};

// The x (y-up row y) where the alpha along a row first drops below half, scanning right from x0.
double halfAlphaEdge(const QImage& bitmap, int y, int x0)
{
    for (int x = x0; x + 1 < bitmap.width(); ++x) {
        const int a = alphaAt(bitmap, x, y);
        const int b = alphaAt(bitmap, x + 1, y);
        if (a >= 128 && b < 128) {
            return x + 0.5 + (a - 127.5) / double(a - b);
        }
    }
    return -1;
}

// Distance between where the alpha along a row falls below 90% and below 10%.
int spread(const QImage& bitmap, int y, int x0)
{
    int high = -1;
    int low = -1;
    for (int x = x0; x < bitmap.width(); ++x) {
        const int a = alphaAt(bitmap, x, y);
        if (high < 0 && a < 230) {
            high = x;
        }
        if (low < 0 && a < 26) {
            low = x;
        }
    }
    return low - high;
}

} // namespace

TEST(GraphicsTest, BoxWidthsFollowTheBlurRadius)
{
    EXPECT_EQ(graphics::ShadowRenderer::boxWidths(0), (std::array<int, 3>{1, 1, 1}));
    for (double radius : {4.0, 10.0, 40.0}) {
        // Three boxes of widths w have the variance sum (w^2 - 1) / 12 of a Gaussian of sigma radius / 2.
        double variance = 0;
        for (int width : graphics::ShadowRenderer::boxWidths(radius)) {
            EXPECT_EQ(width % 2, 1);
            variance += (width * width - 1) / 12.0;
        }
        EXPECT_NEAR(std::sqrt(variance), radius / 2, radius * 0.1);
    }
}

TEST(GraphicsTest, ShadowFallsAlongItsOffsetInYUp)
{
    QImage bitmap = GraphicsContext::makeBitmap(50, 50);
    GraphicsContext context(bitmap);
    context.setShadow(Shadow{green, {5, -5}, 0});
    context.setFillColor(red);
    context.fillRect({20, 20, 10, 10});
    EXPECT_EQ(pixelAt(bitmap, 25, 25), QColor(255, 0, 0));
    // Right and down by five.
    EXPECT_EQ(pixelAt(bitmap, 32, 17), QColor(0, 255, 0));
    EXPECT_EQ(alphaAt(bitmap, 32, 32), 0);
    EXPECT_EQ(alphaAt(bitmap, 17, 17), 0);
    EXPECT_EQ(alphaAt(bitmap, 36, 17), 0);
}

TEST(GraphicsTest, ShadowIsInDevicePixelsAtEveryScale)
{
    for (double scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        QImage bitmap = GraphicsContext::makeBitmap(120, 60);
        GraphicsContext context(bitmap);
        context.scale(scale, scale);
        context.setShadow(Shadow{Color{0, 0, 0, 1}, {20, 0}, 10});
        context.setFillColor(Color{0, 0, 0, 1});
        // A shape 20 pixels wide whatever the scale.
        context.fillRect({10 / scale, 10 / scale, 20 / scale, 40 / scale});
        // The blurred edge sits 20 pixels right of the shape's edge at x = 30 ...
        EXPECT_NEAR(halfAlphaEdge(bitmap, 30, 40), 50, 1);
        // ... and spreads as a Gaussian of sigma 5: 10% to 90% over about 2.56 sigma.
        EXPECT_NEAR(spread(bitmap, 30, 40), 13, 2);
    }
}

TEST(GraphicsTest, ShadowOfARotatedDrawingFallsAlongTheCanvasAngle)
{
    auto render = [](bool withShadow) {
        QImage bitmap = GraphicsContext::makeBitmap(60, 60);
        GraphicsContext context(bitmap);
        context.translate(30, 30);
        context.rotate(std::numbers::pi / 5);
        if (withShadow) {
            context.setShadow(Shadow{green, {6, 0}, 0});
        }
        context.setFillColor(red);
        context.fillPath(graphics::Path::rect({-8, -8, 16, 16}));
        return bitmap;
    };
    const QImage shape = render(false);
    const QImage shadowed = render(true);
    int checked = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 6; x < 60; ++x) {
            if (alphaAt(shape, x - 6, y) == 255 && alphaAt(shape, x, y) == 0) {
                EXPECT_EQ(pixelAt(shadowed, x, y), QColor(0, 255, 0)) << x << "," << y;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 50);
}

TEST(GraphicsTest, ShadowIsClippedWithTheDrawingAndRestored)
{
    QImage bitmap = GraphicsContext::makeBitmap(40, 40);
    GraphicsContext context(bitmap);
    context.save();
    context.clipToRect({0, 0, 25, 40});
    context.setShadow(Shadow{green, {10, 0}, 0});
    context.setFillColor(red);
    context.fillRect({5, 5, 10, 10});
    context.restore();
    EXPECT_EQ(pixelAt(bitmap, 20, 10), QColor(0, 255, 0));
    EXPECT_EQ(alphaAt(bitmap, 30, 10), 0);
    EXPECT_FALSE(context.shadow().has_value());
    // A shape outside the clip still casts its shadow into it.
    QImage second = GraphicsContext::makeBitmap(40, 40);
    GraphicsContext secondContext(second);
    secondContext.clipToRect({20, 0, 20, 40});
    secondContext.setShadow(Shadow{green, {10, 0}, 0});
    secondContext.fillRect({5, 5, 10, 10});
    EXPECT_EQ(pixelAt(second, 22, 10), QColor(0, 255, 0));
    EXPECT_EQ(alphaAt(second, 10, 10), 0);
}

TEST(GraphicsTest, ShadowTakesTheDrawingsAlphaAndItsColour)
{
    QImage bitmap = GraphicsContext::makeBitmap(40, 20);
    GraphicsContext context(bitmap);
    context.setShadow(Shadow{Color{0, 0, 0, 0.5}, {20, 0}, 0});
    context.setFillColor(Color{1, 0, 0, 0.5});
    context.fillRect({0, 0, 10, 20});
    EXPECT_NEAR(alphaAt(bitmap, 25, 10), 64, 2);
    EXPECT_NEAR(alphaAt(bitmap, 5, 10), 128, 2);
}
