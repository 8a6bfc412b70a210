#include "graphics/GraphicsContext.h"

#include "Pixels.h"
#include "graphics/AttributedString.h"
#include "graphics/FillCache.h"
#include "graphics/Gradient.h"
#include "graphics/Image.h"
#include "graphics/Path.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <numbers>

using graphics::Color;
using graphics::CompositingOperation;
using graphics::GraphicsContext;
using graphics::Path;
using graphics::Rect;

namespace {

const Color red{1, 0, 0, 1};
const Color blue{0, 0, 1, 1};

} // namespace

TEST(GraphicsTest, ContextDrawsYUpIntoRgbaBytes)
{
    QImage bitmap = GraphicsContext::makeBitmap(10, 10);
    GraphicsContext context(bitmap);
    context.setFillColor(red);
    context.fillRect({0, 0, 4, 2});
    EXPECT_EQ(pixelAt(bitmap, 0, 0), QColor(255, 0, 0));
    EXPECT_EQ(pixelAt(bitmap, 3, 1), QColor(255, 0, 0));
    EXPECT_EQ(alphaAt(bitmap, 4, 0), 0);
    EXPECT_EQ(alphaAt(bitmap, 0, 2), 0);
    // Raw access: the bottom row is the last in memory, each pixel red, green, blue, alpha.
    EXPECT_EQ(context.width(), 10);
    EXPECT_EQ(context.height(), 10);
    EXPECT_EQ(context.bytesPerRow(), 40);
    const uchar* bottomRow = context.data() + 9 * context.bytesPerRow();
    EXPECT_EQ(bottomRow[0], 255);
    EXPECT_EQ(bottomRow[1], 0);
    EXPECT_EQ(bottomRow[2], 0);
    EXPECT_EQ(bottomRow[3], 255);
    EXPECT_EQ(context.data()[3], 0);
}

TEST(GraphicsTest, CopyReplacesWhereSourceOverBlends)
{
    QImage bitmap = GraphicsContext::makeBitmap(10, 10);
    GraphicsContext context(bitmap);
    context.setFillColor(red);
    context.fillRect({0, 0, 10, 10});
    context.setFillColor({0, 0, 1, 0.5});
    context.fillRect({0, 0, 5, 10});
    const QColor blended = pixelAt(bitmap, 2, 5);
    EXPECT_EQ(blended.alpha(), 255);
    EXPECT_NEAR(blended.red(), 128, 2);
    EXPECT_NEAR(blended.blue(), 128, 2);
    context.setCompositingOperation(CompositingOperation::copy);
    context.setFillColor({0, 0, 1, 0.5});
    context.fillRect({5, 0, 5, 10});
    const QColor copied = pixelAt(bitmap, 7, 5);
    EXPECT_NEAR(copied.alpha(), 128, 1);
    EXPECT_EQ(copied.red(), 0);
    EXPECT_EQ(copied.blue(), 255);
}

TEST(GraphicsTest, ClipAndStateStack)
{
    QImage bitmap = GraphicsContext::makeBitmap(10, 10);
    GraphicsContext context(bitmap);
    context.save();
    context.clipToRect({2, 2, 3, 3});
    context.setFillColor(red);
    context.translate(1, 0);
    EXPECT_EQ(context.clipBoundingBox(), (Rect{1, 2, 3, 3}));
    context.fillRect({-1, 0, 10, 10});
    context.restore();
    EXPECT_EQ(alphaAt(bitmap, 2, 2), 255);
    EXPECT_EQ(alphaAt(bitmap, 4, 4), 255);
    EXPECT_EQ(alphaAt(bitmap, 5, 4), 0);
    EXPECT_EQ(alphaAt(bitmap, 1, 2), 0);
    // Restored: black fill, no transform, no clip.
    EXPECT_EQ(context.fillColor(), (Color{0, 0, 0, 1}));
    EXPECT_TRUE(context.transform().isIdentity());
    EXPECT_EQ(context.clipBoundingBox(), (Rect{0, 0, 10, 10}));
    context.fillRect({8, 8, 2, 2});
    EXPECT_EQ(pixelAt(bitmap, 9, 9), QColor(0, 0, 0));
    // An unmatched restore changes nothing.
    context.restore();
    EXPECT_EQ(context.clipBoundingBox(), (Rect{0, 0, 10, 10}));
}

TEST(GraphicsTest, ClipToPathFollowsItsShape)
{
    QImage bitmap = GraphicsContext::makeBitmap(20, 20);
    GraphicsContext context(bitmap);
    context.clipToPath(Path::oval({0, 0, 20, 20}));
    context.fillRect({0, 0, 20, 20});
    EXPECT_EQ(alphaAt(bitmap, 10, 10), 255);
    EXPECT_EQ(alphaAt(bitmap, 0, 0), 0);
    EXPECT_EQ(alphaAt(bitmap, 19, 19), 0);
}

