#include "tessaline/Shared/BezierPathConversion.h"
#include "tessaline/Shared/ImageDrawing.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using graphics::GraphicsContext;
using graphics::Path;
using graphics::PathElementType;
using graphics::Point;
using graphics::Size;

TEST(TessalineTest, ImageFromDrawingBlockTruncatesToPixels)
{
    int calls = 0;
    const graphics::Image image = tessaline::imageWithSize({10.7, 5.2}, [&](GraphicsContext& context) {
        ++calls;
        context.setFillColor({0, 0.5, 1, 1});
        context.fillRect({0, 0, 10.7, 5.2});
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(image.size(), (Size{10.7, 5.2}));
    ASSERT_EQ(image.representations().size(), 1u);
    const QImage& bitmap = image.representations().front().bitmap();
    EXPECT_EQ(bitmap.width(), 10);
    EXPECT_EQ(bitmap.height(), 5);
    EXPECT_EQ(bitmap.format(), QImage::Format_RGBA8888_Premultiplied);
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            EXPECT_EQ(bitmap.pixelColor(x, y), QColor(0, 128, 255, 255)) << x << "," << y;
        }
    }
}

TEST(TessalineTest, ImageFromDrawingBlockDrawsYUp)
{
    const graphics::Image image = tessaline::imageWithSize({4, 4}, [](GraphicsContext& context) {
        context.setFillColor({1, 0, 0, 1});
        context.fillRect({0, 0, 4, 1});
    });
    const QImage& bitmap = image.representations().front().bitmap();
    EXPECT_EQ(bitmap.pixelColor(0, 3).alpha(), 255);
    EXPECT_EQ(bitmap.pixelColor(0, 0).alpha(), 0);
}

TEST(TessalineTest, ImageFromDrawingBlockWithUnusableSizeIsEmpty)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const Size sizes[] = {{0.9, 10}, {10, 0.5}, {0, 0},         {-5, 10},
                          {10, -1},  {nan, 10}, {10, infinity}, {1e12, 1e12}};
    for (const Size& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << " x " << size.height);
        int calls = 0;
        const graphics::Image image = tessaline::imageWithSize(size, [&](GraphicsContext&) { ++calls; });
        EXPECT_TRUE(image.isEmpty());
        EXPECT_EQ(calls, 0);
    }
    EXPECT_EQ(tessaline::imageWithSize({0.5, 3}, [](GraphicsContext&) {}).size(), (Size{0.5, 3}));
    EXPECT_EQ(tessaline::imageWithSize({nan, 3}, [](GraphicsContext&) {}).size(), (Size{0, 0}));
}

TEST(TessalineTest, CgPathKeepsEveryElement)
{
    EXPECT_TRUE(tessaline::cgPath(Path()).isEmpty());
    Path path;
    path.moveTo({0, 0});
    path.lineTo({10, 0});
    path.lineTo({10, 10});
    path.lineTo({0, 10});
    path.closeSubpath();
    path.setLineWidth(5);
    path.setWindingRule(graphics::WindingRule::evenOdd);
    const Path converted = tessaline::cgPath(path);
    EXPECT_EQ(converted.elements(), path.elements());
    EXPECT_EQ(converted.lineWidth(), 1);
    EXPECT_EQ(converted.windingRule(), graphics::WindingRule::nonZero);

    Path curved;
    curved.moveTo({0, 0});
    curved.curveTo({9, 9}, {1, 2}, {3, 4});
    curved.closeSubpath();
    curved.lineTo({5, 5});
    EXPECT_EQ(tessaline::cgPath(curved).elements(), curved.elements());
}

TEST(TessalineTest, BezierPathFromPathTurnsQuadraticsIntoCubics)
{
    Path path;
    path.moveTo({0, 0});
    path.quadCurveTo({6, 0}, {3, 3});
    const Path converted = tessaline::bezierPathWithPath(path);
    ASSERT_EQ(converted.elementCount(), 2);
    EXPECT_EQ(converted.element(1).type, PathElementType::curveTo);
    EXPECT_EQ(converted.element(1).points[0], (Point{2, 2}));
    EXPECT_EQ(converted.element(1).points[1], (Point{4, 2}));
    EXPECT_EQ(converted.element(1).points[2], (Point{6, 0}));

    Path cubic;
    cubic.moveTo({0, 0});
    cubic.curveTo({9, 9}, {1, 2}, {3, 4});
    cubic.closeSubpath();
    EXPECT_EQ(tessaline::bezierPathWithPath(cubic).elements(), cubic.elements());
}
