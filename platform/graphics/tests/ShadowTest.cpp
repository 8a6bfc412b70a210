#include "Pixels.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Image.h"
#include "graphics/Path.h"
#include "graphics/ShadowRenderer.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <thread>

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

// A picture with every kind of alpha: an opaque body with a soft edge, a clear hole and translucent bars.
graphics::Image framedPicture(int width, int height)
{
    QImage pixels(width, height, QImage::Format_RGBA8888_Premultiplied);
    pixels.fill(Qt::transparent);
    QPainter painter(&pixels);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, width, height);
    body.setColorAt(0, QColor(200, 40, 30));
    body.setColorAt(1, QColor(20, 90, 220, 160));
    painter.setBrush(body);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(3, 3, width - 6, height - 6), width / 6.0, width / 6.0);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.drawEllipse(QPointF(width / 2.0, height / 2.0), width / 5.0, height / 5.0);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.fillRect(QRectF(width / 4.0, 0, 3, height), QColor(0, 160, 0, 90));
    painter.end();
    return graphics::Image(pixels);
}

// A bitmap of the context's format under a translucent gradient, so blending shows in every pixel.
QImage tintedBackground(int width, int height)
{
    QImage bitmap = GraphicsContext::makeBitmap(width, height);
    QPainter painter(&bitmap);
    QLinearGradient wash(0, 0, width, 0);
    wash.setColorAt(0, QColor(250, 250, 240, 255));
    wash.setColorAt(1, QColor(30, 200, 120, 70));
    painter.fillRect(bitmap.rect(), wash);
    return bitmap;
}

// The largest difference between two images of one size and format in any byte of any pixel; 256 when
// their sizes or formats differ.
int largestDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.format() != b.format()) {
        return 256;
    }
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* rowA = a.constScanLine(y);
        const uchar* rowB = b.constScanLine(y);
        for (qsizetype i = 0; i < qsizetype(a.width()) * 4; ++i) {
            largest = std::max(largest, std::abs(int(rowA[i]) - int(rowB[i])));
        }
    }
    return largest;
}

// Draws with shadow the way the context did before it blended shadows itself, as the reference for how a
// shadow must look: paint (in the space transform maps to the bitmap's y-up pixels) on a layer covering
// the bitmap and the margin the shadow can come from, the whole shadow image of that layer drawn by the
// painter, then the layer over it.
void drawWithShadowThePlainWay(QImage& bitmap, const graphics::AffineTransform& transform,
                               const Shadow& shadow, const std::function<void(QPainter&)>& paint)
{
    const int extent = graphics::ShadowRenderer::extent(shadow.blurRadius);
    const int margin =
        extent + int(std::ceil(std::max(std::abs(shadow.offset.width), std::abs(shadow.offset.height)))) + 2;
    QImage layer = GraphicsContext::makeBitmap(bitmap.width() + 2 * margin, bitmap.height() + 2 * margin);
    {
        QPainter painter(&layer);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                               QPainter::TextAntialiasing);
        const QTransform flip(1, 0, 0, -1, 0, bitmap.height());
        painter.setWorldTransform(transform.toQTransform() * flip *
                                  QTransform::fromTranslate(margin, margin));
        paint(painter);
    }
    QPainter painter(&bitmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    // The offset is y-up; the bitmap's rows run down.
    painter.drawImage(
        QPointF(-margin - extent + shadow.offset.width, -margin - extent - shadow.offset.height),
        graphics::ShadowRenderer::render(layer, shadow.blurRadius, shadow.color));
    painter.drawImage(QPointF(-margin, -margin), layer);
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

TEST(GraphicsTest, ShadowBeneathALayerIsWhatThePainterDraws)
{
    // Positions half in, half out of the target, fractional ones for the painter to round; the layer is
    // large enough to be blended on several threads.
    struct Case
    {
        QPoint layerOrigin;
        QPointF shadowOrigin;
        double blurRadius;
    };
    const Case cases[] = {{{20, 15}, {12.4, 21.5}, 6},
                          {{-30, 50}, {-41.6, 38.2}, 10},
                          {{150, -20}, {139.5, -33.5}, 3},
                          {{40, 40}, {40, 40}, 0},
                          {{-5, -5}, {500, 450}, 8}};
    const QImage layer = scatteredLayer(560, 480, 0, 7);
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message()
                     << test.layerOrigin.x() << "," << test.layerOrigin.y() << " radius " << test.blurRadius);
        const Color color{0.1, 0.2, 0.6, 0.45};
        QImage expected = tintedBackground(640, 560);
        QImage actual = expected.copy();
        {
            QPainter painter(&expected);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
            painter.drawImage(test.shadowOrigin,
                              graphics::ShadowRenderer::render(layer, test.blurRadius, color));
            painter.drawImage(QPointF(test.layerOrigin), layer);
        }
        const QPoint rounded(qRound(test.shadowOrigin.x()), qRound(test.shadowOrigin.y()));
        graphics::ShadowRenderer::drawLayerWithShadow(actual, layer, test.layerOrigin,
                                                      graphics::ShadowRenderer::blur(layer, test.blurRadius),
                                                      rounded, color);
        EXPECT_LE(largestDifference(actual, expected), 1);
    }
}

