#include "DocumentStack.h"
#include "graphics/GraphicsContext.h"
#include "model/devices/DeviceFamily.h"
#include "model/entities/DeviceImage.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/RenderResources.h"
#include "model/rendering/SnapshotDrawing.h"

#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

enum class Corner
{
    topLeft,
    topRight,
    bottomLeft,
    bottomRight,
};

const Corner corners[] = {Corner::topLeft, Corner::topRight, Corner::bottomLeft, Corner::bottomRight};

// A blue picture whose top-left quarter is red.
graphics::Image markedPicture(int width, int height)
{
    QImage pixels(width, height, QImage::Format_ARGB32);
    pixels.fill(Qt::blue);
    for (int y = 0; y < height / 2; ++y)
        for (int x = 0; x < width / 2; ++x)
            pixels.setPixel(x, y, qRgb(255, 0, 0));
    return graphics::Image(pixels);
}

bool isRed(const QColor& colour)
{
    return colour.red() > 200 && colour.blue() < 60 && colour.alpha() == 255;
}

} // namespace

// An iPhone 7 (frame 1000 x 1800) at a tenth of its size in the middle of a 200 x 200 canvas: the frame
// covers (50, 10)-(150, 190), its screen is 75 x 133.4 points centred on (100, 100).
class DeviceImageRendering : public testing::Test
{
protected:
    DocumentStack stack = DocumentStack::inMemory();
    DeviceImage* device = DeviceImage::insertInto(*stack.context, {100, 100}, 0.1);
    const graphics::Size canvasSize{200, 200};

    QImage render(CanvasRenderingMode mode)
    {
        const graphics::Image rendered =
            DetachedCanvas(Canvas(canvasSize, {device})).render(mode, canvasSize, 1);
        return rendered.representations().at(0).bitmap();
    }

    // The middle of a quarter of the screen as it looks on the canvas (turned sideways for landscape).
    static QPoint quarter(Corner corner, bool sideways)
    {
        const double width = sideways ? 133.4 : 75;
        const double height = sideways ? 75 : 133.4;
        const bool left = corner == Corner::topLeft || corner == Corner::bottomLeft;
        const bool top = corner == Corner::topLeft || corner == Corner::topRight;
        return QPoint(int(100 + (left ? -width : width) / 4), int(100 + (top ? height : -height) / 4));
    }
};

TEST_F(DeviceImageRendering, PictureMarkLandsWhereEachOrientationPutsIt)
{
    struct Case
    {
        DeviceOrientation orientation;
        bool wide;
        Corner mark;
    };
    // A picture shaped like the upright screen turns with a landscape device; one of the other shape is
    // turned to fit an upright device and drawn upright in a landscape one. Never upside down.
    const Case cases[] = {
        {DeviceOrientation::portrait, false, Corner::topLeft},
        {DeviceOrientation::portraitUpsideDown, false, Corner::topLeft},
        {DeviceOrientation::landscapeLeft, false, Corner::bottomLeft},
        {DeviceOrientation::landscapeRight, false, Corner::topRight},
        {DeviceOrientation::portrait, true, Corner::topRight},
        {DeviceOrientation::portraitUpsideDown, true, Corner::bottomLeft},
        {DeviceOrientation::landscapeLeft, true, Corner::topLeft},
        {DeviceOrientation::landscapeRight, true, Corner::topLeft},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "orientation " << int(c.orientation) << (c.wide ? " wide" : " tall"));
        device->setOrientation(c.orientation);
        device->setImage(c.wide ? markedPicture(40, 30) : markedPicture(30, 40));
        const QImage bitmap = render(CanvasRenderingMode::exportImage);
        const bool sideways = c.orientation == DeviceOrientation::landscapeLeft ||
                              c.orientation == DeviceOrientation::landscapeRight;
        for (Corner corner : corners) {
            const QPoint point = quarter(corner, sideways);
            EXPECT_EQ(isRed(pixelAt(bitmap, point.x(), point.y())), corner == c.mark)
                << "corner " << int(corner);
        }
    }
}

TEST_F(DeviceImageRendering, OrientableFrameTurnsAboutThePosition)
{
    const QPoint besideUpright(180, 100); // outside the upright frame, inside the turned one
    EXPECT_EQ(pixelAt(render(CanvasRenderingMode::exportImage), 180, 100).alpha(), 0);
    device->setOrientation(DeviceOrientation::landscapeLeft);
    EXPECT_EQ(pixelAt(render(CanvasRenderingMode::exportImage), besideUpright.x(), besideUpright.y()).alpha(),
              255);
}

