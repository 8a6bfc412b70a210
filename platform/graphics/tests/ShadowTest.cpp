#include "Pixels.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Path.h"
#include "graphics/ShadowRenderer.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

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

// The shadow's alpha worked out the plain way: the layer's alpha padded with clear pixels by the extent,
// blurred by each box along the rows, then by each box along the columns, every average rounded to the
// nearest level.
std::vector<int> plainShadowAlpha(const QImage& layer, double blurRadius)
{
    const int pad = graphics::ShadowRenderer::extent(blurRadius);
    const int width = layer.width() + 2 * pad;
    const int height = layer.height() + 2 * pad;
    std::vector<int> plane(std::size_t(width * height), 0);
    for (int y = 0; y < layer.height(); ++y) {
        for (int x = 0; x < layer.width(); ++x) {
            plane[std::size_t((y + pad) * width + x + pad)] = qAlpha(layer.pixel(x, y));
        }
    }
    for (bool alongRows : {true, false}) {
        for (int boxWidth : graphics::ShadowRenderer::boxWidths(blurRadius)) {
            const int r = (boxWidth - 1) / 2;
            std::vector<int> blurred(plane.size());
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    int sum = 0;
                    for (int d = -r; d <= r; ++d) {
                        const int u = alongRows ? x + d : x;
                        const int v = alongRows ? y : y + d;
                        if (u >= 0 && u < width && v >= 0 && v < height) {
                            sum += plane[std::size_t(v * width + u)];
                        }
                    }
                    blurred[std::size_t(y * width + x)] = (2 * sum + boxWidth) / (2 * boxWidth);
                }
            }
            plane = std::move(blurred);
        }
    }
    return plane;
}

// A layer with a few shapes of random alpha, drawn inside a margin that stays clear.
QImage scatteredLayer(int width, int height, int margin, unsigned seed)
{
    std::mt19937 random(seed);
    QImage layer = GraphicsContext::makeBitmap(width, height);
    GraphicsContext context(layer);
    for (int shape = 0; shape < 4; ++shape) {
        context.setFillColor(Color{1, 0.5, 0, (1 + random() % 255) / 255.0});
        const double x = margin + random() % std::max(1, width - 2 * margin);
        const double y = margin + random() % std::max(1, height - 2 * margin);
        const double w = std::min<double>(1 + random() % width, width - margin - x);
        const double h = std::min<double>(1 + random() % height, height - margin - y);
        context.fillPath(graphics::Path::roundedRect({x, y, w, h}, 3, 3));
    }
    return layer;
}

} // namespace

TEST(GraphicsTest, ShadowMatchesAPlainBoxBlur)
{
    struct Case
    {
        int width;
        int height;
        int margin;
        double blurRadius;
    };
    // Sizes around the 64-pixel tiles the blur works in, shapes away from the layer's edges, and a layer
    // large enough to be blurred on several threads.
    const Case cases[] = {{1, 1, 0, 10},     {3, 70, 0, 4},     {130, 5, 0, 7.5},
                          {65, 64, 20, 0.8}, {97, 131, 30, 40}, {700, 420, 50, 12}};
    unsigned seed = 1;
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.width << "x" << test.height << " radius " << test.blurRadius);
        for (QImage::Format format :
             {QImage::Format_RGBA8888_Premultiplied, QImage::Format_ARGB32_Premultiplied}) {
            const QImage layer =
                scatteredLayer(test.width, test.height, test.margin, seed++).convertToFormat(format);
            const QImage shadow = graphics::ShadowRenderer::render(layer, test.blurRadius, Color{0, 0, 0, 1});
            const std::vector<int> expected = plainShadowAlpha(layer, test.blurRadius);
            ASSERT_EQ(shadow.width() * shadow.height(), int(expected.size()));
            int differing = 0;
            for (int y = 0; y < shadow.height(); ++y) {
                for (int x = 0; x < shadow.width(); ++x) {
                    differing += qAlpha(shadow.pixel(x, y)) != expected[std::size_t(y * shadow.width() + x)];
                }
            }
            EXPECT_EQ(differing, 0);
        }
    }
}

TEST(GraphicsTest, ShadowOfAClearLayerIsClear)
{
    QImage layer = GraphicsContext::makeBitmap(90, 70);
    const QImage shadow = graphics::ShadowRenderer::render(layer, 30, Color{0, 0, 0, 1});
    const int pad = graphics::ShadowRenderer::extent(30);
    ASSERT_EQ(shadow.size(), QSize(90 + 2 * pad, 70 + 2 * pad));
    int ink = 0;
    for (int y = 0; y < shadow.height(); ++y) {
        for (int x = 0; x < shadow.width(); ++x) {
            ink += qAlpha(shadow.pixel(x, y));
        }
    }
    EXPECT_EQ(ink, 0);
}

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
    for (double blurRadius : {0.0, 6.0}) {
        SCOPED_TRACE(blurRadius);
        QImage bitmap = GraphicsContext::makeBitmap(60, 20);
        GraphicsContext context(bitmap);
        // A blue shadow at half opacity of a red shape at half opacity.
        context.setShadow(Shadow{Color{0, 0, 1, 0.5}, {30, 0}, blurRadius});
        context.setFillColor(Color{1, 0, 0, 0.5});
        context.fillRect({0, 0, 20, 20});
        const QColor shadow = pixelAt(bitmap, 40, 10);
        EXPECT_NEAR(shadow.alpha(), 64, 2);
        EXPECT_EQ(shadow.red(), 0);
        EXPECT_EQ(shadow.green(), 0);
        EXPECT_NEAR(shadow.blue(), 255, 4);
        if (blurRadius > 0) {
            // The blurred edge fades in alpha, not in colour.
            const QColor edge = pixelAt(bitmap, 50, 10);
            EXPECT_GT(edge.alpha(), 8);
            EXPECT_LT(edge.alpha(), 56);
            EXPECT_EQ(edge.red(), 0);
            EXPECT_NEAR(edge.blue(), 255, 4);
        }
        const QColor shape = pixelAt(bitmap, 10, 10);
        EXPECT_NEAR(shape.alpha(), 128, 2);
        EXPECT_NEAR(shape.red(), 255, 2);
        EXPECT_EQ(shape.blue(), 0);
    }
}