TEST(GraphicsTest, ShadowOfATransformedPictureIsTheSameWithAndWithoutAClip)
{
    // Without a clip the shadow and the drawing are blended by the shadow renderer; under a clip that
    // hides nothing the painter blends them. Both must give the same pixels.
    const graphics::Image picture = framedPicture(90, 60);
    for (const Shadow& shadow :
         {Shadow{Color{0, 0, 0, 0.5}, {5, 8.660254}, 10}, Shadow{Color{0.3, 0, 0.2, 0.8}, {-7.5, -3.25}, 4},
          Shadow{Color{0, 0, 0, 1}, {2, 2}, 0}}) {
        SCOPED_TRACE(testing::Message() << shadow.offset.width << "," << shadow.offset.height);
        auto render = [&](bool clipped) {
            QImage bitmap = tintedBackground(160, 120);
            GraphicsContext context(bitmap);
            if (clipped) {
                context.clipToRect({0, 0, 160, 120});
            }
            context.translate(80, 60);
            context.rotate(0.3);
            context.scale(0.73, 0.81);
            context.setShadow(shadow);
            picture.draw(context, {-60, -40, 120, 80}, {10, 5, 70, 50});
            return bitmap;
        };
        const QImage direct = render(false);
        EXPECT_TRUE(direct == render(true));
        // The shadow falls outside the drawing, where the bitmap showed only the background.
        EXPECT_FALSE(direct == tintedBackground(160, 120));
    }
}

TEST(GraphicsTest, ShadowLooksAsThePlainWayDrawsItAtEveryScale)
{
    // A picture and a translucent shape in a canvas of 100 x 70 units rendered at several scales, the
    // shadow's offset and blur growing with the scale, as drawables set them.
    const graphics::Image picture = framedPicture(90, 60);
    const graphics::Path shape = graphics::Path::roundedRect({55, 8, 30, 20}, 6, 6);
    const Color shapeColor{0.9, 0.7, 0.1, 0.6};
    const Color shadowColor{0.05, 0.1, 0.3, 0.55};
    for (double scale : {0.35, 1.0, 1.5, 2.0, 3.0}) {
        for (double angle : {300.0, 45.0}) {
            SCOPED_TRACE(testing::Message() << "scale " << scale << " angle " << angle);
            const double radians = angle * std::numbers::pi / 180;
            const Shadow shadow{
                shadowColor, {8 * std::cos(radians) * scale, 8 * std::sin(radians) * scale}, 10 * scale};
            const int width = int(std::ceil(100 * scale));
            const int height = int(std::ceil(70 * scale));
            QImage actual = tintedBackground(width, height);
            QImage expected = actual.copy();
            graphics::AffineTransform transform;
            {
                GraphicsContext context(actual);
                context.scale(scale, scale);
                transform = context.transform();
                context.setShadow(shadow);
                picture.draw(context, {6, 5, 60, 40});
                context.setFillColor(shapeColor);
                context.fillPath(shape);
            }
            drawWithShadowThePlainWay(expected, transform, shadow, [&](QPainter& painter) {
                // The picture is upright in the y-up space.
                painter.save();
                painter.translate(6, 45);
                painter.scale(1, -1);
                painter.drawImage(QRectF(0, 0, 60, 40), picture.representations().front().bitmap());
                painter.restore();
            });
            drawWithShadowThePlainWay(expected, transform, shadow, [&](QPainter& painter) {
                painter.fillPath(shape.toQPainterPath(), shapeColor.toQColor());
            });
            EXPECT_LE(largestDifference(actual, expected), 1);
            // The shadow shows beyond the picture, where only the background was.
            EXPECT_GT(largestDifference(actual, tintedBackground(width, height)), 40);
        }
    }
}

TEST(GraphicsTest, ShadowsDrawnOnWorkerThreadsAtOnceMatchOneDrawnAlone)
{
    // Renders large enough for the blur and the blending to share their work out again from each thread.
    const graphics::Image picture = framedPicture(300, 200);
    const auto render = [&picture] {
        QImage bitmap = tintedBackground(720, 480);
        GraphicsContext context(bitmap);
        context.translate(360, 240);
        context.rotate(0.2);
        context.setShadow(Shadow{Color{0, 0, 0, 0.5}, {6, -9}, 14});
        picture.draw(context, {-300, -200, 600, 400});
        return bitmap;
    };
    const QImage alone = render();
    std::vector<QImage> rendered(4);
    {
        std::vector<std::jthread> threads;
        threads.reserve(rendered.size());
        for (QImage& result : rendered) {
            threads.emplace_back([&result, &render] { result = render(); });
        }
    }
    for (const QImage& result : rendered) {
        EXPECT_TRUE(result == alone);
    }
}

