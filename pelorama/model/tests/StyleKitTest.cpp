#include "model/rendering/StyleKit.h"

#include "DocumentStack.h"
#include "graphics/GraphicsContext.h"

#include <gtest/gtest.h>

using namespace pelorama::model;
using graphics::Rect;
using Resizing = StyleKit::ResizingBehavior;

namespace {

template <typename Draw> QImage drawn(int width, int height, Draw draw)
{
    QImage bitmap = graphics::GraphicsContext::makeBitmap(width, height);
    graphics::GraphicsContext context(bitmap);
    draw(context);
    return bitmap;
}

// The summed alpha of the y-up rectangle [x0, x1) x [y0, y1).
int ink(const QImage& bitmap, int x0, int y0, int x1, int y1)
{
    int sum = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            sum += pixelAt(bitmap, x, y).alpha();
    }
    return sum;
}

} // namespace

TEST(StyleKit, ResizingPlacesTheDesignRectangleInTheTarget)
{
    const Rect design(0, 0, 50, 50);
    const Rect target(0, 0, 100, 60);
    EXPECT_EQ(StyleKit::apply(Resizing::aspectFit, design, target), Rect(20, 0, 60, 60));
    EXPECT_EQ(StyleKit::apply(Resizing::aspectFill, design, target), Rect(0, -20, 100, 100));
    EXPECT_EQ(StyleKit::apply(Resizing::stretch, design, target), Rect(0, 0, 100, 60));
    EXPECT_EQ(StyleKit::apply(Resizing::center, design, target), Rect(25, 5, 50, 50));
    EXPECT_EQ(StyleKit::apply(Resizing::aspectFit, design, design), design);
    EXPECT_EQ(StyleKit::apply(Resizing::stretch, design, Rect::zero()), design);
    EXPECT_EQ(StyleKit::apply(Resizing::aspectFit, Rect(0, 0, 0, 50), target), Rect(0, 0, 0, 50));
    EXPECT_EQ(StyleKit::resizingBehavior(2), Resizing::stretch);
    EXPECT_FALSE(StyleKit::resizingBehavior(4));
    EXPECT_FALSE(StyleKit::resizingBehavior(-1));
}

TEST(StyleKit, TheImagePlaceholderIsAnOutlineWithCentredText)
{
    const QImage image = drawn(300, 200, [](auto& context) {
        context.setFillColor({0, 1, 0, 1});
        StyleKit::drawImagePlaceholder(context, Rect(0, 0, 300, 200));
        // The drawing restores the state it changed.
        EXPECT_EQ(context.fillColor(), (graphics::Color{0, 1, 0, 1}));
        EXPECT_FALSE(context.shadow());
    });
    const QColor outline = pixelAt(image, 150, 2);
    EXPECT_GT(outline.alpha(), 200);
    EXPECT_GT(outline.red(), 190);
    EXPECT_EQ(pixelAt(image, 0, 0).alpha(), 0);
    // The text sits in the middle rows and nowhere else inside the outline.
    EXPECT_GT(ink(image, 30, 80, 270, 120), 1000);
    EXPECT_EQ(ink(image, 30, 20, 270, 70), 0);
    EXPECT_EQ(ink(image, 30, 130, 270, 180), 0);
}

TEST(StyleKit, PlaceholderTextIsClippedToItsBox)
{
    // A 30-pixel frame leaves a text box 12 pixels high for 28-point text.
    const QImage image =
        drawn(300, 30, [](auto& context) { StyleKit::drawImagePlaceholder(context, Rect(0, 0, 300, 30)); });
    EXPECT_GT(ink(image, 30, 9, 270, 21), 0);
    EXPECT_EQ(ink(image, 30, 5, 270, 7), 0);
    EXPECT_EQ(ink(image, 30, 23, 270, 25), 0);
}

TEST(StyleKit, TheDevicePlaceholderIsAGreyOutlineFurtherIn)
{
    const QImage image = drawn(
        300, 200, [](auto& context) { StyleKit::drawDeviceImagePlaceholder(context, Rect(0, 0, 300, 200)); });
    const QColor outline = pixelAt(image, 150, 9);
    EXPECT_GT(outline.alpha(), 200);
    EXPECT_NEAR(outline.red(), 174, 12);
    EXPECT_EQ(ink(image, 30, 2, 270, 6), 0);
    EXPECT_GT(ink(image, 30, 80, 270, 120), 1000);
}

TEST(StyleKit, TheEmptyBoxIsAFrameWithItsDiagonals)
{
    const QImage image =
        drawn(160, 160, [](auto& context) { StyleKit::drawEmptyBox(context, Rect(0, 0, 160, 160)); });
    EXPECT_GT(pixelAt(image, 80, 80).alpha(), 150);  // both diagonals cross near the middle
    EXPECT_GT(pixelAt(image, 40, 40).alpha(), 150);  // the diagonal from top right to bottom left
    EXPECT_GT(pixelAt(image, 80, 0).alpha(), 100);   // the frame
    EXPECT_GT(pixelAt(image, 120, 40).alpha(), 150); // the other diagonal, bent at (0.549, 0.457)
    EXPECT_EQ(pixelAt(image, 120, 80).alpha(), 0);   // between the diagonals
    EXPECT_GT(pixelAt(image, 80, 80).red(), 200);
}
