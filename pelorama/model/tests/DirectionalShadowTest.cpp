#include "model/imaging/DirectionalShadow.h"

#include "DocumentStack.h"
#include "PathPolygons.h"
#include "graphics/GraphicsContext.h"
#include "model/imaging/ContourCache.h"
#include "model/imaging/FlatShadowCaster.h"
#include "model/imaging/OutlineOrientation.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

using namespace pelorama::model;
using graphics::Point;

namespace {

// Move to (10, 10), lines to (10, 0), (0, 0), (0, 10), close: clockwise in a y-up space.
graphics::Path clockwiseSquare()
{
    return closedPath({{10, 10}, {10, 0}, {0, 0}, {0, 10}});
}

void expectPolygonNear(const Polygon& actual, const Polygon& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(actual[i].x, expected[i].x, 1e-9) << "point " << i;
        EXPECT_NEAR(actual[i].y, expected[i].y, 1e-9) << "point " << i;
    }
}

graphics::Image pictureFrom(const QImage& bitmap)
{
    return graphics::Image(bitmap);
}

// A picture with an opaque 6 x 6 block in a transparent border of one pixel.
graphics::Image blockPicture()
{
    return pictureFrom(pictureOf(
        {"........", ".######.", ".######.", ".######.", ".######.", ".######.", ".######.", "........"}));
}

} // namespace

TEST(FlatShadowCasterTest, AtThreeFifteenTheRightAndBottomEdgesCastOneBand)
{
    const std::vector<Polygon> bands =
        polygons(FlatShadowCaster::shadowPath(clockwiseSquare(), 315, 10 * std::sqrt(2.0)));
    ASSERT_EQ(bands.size(), 1u);
    expectPolygonNear(bands[0], {{10, 10}, {10, 0}, {0, 0}, {10, -10}, {20, -10}, {20, 0}});
}

TEST(FlatShadowCasterTest, AtOneThirtyFiveTheLeftAndTopEdgesCastOneBand)
{
    const std::vector<Polygon> bands =
        polygons(FlatShadowCaster::shadowPath(clockwiseSquare(), 135, 10 * std::sqrt(2.0)));
    ASSERT_EQ(bands.size(), 1u);
    expectPolygonNear(bands[0], {{0, 0}, {0, 10}, {10, 10}, {0, 20}, {-10, 20}, {-10, 10}});
}

TEST(FlatShadowCasterTest, CastingEdgesThatDoNotMeetExactlyGiveSeparateBands)
{
    graphics::Path path;
    // Cast to the left (angle 180), edges running up face the shadow.
    path.moveTo({0, 0});
    path.lineTo({0, 10}); // casts
    path.lineTo({5, 5});  // does not: it runs down
    path.lineTo({5, 20}); // casts, but does not start where the first run ended
    path.lineTo({6, 15}); // does not
    const std::vector<Polygon> bands = polygons(FlatShadowCaster::shadowPath(path, 180, 3));
    ASSERT_EQ(bands.size(), 2u);
    expectPolygonNear(bands[0], {{0, 0}, {0, 10}, {-3, 10}, {-3, 0}});
    expectPolygonNear(bands[1], {{5, 5}, {5, 20}, {2, 20}, {2, 5}});

    // A casting edge that starts exactly where the last run ended continues it, across a new subpath.
    graphics::Path joined;
    joined.moveTo({0, 0});
    joined.lineTo({0, 10});
    joined.moveTo({0, 10});
    joined.lineTo({0, 20});
    EXPECT_EQ(polygons(FlatShadowCaster::shadowPath(joined, 180, 3)).size(), 1u);
}

