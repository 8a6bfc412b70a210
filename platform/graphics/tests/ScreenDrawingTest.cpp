#include "graphics/BitmapImageRep.h"
#include "graphics/CoverageRasterizer.h"
#include "graphics/FillCache.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Image.h"
#include "graphics/ImageLayerCache.h"
#include "graphics/Path.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

using graphics::Color;
using graphics::CoverageRasterizer;
using graphics::GraphicsContext;
using graphics::Path;
using graphics::WindingRule;

namespace {

// The largest difference of any channel of any pixel.
int largestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

QImage paintedByQt(const QPainterPath& shape, const QTransform& transform, const QRect& area,
                   const QColor& colour)
{
    QImage layer = GraphicsContext::makeBitmap(area.width(), area.height());
    QPainter painter(&layer);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setWorldTransform(transform * QTransform::fromTranslate(-area.x(), -area.y()));
    painter.fillPath(shape, colour);
    return layer;
}

// Long slanted bands cast from a jagged edge, overlapping one another, as shadow bands do.
std::shared_ptr<Path> overlappingBands()
{
    auto bands = std::make_shared<Path>();
    for (int band = 0; band < 12; ++band) {
        const double x = 3.3 + band * 4.7;
        bands->moveTo({x, 5.2 + band % 3});
        bands->lineTo({x + 9.4, 7.9 + band % 2});
        bands->lineTo({x + 39.6, 71.3});
        bands->lineTo({x + 30.1, 68.8});
        bands->closeSubpath();
    }
    return bands;
}

QImage background(int width, int height)
{
    QImage bitmap = GraphicsContext::makeBitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bitmap.setPixelColor(x, y, QColor((x * 37) % 256, (y * 53) % 256, (x * y) % 256, 255));
    }
    return bitmap;
}

} // namespace

TEST(GraphicsTest, CoverageRasterizerFillsOverlappingPolygonsAsThePainterDoesWithinLevelsAtEdges)
{
    const std::shared_ptr<Path> bands = overlappingBands();
    const QPainterPath shape = bands->toQPainterPath();
    const QTransform transform = QTransform::fromTranslate(0.37, 0.61).rotate(4).scale(1.3, 1.1);
    const QRect area = transform.mapRect(shape.controlPointRect()).toAlignedRect().adjusted(-1, -1, 1, 1);
    const Color colour{0.1, 0.3, 0.6, 0.7};
    const QImage ours = CoverageRasterizer::fill(shape, WindingRule::nonZero, transform, area, colour);
    const QImage qt = paintedByQt(shape, transform, area, colour.toQColor());
    ASSERT_EQ(ours.size(), qt.size());
    EXPECT_EQ(ours.format(), graphics::BitmapImageRep::pixelFormat);
    // Where bands overlap the colour is laid once, not twice; edges keep their coverage.
    EXPECT_LE(largestDifference(ours, qt), 3);
    EXPECT_EQ(ours.pixelColor(area.width() / 2, area.height() / 2).alpha(),
              qt.pixelColor(area.width() / 2, area.height() / 2).alpha());
}

TEST(GraphicsTest, CoverageRasterizerKeepsHolesAndWhatLiesBeyondTheArea)
{
    // Two polygons of 40 sides, one inside the other, both running the same way.
    QPainterPath ring;
    for (const auto& [rx, ry] : {std::pair{30.0, 18.0}, std::pair{12.0, 7.5}}) {
        QPolygonF polygon;
        for (int corner = 0; corner < 40; ++corner)
            polygon << QPointF(20.3 + rx * std::cos(corner * M_PI / 20),
                               20.2 + ry * std::sin(corner * M_PI / 20));
        ring.addPolygon(polygon);
        ring.closeSubpath();
    }
    const QColor colour(200, 40, 10, 255);
    // The area holds only part of the ring: it reaches out of every side.
    const QRect area(-3, 4, 41, 30);
    for (const auto& [rule, fillRule] : {std::pair{WindingRule::evenOdd, Qt::OddEvenFill},
                                         std::pair{WindingRule::nonZero, Qt::WindingFill}}) {
        ring.setFillRule(fillRule);
        const QImage ours =
            CoverageRasterizer::fill(ring, rule, QTransform(), area, Color::fromQColor(colour));
        const QImage qt = paintedByQt(ring, QTransform(), area, colour);
        EXPECT_LE(largestDifference(ours, qt), 3) << int(rule);
        // The middle: a hole under even-odd (both ellipses wind the same way), filled under non-zero.
        EXPECT_EQ(ours.pixelColor(23, 16).alpha(), rule == WindingRule::evenOdd ? 0 : 255);
        // The left column, cut from the ring's left part, is covered in full.
        EXPECT_EQ(ours.pixelColor(0, 16).alpha(), 255);
    }
}

TEST(GraphicsTest, ScreenFillsKeepTheirLayersApartFromExactOnes)
{
    const std::shared_ptr<Path> bands = overlappingBands();
    const QImage start = background(64, 80);
    const auto paint = [&](QImage& bitmap, graphics::FillCache& cache, graphics::ImageLayerCache* screen) {
        GraphicsContext context(bitmap);
        if (screen)
            context.setDrawingForScreen(*screen);
        context.translate(1.37, -2.61);
        context.rotate(0.3);
        context.setFillColor({0.1, 0.3, 0.6, 0.7});
        context.fillPath(bands, cache);
    };
    QImage exact = start;
    {
        graphics::FillCache alone(16 * 1024 * 1024);
        paint(exact, alone, nullptr);
    }
    graphics::FillCache shared(16 * 1024 * 1024);
    graphics::ImageLayerCache images(1024 * 1024);
    QImage onScreen = start;
    paint(onScreen, shared, &images);
    EXPECT_NE(onScreen, start);
    EXPECT_LE(largestDifference(onScreen, exact), 3);
    // An export after the screen filled the same bands in the same cache gets the exact pixels.
    QImage exported = start;
    paint(exported, shared, nullptr);
    EXPECT_EQ(exported, exact);
}

TEST(GraphicsTest, ScreenDrawingResamplesAnImageOnceAndFollowsItsPlacement)
{
    QImage pixels(97, 131, graphics::BitmapImageRep::pixelFormat);
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x)
            pixels.setPixelColor(x, y,
                                 QColor((x * 11) % 256, (y * 7) % 256, (x + y) % 256, 100 + (x * y) % 156));
    }
    graphics::Image image({97, 131});
    image.addRepresentation(graphics::BitmapImageRep(pixels));
    const QImage start = background(70, 90);
    const auto paint = [&](QImage& bitmap, graphics::ImageLayerCache* screen, double x) {
        GraphicsContext context(bitmap);
        if (screen)
            context.setDrawingForScreen(*screen);
        context.scale(0.61, 0.61);
        context.rotate(0.05);
        context.drawImage(image, {x, 9.3, 80.2, 108.1});
    };
    graphics::ImageLayerCache images(16 * 1024 * 1024);
    for (const double x : {7.7, 7.7, 21.35, 7.7}) {
        QImage exact = start;
        paint(exact, nullptr, x);
        QImage onScreen = start;
        paint(onScreen, &images, x);
        EXPECT_LE(largestDifference(onScreen, exact), 1) << x;
    }
    // With a clip the image is drawn in place, as the layer would not be clipped.
    QImage clipped = start;
    {
        GraphicsContext context(clipped);
        context.setDrawingForScreen(images);
        context.clipToRect({0, 0, 20, 20});
        context.drawImage(image, {7.7, 9.3, 49, 66});
    }
    EXPECT_EQ(clipped.pixelColor(40, 40), start.pixelColor(40, 40));
}