TEST_F(DeviceImageRendering, DesktopIgnoresOrientation)
{
    device->setDeviceFamily(*DeviceFamily::findWithIdentifier("iMac"));
    device->setScaleFactor(0.05);
    device->setImage(markedPicture(40, 30));
    const QImage upright = render(CanvasRenderingMode::exportImage);
    device->setOrientation(DeviceOrientation::landscapeLeft);
    EXPECT_EQ(render(CanvasRenderingMode::exportImage), upright);
    device->setOrientation(DeviceOrientation::portraitUpsideDown);
    EXPECT_EQ(render(CanvasRenderingMode::exportImage), upright);
}

TEST_F(DeviceImageRendering, EmptyScreenDependsOnTheRenderingMode)
{
    const QImage exported = render(CanvasRenderingMode::exportImage);
    const QColor screen = pixelAt(exported, 100, 100);
    EXPECT_EQ(screen.alpha(), 255);
    EXPECT_LT(screen.lightness(), 20);
    EXPECT_EQ(render(CanvasRenderingMode::thumbnail), exported);

    // The canvas view marks the screen and nothing else.
    const QImage canvasView = render(CanvasRenderingMode::canvasView);
    int changedInside = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool inScreen = x >= 63 && x < 137 && y >= 34 && y < 166;
            if (pixelAt(canvasView, x, y) == pixelAt(exported, x, y))
                continue;
            EXPECT_TRUE(inScreen) << x << "," << y;
            ++changedInside;
        }
    }
    EXPECT_GT(changedInside, 0);

    // Template previews show the placeholder picture, whose edge is a light grey.
    const QColor preview = pixelAt(render(CanvasRenderingMode::templatePreview), 65, 164);
    EXPECT_NEAR(preview.red(), 0xe8, 6);
    EXPECT_NEAR(preview.blue(), 0xee, 6);
}

TEST_F(DeviceImageRendering, DropShadowFallsBelowTheFrame)
{
    EXPECT_EQ(pixelAt(render(CanvasRenderingMode::exportImage), 100, 4).alpha(), 0);
    device->setShadowType(ShadowType::drop);
    EXPECT_GT(pixelAt(render(CanvasRenderingMode::exportImage), 100, 4).alpha(), 0);
}

TEST_F(DeviceImageRendering, DrawingLeavesTheGraphicsStateAsItFoundIt)
{
    QImage bitmap = graphics::GraphicsContext::makeBitmap(200, 200);
    graphics::GraphicsContext context(bitmap);
    context.setFillColor({0.2, 0.4, 0.6, 1});
    device->setShadowType(ShadowType::drop);
    for (DeviceOrientation orientation : {DeviceOrientation::portrait, DeviceOrientation::landscapeLeft}) {
        device->setOrientation(orientation);
        for (CanvasRenderingMode mode :
             {CanvasRenderingMode::canvasView, CanvasRenderingMode::templatePreview}) {
            draw(std::get<DeviceImageSnapshot>(device->snapshot()),
                 CanvasRenderingContext{context, RenderResources::shared(), {}, 1, mode, canvasSize});
            EXPECT_TRUE(context.transform().isIdentity());
            EXPECT_FALSE(context.shadow());
            EXPECT_EQ(context.fillColor(), (graphics::Color{0.2, 0.4, 0.6, 1}));
        }
        device->setImage(markedPicture(30, 40));
    }
}

TEST_F(DeviceImageRendering, DirectionalShadowPointsAlongItsAngleOnTheCanvasWhateverTheTurn)
{
    device->setShadowType(ShadowType::directional);
    device->setShadowAngle(270);
    device->setShadowDepth(0.1);
    const QImage upright = render(CanvasRenderingMode::exportImage);
    EXPECT_GT(pixelAt(upright, 100, 4).alpha(), 0);
    EXPECT_EQ(pixelAt(upright, 100, 195).alpha(), 0);

    // Turned a quarter, the frame spans x 10...190 and y 50...150; the band still falls downwards.
    device->setOrientation(DeviceOrientation::landscapeLeft);
    const QImage turned = render(CanvasRenderingMode::exportImage);
    EXPECT_GT(pixelAt(turned, 100, 40).alpha(), 0);
    EXPECT_EQ(pixelAt(turned, 100, 160).alpha(), 0);
    EXPECT_EQ(pixelAt(turned, 195, 100).alpha(), 0);
    EXPECT_EQ(pixelAt(turned, 5, 100).alpha(), 0);
}