TEST(FlatShadowCasterTest, CurvesAndEdgesWithoutLengthCastNothing)
{
    graphics::Path curves;
    curves.moveTo({0, 0});
    curves.curveTo({10, 0}, {3, 5}, {7, 5});
    curves.quadCurveTo({10, 10}, {12, 5});
    EXPECT_TRUE(FlatShadowCaster::shadowPath(curves, 270, 5).isEmpty());

    graphics::Path points;
    points.moveTo({1, 1});
    points.lineTo({1, 1});
    points.closeSubpath();
    EXPECT_TRUE(FlatShadowCaster::shadowPath(points, 0, 5).isEmpty());

    // A close offers the straight edge back to the subpath's start.
    graphics::Path closedCurve;
    closedCurve.moveTo({0, 0});
    closedCurve.curveTo({10, 0}, {3, 5}, {7, 5});
    closedCurve.closeSubpath();
    EXPECT_EQ(polygons(FlatShadowCaster::shadowPath(closedCurve, 270, 5)).size(), 1u);
}

TEST(OutlineOrientationTest, OuterBoundariesRunClockwiseAndHolesTheOtherWay)
{
    // A counter-clockwise frame around a clockwise hole, the wrong way round for both.
    graphics::Path path = graphics::Path::rect({0, 0, 30, 30});
    path.append(closedPath({{10, 20}, {20, 20}, {20, 10}, {10, 10}}));
    path.append(graphics::Path::rect({12, 12, 6, 6})); // an island in the hole, counter-clockwise too

    const std::vector<Polygon> oriented = polygons(orientedLikeTracedContours(path));
    ASSERT_EQ(oriented.size(), 3u);
    EXPECT_LT(signedArea(oriented[0]), 0);
    EXPECT_GT(signedArea(oriented[1]), 0);
    EXPECT_LT(signedArea(oriented[2]), 0);
    EXPECT_EQ(oriented[1], (Polygon{{10, 10}, {20, 10}, {20, 20}, {10, 20}}));
    // Reversed, the frame still passes through its corners.
    EXPECT_EQ(oriented[0], (Polygon{{0, 30}, {30, 30}, {30, 0}, {0, 0}}));
}

TEST(OutlineOrientationTest, ReversedCurvesKeepTheirShape)
{
    graphics::Path path;
    path.moveTo({0, 0});
    path.curveTo({10, 0}, {3, -4}, {7, -4});
    path.quadCurveTo({10, 10}, {14, 5});
    path.closeSubpath();
    const graphics::Path oriented = orientedLikeTracedContours(path);
    EXPECT_NEAR(oriented.bounds().minY(), path.bounds().minY(), 1e-9);
    EXPECT_NEAR(oriented.bounds().maxX(), path.bounds().maxX(), 1e-9);
    ASSERT_EQ(oriented.elementCount(), 4);
    EXPECT_EQ(oriented.element(0).points[0], (Point{10, 10}));
    EXPECT_EQ(oriented.element(1).type, graphics::PathElementType::quadCurveTo);
    EXPECT_EQ(oriented.element(2).type, graphics::PathElementType::curveTo);
    EXPECT_EQ(oriented.element(2).points[0], (Point{7, -4}));
    EXPECT_EQ(oriented.element(2).points[2], (Point{0, 0}));
}

TEST(DirectionalShadowTest, APictureWithoutABitmapIsOutlinedByItsBoundsClockwise)
{
    ContourCache contours;
    graphics::FillCache bandPixels(16 * 1024 * 1024);
    const graphics::Image bare(graphics::Size{40, 20});
    const std::vector<Polygon> outline = polygons(*extractContours(contours, bare));
    ASSERT_EQ(outline.size(), 1u);
    EXPECT_EQ(outline[0], (Polygon{{40, 20}, {40, 0}, {0, 0}, {0, 20}}));
    EXPECT_LT(signedArea(outline[0]), 0);

    // So the band starts at the picture's edge that faces the shadow, not at its far side.
    QImage bitmap = graphics::GraphicsContext::makeBitmap(40, 40);
    {
        graphics::GraphicsContext context(bitmap);
        context.setFillColor({1, 0, 0, 1});
        drawDirectionalShadow(context, {contours, bandPixels}, bare, {0, 10, 40, 20}, 270, 5);
    }
    EXPECT_EQ(pixelAt(bitmap, 20, 7), QColor(Qt::red));
    EXPECT_EQ(pixelAt(bitmap, 20, 15).alpha(), 0);
    EXPECT_EQ(pixelAt(bitmap, 20, 32).alpha(), 0);

    EXPECT_TRUE(extractContours(contours, graphics::Image())->isEmpty());
}