TEST(GraphicsTest, ShadowsFarWiderOrFartherThanTheBitmapDrawWhatCanBeSeenOfThem)
{
    // Each render takes bounded time and memory however large the numbers (the test's time-out guards it).
    const auto render = [](const std::optional<Shadow>& shadow, const Rect& shape) {
        QImage bitmap = GraphicsContext::makeBitmap(64, 48);
        GraphicsContext context(bitmap);
        context.setShadow(shadow);
        context.setFillColor(red);
        context.fillRect(shape);
        return bitmap;
    };
    const Rect small{20, 20, 20, 10};
    const QImage plain = render(std::nullopt, small);
    const double infinity = std::numeric_limits<double>::infinity();
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    // Spread over that many pixels, or moved that far, the shadow of a small shape leaves nothing to see.
    const Shadow gone[] = {{green, {0, 0}, 1e15},       {green, {0, 0}, 1e9},
                           {green, {0, 0}, infinity},   {green, {1e300, 0}, 10},
                           {green, {0, -1e300}, 1e9},   {green, {notANumber, 0}, 10},
                           {green, {-infinity, 0}, 1e5}};
    for (const Shadow& shadow : gone) {
        SCOPED_TRACE(testing::Message() << "offset " << shadow.offset.width << ", " << shadow.offset.height
                                        << " blur " << shadow.blurRadius);
        EXPECT_TRUE(render(shadow, small) == plain);
    }

    // A shape reaching far beyond the bitmap on the left, blurred far wider than the bitmap, casts a flat
    // tint of half its alpha on the right: the edge's blur spread over many bitmaps.
    const QImage half = render(Shadow{Color{0, 0, 0, 1}, {0, 0}, 1e5}, Rect{-1e6, -1e6, 1e6 + 32, 2e6});
    int lowest = 255;
    int highest = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 34; x < 64; ++x) {
            lowest = std::min(lowest, alphaAt(half, x, y));
            highest = std::max(highest, alphaAt(half, x, y));
        }
    }
    EXPECT_GE(lowest, 126);
    EXPECT_LE(highest, 129);
    EXPECT_LE(highest - lowest, 1);
    EXPECT_EQ(pixelAt(half, 10, 10), QColor(255, 0, 0));
}

TEST(GraphicsTest, BlursTooWideForFullResolutionStayWithinALevelOfIt)
{
    // A picture and a translucent shape, each reaching far beyond the bitmap so that its shadow shows there.
    const graphics::Image picture = framedPicture(90, 60);
    const Rect placement{-500, -350, 900, 600};
    const graphics::Path shape = graphics::Path::roundedRect({55, -300, 700, 330}, 60, 60);
    const Color shapeColor{0.9, 0.7, 0.1, 0.6};
    const std::function<void(GraphicsContext&)> draw[] = {
        [&](GraphicsContext& context) { picture.draw(context, placement); },
        [&](GraphicsContext& context) {
            context.setFillColor(shapeColor);
            context.fillPath(shape);
        }};
    const std::function<void(QPainter&)> drawThePlainWay[] = {
        [&](QPainter& painter) {
            painter.translate(placement.origin.x, placement.origin.y + placement.size.height);
            painter.scale(1, -1);
            painter.drawImage(QRectF(0, 0, placement.size.width, placement.size.height),
                              picture.representations().front().bitmap());
        },
        [&](QPainter& painter) {
            painter.fillPath(shape.toQPainterPath(), shapeColor.toQColor());
        }};
    for (double blurRadius : {graphics::ShadowRenderer::largestFullRadius + 1, 900.0}) {
        ASSERT_GT(graphics::ShadowRenderer::reduction(blurRadius), 1);
        const Shadow shadow{Color{0.05, 0.1, 0.3, 0.8}, {30, -20}, blurRadius};
        for (int drawing = 0; drawing < 2; ++drawing) {
            SCOPED_TRACE(testing::Message() << "radius " << blurRadius << " drawing " << drawing);
            QImage actual = tintedBackground(100, 70);
            QImage expected = actual.copy();
            {
                GraphicsContext context(actual);
                context.setShadow(shadow);
                draw[drawing](context);
            }
            // The plain way blurs at full resolution whatever the radius.
            drawWithShadowThePlainWay(expected, {}, shadow, drawThePlainWay[drawing]);
            // A level of the shadow's alpha moves a blended byte by two at most: the tint's and the share of
            // what lies beneath.
            EXPECT_LE(largestDifference(actual, expected), 2);
        }
    }
}
