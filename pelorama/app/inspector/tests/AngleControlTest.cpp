#include "inspector/AngleControl.h"

#include "graphics/GraphicsContext.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using pelorama::app::AngleControl;
using Resizing = pelorama::model::StyleKit::ResizingBehavior;

namespace {

// The dial drawn into a bitmap of width x height points.
QImage dialDrawn(int width, int height, double angle)
{
    QImage bitmap = graphics::GraphicsContext::makeBitmap(width, height);
    graphics::GraphicsContext context(bitmap);
    AngleControl::drawDial(context, graphics::Rect(0, 0, width, height), Resizing::aspectFit, angle);
    return bitmap;
}

// The pixel at (x, y) counted from the bottom left, as the dial's y-up drawing places it.
QColor pixelAt(const QImage& bitmap, int x, int y)
{
    return bitmap.pixelColor(x, bitmap.height() - 1 - y);
}

bool isDark(const QColor& color)
{
    return color.alpha() > 200 && color.value() < 80;
}

} // namespace

TEST(InspectorEditorsTest, TheDialIsCentredAndItsNeedlePointsAlongTheAngle)
{
    // 100 x 60 with aspect fit: a 60-point dial from x 20 to 80, centre (50, 30), needle 28.8 long.
    const QImage right = dialDrawn(100, 60, 0);
    EXPECT_EQ(pixelAt(right, 10, 30).alpha(), 0);
    EXPECT_EQ(pixelAt(right, 90, 30).alpha(), 0);
    EXPECT_EQ(pixelAt(right, 50, 2).alpha(), 255);
    EXPECT_TRUE(isDark(pixelAt(right, 70, 30)));
    EXPECT_FALSE(isDark(pixelAt(right, 30, 30)));
    EXPECT_FALSE(isDark(pixelAt(right, 50, 50)));

    const QImage up = dialDrawn(100, 60, 90);
    EXPECT_TRUE(isDark(pixelAt(up, 50, 48)));
    EXPECT_FALSE(isDark(pixelAt(up, 70, 30)));
    EXPECT_FALSE(isDark(pixelAt(up, 50, 12)));
}

TEST(InspectorEditorsTest, TheDialMeasuresAnglesWithYUp)
{
    AngleControl control;
    control.resize(50, 50);
    EXPECT_EQ(control.angleAt({25, 25}), 0.0); // the centre
    EXPECT_DOUBLE_EQ(*control.angleAt({50, 25}), 0);
    EXPECT_DOUBLE_EQ(*control.angleAt({25, 0}), 90);
    EXPECT_DOUBLE_EQ(*control.angleAt({0, 25}), 180);
    EXPECT_DOUBLE_EQ(*control.angleAt({25, 50}), 270);
    EXPECT_DOUBLE_EQ(*control.angleAt({35, 15}), 45);
    EXPECT_FALSE(control.angleAt({1, 1}));   // a corner, outside the circle
    EXPECT_FALSE(control.angleAt({51, 25})); // past the right edge
}

TEST(InspectorEditorsTest, TheDialOfAWideControlIsTheSquareInItsMiddle)
{
    AngleControl control;
    control.resize(100, 50);
    EXPECT_EQ(control.dialRect(), QRectF(25, 0, 50, 50));
    EXPECT_DOUBLE_EQ(*control.angleAt({75, 25}), 0);
    EXPECT_FALSE(control.angleAt({10, 25}));

    QSignalSpy chosen(&control, &AngleControl::angleChosen);
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_FALSE(control.value().isValid());
}

TEST(InspectorEditorsTest, ADragFollowsThePointerInsideTheDialOnly)
{
    AngleControl control;
    control.resize(50, 50);
    QSignalSpy chosen(&control, &AngleControl::angleChosen);
    QSignalSpy started(&control, &AngleControl::trackingStarted);
    QSignalSpy finished(&control, &AngleControl::trackingFinished);
    QTest::mousePress(&control, Qt::LeftButton, {}, QPoint(45, 25));
    EXPECT_DOUBLE_EQ(control.doubleValue(), 0);
    EXPECT_EQ(started.size(), 1);
    QTest::mouseMove(&control, QPoint(25, 5));
    EXPECT_DOUBLE_EQ(control.doubleValue(), 90);
    QTest::mouseMove(&control, QPoint(49, 1)); // outside: the angle stays
    EXPECT_DOUBLE_EQ(control.doubleValue(), 90);
    QTest::mouseMove(&control, QPoint(5, 25));
    EXPECT_DOUBLE_EQ(control.doubleValue(), 180);
    QTest::mouseRelease(&control, Qt::LeftButton, {}, QPoint(25, 45));
    EXPECT_DOUBLE_EQ(control.doubleValue(), 270);
    EXPECT_EQ(chosen.size(), 4);
    // The whole drag lies between one start and one end.
    EXPECT_EQ(started.size(), 1);
    EXPECT_EQ(finished.size(), 1);
    QTest::mouseMove(&control, QPoint(45, 25)); // no longer tracking
    EXPECT_DOUBLE_EQ(control.doubleValue(), 270);

    // A click outside the dial starts nothing; a dial taken away in a drag ends it.
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(started.size(), 1);
    control.show();
    QTest::mousePress(&control, Qt::LeftButton, {}, QPoint(45, 25));
    control.hide();
    EXPECT_EQ(started.size(), 2);
    EXPECT_EQ(finished.size(), 2);
}

namespace {

int brightness(const QImage& image, int x, int y)
{
    const QColor pixel = image.pixelColor(x, y);
    return pixel.red() + pixel.green() + pixel.blue();
}

} // namespace

TEST(InspectorEditorsTest, TheNeedlePointsAtTheValue)
{
    AngleControl control;
    control.resize(50, 50);
    control.setValue(0.0);
    const QImage right = control.grab().toImage();
    control.setValue(90.0);
    const QImage up = control.grab().toImage();
    // Along the needle the dial differs from the same spot with the needle turned away.
    EXPECT_NE(brightness(right, 38, 25), brightness(up, 38, 25));
    EXPECT_NE(brightness(right, 25, 12), brightness(up, 25, 12));
    EXPECT_EQ(brightness(right, 38, 25), brightness(up, 25, 12));

    control.setValue(-30.0); // drawn as given
    EXPECT_EQ(control.value(), -30.0);
    control.setValue({});
    const QImage empty = control.grab().toImage();
    EXPECT_EQ(empty.pixelColor(25, 25), control.palette().color(QPalette::Window));
}