TEST(DirectionalShadowTest, APictureWithoutABitmapAnswersTheSameOutlineAndBandsAgain)
{
    ContourCache contours;
    const graphics::Image bare(graphics::Size{40, 20});
    const std::shared_ptr<const graphics::Path> outline = extractContours(contours, bare);
    EXPECT_EQ(extractContours(contours, bare), outline);
    // The outline depends on the size alone.
    EXPECT_EQ(extractContours(contours, graphics::Image(graphics::Size{40, 20})), outline);
    EXPECT_NE(extractContours(contours, graphics::Image(graphics::Size{40, 21})), outline);

    const std::shared_ptr<const graphics::Path> bands =
        directionalShadowPath(contours, bare, {0, 10, 40, 20}, 270, 5);
    EXPECT_EQ(directionalShadowPath(contours, bare, {0, 10, 40, 20}, 270, 5), bands);
    EXPECT_NE(directionalShadowPath(contours, bare, {0, 10, 40, 20}, 271, 5), bands);
}

TEST(DirectionalShadowTest, TheOutlineIsScaledFromPixelsToThePicturesSize)
{
    ContourCache contours;
    graphics::Image picture = blockPicture();
    picture.setSize({16, 4}); // 8 x 8 pixels shown in 16 x 4 points
    EXPECT_EQ(polygons(*extractContours(contours, picture)),
              (std::vector<Polygon>{{{12, 3.5}, {12, 1}, {2, 1}, {2, 3.5}}}));
}

TEST(DirectionalShadowTest, TheSamePictureAnswersTheSameOutlineUntilItGoes)
{
    ContourCache contours;
    const qsizetype before = contours.bitmapCount();
    {
        const graphics::Image picture = blockPicture();
        const std::shared_ptr<const graphics::Path> first = extractContours(contours, picture);
        // Copies share the pixels and so the outline.
        const graphics::Image copy = picture; // NOLINT(performance-unnecessary-copy-initialization)
        EXPECT_EQ(extractContours(contours, copy).get(), first.get());
        EXPECT_EQ(contours.bitmapCount(), before + 1);
    }
    EXPECT_EQ(contours.bitmapCount(), before);
}

TEST(DirectionalShadowTest, ZeroAndNullClipsDrawWhatTheUnclippedFormDraws)
{
    ContourCache contours;
    const graphics::Image picture = blockPicture();
    const graphics::Rect placement{100, 50, 16, 16};
    const graphics::Path whole = *directionalShadowPath(contours, picture, placement, 300, 12);
    ASSERT_FALSE(whole.isEmpty());
    EXPECT_EQ(*directionalShadowPath(contours, picture, placement, graphics::Rect::zero(), 300, 12), whole);
    EXPECT_EQ(*directionalShadowPath(contours, picture, placement, graphics::Rect::null(), 300, 12), whole);
}

TEST(DirectionalShadowTest, RectanglesWithoutAreaCastNothing)
{
    ContourCache contours;
    const graphics::Image picture = blockPicture();
    EXPECT_TRUE(directionalShadowPath(contours, picture, {10, 10, 0, 16}, 270, 5)->isEmpty());
    EXPECT_TRUE(directionalShadowPath(contours, picture, {10, 10, 16, 16}, {2, 2, 4, 0}, 270, 5)->isEmpty());
    EXPECT_TRUE(directionalShadowPath(contours, picture, {10, 10, 16, 16}, 270, std::nan(""))->isEmpty());
}

