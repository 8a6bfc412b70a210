#include "vistrel/Vistrel.h"

#include "graphics/BitmapImageRep.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using vistrel::FrameBuffer;
using vistrel::Vistrel;

namespace {

// A picture of size pixels, one point each, filled with colour.
graphics::Image picture(int width, int height, const QColor& colour)
{
    QImage pixels(width, height, graphics::BitmapImageRep::pixelFormat);
    pixels.fill(colour);
    return graphics::Image(pixels);
}

} // namespace

TEST(FrameBufferTest, HoldsTheFirstRepresentationAndTheSizeInPoints)
{
    graphics::Image image = picture(40, 20, Qt::red);
    image.setSize({20, 10});
    const FrameBuffer frameBuffer(image);
    EXPECT_FALSE(frameBuffer.isEmpty());
    EXPECT_EQ(frameBuffer.pixels().size(), QSize(40, 20));
    EXPECT_EQ(frameBuffer.size(), (graphics::Size{20, 10}));
    EXPECT_EQ(frameBuffer.pixels().pixelColor(3, 3), QColor(Qt::red));

    const FrameBuffer empty(graphics::Image(graphics::Size{5, 5}));
    EXPECT_TRUE(empty.isEmpty());
}

TEST(VistrelTest, FitsThePictureCentredInTheView)
{
    Vistrel view(QRect(0, 0, 300, 200));
    view.setBackgroundColor({1, 1, 1, 1});
    EXPECT_TRUE(view.imageRect().isEmpty());

    view.setFrameBuffer(std::make_shared<FrameBuffer>(picture(100, 200, Qt::blue)));
    EXPECT_EQ(view.imageRect(), QRectF(100, 0, 100, 200));
    view.resize(400, 100);
    EXPECT_EQ(view.imageRect(), QRectF(175, 0, 50, 100));
    view.setFrameBuffer(std::make_shared<FrameBuffer>(picture(400, 50, Qt::blue)));
    EXPECT_EQ(view.imageRect(), QRectF(0, 25, 400, 50));
    view.setFrameBuffer(nullptr);
    EXPECT_TRUE(view.imageRect().isEmpty());
}

TEST(VistrelTest, SupportIsFoundOnceAndStaysTheSame)
{
    const bool supported = Vistrel::isSupported();
    EXPECT_EQ(Vistrel::isSupported(), supported);
}

// Runs only where OpenGL works (a display with a GL driver); headless runs skip it.
TEST(VistrelTest, DrawsTheFrameBufferFittedOnTheBackground)
{
    if (!Vistrel::isSupported())
        GTEST_SKIP() << "no OpenGL context on this system";
    Vistrel view(QRect(0, 0, 120, 60));
    view.setBackgroundColor({1, 1, 1, 1});
    QImage pixels(40, 40, graphics::BitmapImageRep::pixelFormat);
    pixels.fill(Qt::red);
    // The top half blue, so a picture drawn upside down shows.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            pixels.setPixelColor(x, y, Qt::blue);
    view.setFrameBuffer(std::make_shared<FrameBuffer>(graphics::Image(pixels)));
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

    const QImage shown = view.grabFramebuffer();
    const double ratio = shown.width() / 120.0;
    const auto at = [&](double x, double y) {
        return shown.pixelColor(int(x * ratio), int(y * ratio));
    };
    EXPECT_EQ(at(10, 30), QColor(Qt::white));  // left margin
    EXPECT_EQ(at(110, 30), QColor(Qt::white)); // right margin
    EXPECT_EQ(at(60, 10), QColor(Qt::blue));
    EXPECT_EQ(at(60, 50), QColor(Qt::red));

    view.setFrameBuffer(nullptr);
    const QImage cleared = view.grabFramebuffer();
    EXPECT_EQ(cleared.pixelColor(cleared.width() / 2, cleared.height() / 2), QColor(Qt::white));
}