TEST(GraphicsTest, TransformsRotateCounterClockwise)
{
    QImage bitmap = GraphicsContext::makeBitmap(20, 20);
    GraphicsContext context(bitmap);
    context.translate(10, 10);
    context.rotate(std::numbers::pi / 2);
    // Along +x before the rotation, so along +y (up) after it.
    context.fillRect({0, -1, 8, 2});
    EXPECT_EQ(alphaAt(bitmap, 10, 15), 255);
    EXPECT_EQ(alphaAt(bitmap, 15, 10), 0);
    EXPECT_EQ(alphaAt(bitmap, 10, 5), 0);
}

TEST(GraphicsTest, StrokeUsesThePathsLineWidthAndCaps)
{
    QImage bitmap = GraphicsContext::makeBitmap(20, 20);
    GraphicsContext context(bitmap);
    Path line;
    line.moveTo({5, 10});
    line.lineTo({15, 10});
    line.setLineWidth(4);
    context.setStrokeColor(blue);
    context.strokePath(line);
    EXPECT_EQ(pixelAt(bitmap, 10, 11), QColor(0, 0, 255));
    EXPECT_EQ(pixelAt(bitmap, 10, 8), QColor(0, 0, 255));
    EXPECT_EQ(alphaAt(bitmap, 10, 13), 0);
    // Butt caps end at the end points.
    EXPECT_EQ(alphaAt(bitmap, 3, 10), 0);
    EXPECT_EQ(alphaAt(bitmap, 16, 10), 0);
}

TEST(GraphicsTest, GradientRunsAlongTheAngle)
{
    QImage bitmap = GraphicsContext::makeBitmap(20, 20);
    GraphicsContext context(bitmap);
    const graphics::Gradient gradient(Color{0, 0, 0, 1}, Color{1, 1, 1, 1});
    context.drawGradient(gradient, Rect{0, 0, 20, 20}, 90);
    EXPECT_LT(pixelAt(bitmap, 10, 0).red(), 20);
    EXPECT_GT(pixelAt(bitmap, 10, 19).red(), 235);
    EXPECT_NEAR(pixelAt(bitmap, 0, 10).red(), pixelAt(bitmap, 19, 10).red(), 1);
    context.drawGradient(gradient, Rect{0, 0, 20, 20}, 0);
    EXPECT_LT(pixelAt(bitmap, 0, 10).red(), 20);
    EXPECT_GT(pixelAt(bitmap, 19, 10).red(), 235);
    // -90 degrees: the start colour along the top edge.
    context.drawGradient(gradient, Path::roundedRect({0, 0, 20, 20}, 4, 4), -90);
    EXPECT_LT(pixelAt(bitmap, 10, 19).red(), 20);
    EXPECT_GT(pixelAt(bitmap, 10, 0).red(), 235);
}

TEST(GraphicsTest, ImagesDrawUprightFromTheirSourceRect)
{
    // Red on top, blue below, as a picture file holds it (top row first).
    QImage pixels(4, 4, QImage::Format_ARGB32);
    pixels.fill(Qt::blue);
    for (int x = 0; x < 4; ++x) {
        pixels.setPixelColor(x, 0, Qt::red);
        pixels.setPixelColor(x, 1, Qt::red);
    }
    const graphics::Image image(pixels);
    EXPECT_EQ(image.size(), (graphics::Size{4, 4}));

    QImage bitmap = GraphicsContext::makeBitmap(8, 8);
    GraphicsContext context(bitmap);
    context.drawImage(image, {0, 0, 8, 8});
    EXPECT_EQ(pixelAt(bitmap, 4, 7), QColor(255, 0, 0));
    EXPECT_EQ(pixelAt(bitmap, 4, 0), QColor(0, 0, 255));
    // The source rect is in the image's y-up space: its lower half is the blue part.
    context.drawImage(image, {0, 0, 8, 8}, {0, 0, 4, 2});
    EXPECT_EQ(pixelAt(bitmap, 4, 7), QColor(0, 0, 255));
    // Copy with a fraction replaces with the faded picture.
    context.drawImage(image, {0, 0, 8, 8}, Rect::zero(), CompositingOperation::copy, 0.5);
    EXPECT_NEAR(alphaAt(bitmap, 4, 7), 128, 2);
    // Drawn upright under a scale that flips nothing either way.
    QImage scaled = GraphicsContext::makeBitmap(8, 8);
    GraphicsContext scaledContext(scaled);
    scaledContext.scale(2, 2);
    scaledContext.drawImage(image, {0, 0, 4, 4});
    EXPECT_EQ(pixelAt(scaled, 4, 7), QColor(255, 0, 0));
    EXPECT_EQ(pixelAt(scaled, 4, 0), QColor(0, 0, 255));
}