TEST(DirectionalShadowTest, AClippedPictureCastsFromTheOutlineOfItsShownPart)
{
    ContourCache contours;
    graphics::FillCache bandPixels(16 * 1024 * 1024);
    // The block spans x 1...6 of the picture; only its right part, x 4...8, is shown, ten times enlarged at
    // x 40...80, where the block's part covers x 40...60 and y 30...80.
    const graphics::Image picture = blockPicture();
    const graphics::Rect clip{4, 0, 4, 8};
    const graphics::Rect placement{40, 10, 40, 80};
    const auto render = [&](double angle) {
        QImage bitmap = graphics::GraphicsContext::makeBitmap(100, 100);
        graphics::GraphicsContext context(bitmap);
        context.setFillColor({1, 0, 0, 1});
        drawDirectionalShadow(context, {contours, bandPixels}, picture, placement, clip, angle, 30);
        return bitmap;
    };
    // To the left, the band starts at the clip's edge, which the boolean operation made part of the outline.
    const QImage left = render(180);
    EXPECT_EQ(pixelAt(left, 25, 50), QColor(Qt::red));
    EXPECT_EQ(pixelAt(left, 50, 50).alpha(), 0);
    EXPECT_EQ(pixelAt(left, 70, 50).alpha(), 0);
    EXPECT_EQ(pixelAt(left, 25, 20).alpha(), 0);
    // To the right, it starts at the block's own edge.
    const QImage right = render(0);
    EXPECT_EQ(pixelAt(right, 75, 50), QColor(Qt::red));
    EXPECT_EQ(pixelAt(right, 50, 50).alpha(), 0);
    EXPECT_EQ(pixelAt(right, 25, 50).alpha(), 0);
}

TEST(DirectionalShadowTest, ARepeatedRequestAnswersTheCachedBands)
{
    ContourCache contours;
    const graphics::Image picture = blockPicture();
    const auto first = directionalShadowPath(contours, picture, {0, 0, 40, 80}, {4, 0, 4, 8}, 200, 30);
    EXPECT_EQ(directionalShadowPath(contours, picture, {0, 0, 40, 80}, {4, 0, 4, 8}, 200, 30).get(),
              first.get());
    EXPECT_NE(directionalShadowPath(contours, picture, {0, 0, 40, 80}, {4, 0, 4, 8}, 210, 30).get(),
              first.get());
}

TEST(DirectionalShadowTest, TheBandIsFilledWithTheContextsFillColour)
{
    ContourCache contours;
    graphics::FillCache bandPixels(16 * 1024 * 1024);
    const graphics::Image picture = blockPicture();
    QImage bitmap = graphics::GraphicsContext::makeBitmap(40, 40);
    {
        graphics::GraphicsContext context(bitmap);
        context.setFillColor({1, 0, 0, 1});
        drawDirectionalShadow(context, {contours, bandPixels}, picture, {0, 0, 40, 40}, 270, 10);
    }
    // Drawn five times enlarged, the block's outline spans x 5...30 and y 10...35; cast straight down,
    // the band lies below its bottom edge.
    EXPECT_EQ(pixelAt(bitmap, 15, 5), QColor(Qt::red));
    EXPECT_EQ(pixelAt(bitmap, 15, 20).alpha(), 0); // under the picture, which the caller draws on top
    EXPECT_EQ(pixelAt(bitmap, 36, 5).alpha(), 0);
}

TEST(DirectionalShadowTest, ConcurrentRendersTraceEachPictureOnce)
{
    ContourCache contours;
    const graphics::Image picture = blockPicture();
    std::array<const graphics::Path*, 8> outlines{};
    std::vector<std::thread> threads;
    for (size_t i = 0; i < outlines.size(); ++i) {
        threads.emplace_back([&contours, &picture, &outlines, i] {
            for (int round = 0; round < 4; ++round)
                directionalShadowPath(contours, picture, {0, 0, 40, 40}, {0, 0, 4, 8},
                                      45.0 * ((i + round) % 8), 10);
            outlines[i] = extractContours(contours, picture).get();
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (const graphics::Path* outline : outlines)
        EXPECT_EQ(outline, outlines.front());
}
