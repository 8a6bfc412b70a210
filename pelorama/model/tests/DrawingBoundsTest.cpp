// Drawing alone bounds what it does with a number a document holds: within the bounds a number draws as
// it is, beyond them as the bound, and a NaN as no effect, in bounded time and without a crash.
#include "model/rendering/DrawingBounds.h"

#include "DocumentStack.h"
#include "graphics/ShadowRenderer.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/Image.h"
#include "model/rendering/DetachedCanvas.h"

#include <QImage>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

using namespace pelorama::model;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
const graphics::Size canvasSize{100, 100};

graphics::Image opaquePicture(int width, int height)
{
    QImage pixels(width, height, QImage::Format_ARGB32);
    pixels.fill(Qt::red);
    return graphics::Image(pixels);
}

QImage render(const std::vector<DrawableSnapshot>& snapshots)
{
    const graphics::Image rendered =
        DetachedCanvas(canvasSize, snapshots).render(CanvasRenderingMode::exportImage, canvasSize, 1);
    return rendered.representations().at(0).bitmap();
}

QImage render(const DrawableSnapshot& snapshot)
{
    return render(std::vector<DrawableSnapshot>{snapshot});
}

class DrawingBoundsTest : public testing::Test
{
protected:
    // A 40 x 40 picture in the middle of the canvas, casting a shadow of type in opaque black at angle 0.
    ImageSnapshot image(ShadowType type)
    {
        Image* image =
            Image::insertInto(*stack.context, opaquePicture(40, 40), {30, 30, 40, 40}, FillMode::stretch);
        image->setShadowType(type);
        image->setShadowColor(graphics::Color{0, 0, 0, 1});
        image->setShadowAngle(0);
        return ImageSnapshot::of(*image);
    }

    DeviceImageSnapshot device()
    {
        return DeviceImageSnapshot::of(*DeviceImage::insertInto(*stack.context, {50, 50}, 0.02));
    }

    DocumentStack stack = DocumentStack::inMemory();
};

} // namespace

// A band of 12 canvas diagonals reaches where one of 10 does not: from a picture 11 diagonals to the left
// of the canvas, the first crosses it and the second stops short of it.
TEST_F(DrawingBoundsTest, ADepthOf12DrawsAs12)
{
    const double diagonal = std::hypot(canvasSize.width, canvasSize.height);
    Image* far = Image::insertInto(*stack.context, opaquePicture(10, 20), {-11 * diagonal - 10, 40, 10, 20},
                                   FillMode::stretch);
    far->setShadowType(ShadowType::directional);
    far->setShadowColor(graphics::Color{0, 0, 0, 1});
    far->setShadowAngle(0);
    const auto withDepth = [&](double depth) {
        far->setShadowDepth(depth);
        return render(ImageSnapshot::of(*far));
    };
    const QImage ten = withDepth(10);
    const QImage twelve = withDepth(12);
    EXPECT_NE(ten, twelve);
    EXPECT_EQ(pixelAt(ten, 50, 50).alpha(), 0);
    EXPECT_EQ(pixelAt(twelve, 50, 50), QColor(Qt::black));
    EXPECT_EQ(pixelAt(twelve, 50, 20).alpha(), 0);
}

// Each number far beyond its bound, infinite or NaN draws as the number it is taken as, and the render
// finishes: the cost of every one is bounded by the bitmap, not by the number.
TEST_F(DrawingBoundsTest, NumbersBeyondTheBoundsDrawAsTheBounds)
{
    const double depthBound = DrawingBounds::largestShadowDepth;
    const double scaleBound = DrawingBounds::largestScaleFactor;
    const double blurBound = graphics::ShadowRenderer::largestRadius;
    struct Case
    {
        const char* what;
        std::function<DrawableSnapshot(double)> drawn;
        double hostile;
        double drawnAs;
    };
    const auto directional = [&](double depth) -> DrawableSnapshot {
        ImageSnapshot snapshot = image(ShadowType::directional);
        snapshot.shadow.depth = depth;
        return snapshot;
    };
    const auto blurred = [&](double radius) -> DrawableSnapshot {
        ImageSnapshot snapshot = image(ShadowType::drop);
        snapshot.shadow.blurRadius = radius;
        return snapshot;
    };
    const auto offset = [&](double distance) -> DrawableSnapshot {
        ImageSnapshot snapshot = image(ShadowType::drop);
        snapshot.shadow.distance = distance;
        return snapshot;
    };
    const auto turned = [&](double angle) -> DrawableSnapshot {
        ImageSnapshot snapshot = image(ShadowType::drop);
        snapshot.shadow.angle = angle;
        return snapshot;
    };
    const auto scaled = [&](double scaleFactor) -> DrawableSnapshot {
        DeviceImageSnapshot snapshot = device();
        snapshot.scaleFactor = scaleFactor;
        return snapshot;
    };
    const auto noShadow = [&](double) -> DrawableSnapshot {
        return image(ShadowType::none);
    };
    const Case cases[] = {
        {"depth", directional, 1e300, depthBound},
        {"depth", directional, infinity, depthBound},
        {"depth", directional, -1e300, -depthBound},
        {"depth", directional, -infinity, -depthBound},
        {"depth", directional, notANumber, 0},
        // Any band longer than the canvas's diagonal crosses it: the bound draws as one of 2 diagonals.
        {"depth", directional, 1e300, 2},
        {"blur radius", blurred, 1e300, blurBound},
        {"blur radius", blurred, infinity, blurBound},
        {"blur radius", blurred, -1e300, 0},
        {"blur radius", blurred, notANumber, 0},
        {"distance", offset, 1e300, 1 << 26},
        {"distance", offset, -1e300, -(1 << 26)},
        {"scale factor", scaled, 1e300, scaleBound},
        {"scale factor", scaled, -infinity, -scaleBound},
        {"scale factor", scaled, notANumber, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.what << " " << test.hostile << " as " << test.drawnAs);
        EXPECT_EQ(render(test.drawn(test.hostile)), render(test.drawn(test.drawnAs)));
    }
    // A drop shadow moved or turned by NaN is not drawn; the picture is.
    EXPECT_EQ(render(offset(notANumber)), render(noShadow(0)));
    EXPECT_EQ(render(turned(notANumber)), render(noShadow(0)));
    EXPECT_EQ(render(turned(infinity)), render(noShadow(0)));
    // A device of scale factor 0 draws nothing.
    EXPECT_EQ(render(scaled(0)), render(std::vector<DrawableSnapshot>{}));
}