TEST(GraphicsTest, TextDrawsUprightFromTheTopOfItsRect)
{
    QImage bitmap = GraphicsContext::makeBitmap(100, 100);
    GraphicsContext context(bitmap);
    graphics::TextAttributes attributes;
    attributes.font = graphics::Font("AvenirNext-Bold", 40);
    const graphics::AttributedString text(QStringLiteral("T"), attributes);
    context.drawText(text, {10, 0, 80, 100});
    // The line starts at the top edge: all ink lies in the upper half.
    EXPECT_EQ(inkInRows(bitmap, 0, 50), 0);
    EXPECT_GT(inkInRows(bitmap, 50, 100), 0);
    // Upright: the crossbar of the T is above its stem, so the upper rows of the ink hold more of it.
    int top = 0;
    int bottom = 100;
    for (int y = 99; y >= 0; --y) {
        if (inkInRows(bitmap, y, y + 1) > 0) {
            top = std::max(top, y);
            bottom = std::min(bottom, y);
        }
    }
    ASSERT_GT(top - bottom, 10);
    EXPECT_GT(inkInRows(bitmap, top - 3, top + 1), 2 * inkInRows(bitmap, bottom, bottom + 4));
}

TEST(GraphicsTest, TextColourAndAlignment)
{
    QImage bitmap = GraphicsContext::makeBitmap(200, 40);
    GraphicsContext context(bitmap);
    graphics::TextAttributes attributes;
    attributes.font = graphics::Font("AvenirNext-Bold", 30);
    attributes.foregroundColor = red;
    attributes.paragraphStyle = graphics::ParagraphStyle{graphics::TextAlignment::right};
    context.drawText(graphics::AttributedString(QStringLiteral("II"), attributes), {0, 0, 200, 40});
    int leftInk = 0;
    int rightInk = 0;
    bool onlyRed = true;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            const QColor pixel = pixelAt(bitmap, x, y);
            (x < 100 ? leftInk : rightInk) += pixel.alpha();
            if (pixel.alpha() > 200 && (pixel.green() > 10 || pixel.red() < 240)) {
                onlyRed = false;
            }
        }
    }
    EXPECT_EQ(leftInk, 0);
    EXPECT_GT(rightInk, 0);
    EXPECT_TRUE(onlyRed);
}

TEST(GraphicsTest, CachedFillMatchesFillingInPlace)
{
    // Overlapping bands reaching past the bitmap, the last of them further than ints reach, under a
    // turned, fractional transform, over a varied background: the kept pixels blend to exactly what filling
    // in place gives, the first time and again.
    auto bands = std::make_shared<Path>();
    for (int i = 0; i < 7; ++i) {
        const double x = 3.3 + i * 4.7;
        const double length = i < 6 ? 1 : 1e9;
        bands->moveTo({x, 2.1});
        bands->lineTo({x + 5.2, 3.9});
        bands->lineTo({x + 45.6 * length, 70.3 * length});
        bands->lineTo({x + 40.1 * length, 68.8 * length});
        bands->closeSubpath();
    }
    QImage background = GraphicsContext::makeBitmap(40, 30);
    for (int y = 0; y < background.height(); ++y) {
        for (int x = 0; x < background.width(); ++x)
            background.setPixelColor(x, y,
                                     QColor((x * 37) % 256, (y * 53) % 256, (x * y) % 256, 128 + x % 128));
    }
    const auto paint = [&](QImage& bitmap, graphics::FillCache* cache) {
        GraphicsContext context(bitmap);
        context.translate(1.37, -2.61);
        context.rotate(0.3);
        context.scale(0.83, 0.91);
        context.setFillColor({0.1, 0.3, 0.6, 0.7});
        if (cache)
            context.fillPath(bands, *cache);
        else
            context.fillPath(*bands);
    };
    QImage inPlace = background;
    paint(inPlace, nullptr);
    ASSERT_NE(inPlace, background);

    graphics::FillCache cache(1024 * 1024);
    for (int round = 0; round < 2; ++round) {
        QImage cached = background;
        paint(cached, &cache);
        EXPECT_EQ(cached, inPlace) << "round " << round;
    }

    // A path the cache keeps no room for is filled in place all the same.
    graphics::FillCache tiny(16);
    QImage uncached = background;
    paint(uncached, &tiny);
    EXPECT_EQ(uncached, inPlace);
}

TEST(GraphicsTest, AFillCacheForgetsItsExactLayersAndKeepsThoseForTheScreen)
{
    const auto path = std::make_shared<const Path>(Path::rect({0, 0, 4, 4}));
    const QRect area(0, 0, 4, 4);
    graphics::FillCache cache(1024 * 1024);
    for (const bool forScreen : {false, true})
        cache.insert(path, red, {}, area, GraphicsContext::makeBitmap(4, 4), forScreen);

    cache.forgetExactLayers();
    EXPECT_TRUE(cache.find(path, red, {}, area, false).isNull());
    EXPECT_FALSE(cache.find(path, red, {}, area, true).isNull());
}
