#include "inspector/GradientPicker.h"

#include "model/entities/StockGradient.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using pelorama::app::GradientPicker;
using pelorama::model::StockGradient;

TEST(InspectorEditorsTest, ThePickersHeightFollowsItsWidth)
{
    GradientPicker picker;
    EXPECT_EQ(picker.intrinsicContentSize(), QSizeF(100, 430)); // 2 columns, 11 rows
    EXPECT_EQ(picker.sizeHint(), QSize(100, 438));              // and the insets above and below
    picker.resize(250, 158);
    picker.show(); // lays the picker out
    EXPECT_EQ(picker.appliedWidth(), 250);
    EXPECT_EQ(picker.intrinsicContentSize(), QSizeF(250, 150)); // 6 columns, 4 rows
    EXPECT_TRUE(picker.hasHeightForWidth());
    EXPECT_EQ(picker.heightForWidth(100), 438);
}

TEST(InspectorEditorsTest, APickerTooNarrowForOneSwatchStillLaysOutOneColumn)
{
    EXPECT_EQ(GradientPicker::columnCount(37), 1);
    EXPECT_EQ(GradientPicker::columnCount(0), 1);
    EXPECT_EQ(GradientPicker::columnCount(-50), 1);
    EXPECT_EQ(GradientPicker::columnCount(78), 2);
    GradientPicker picker;
    picker.resize(20, 900);
    EXPECT_EQ(picker.heightForWidth(20), 22 * 40 - 10 + 8);
    EXPECT_EQ(picker.indexAt({10, 10}), 0);
    EXPECT_EQ(picker.indexAt({10, 50}), 1);
    EXPECT_FALSE(picker.grab().isNull());
}

TEST(InspectorEditorsTest, OnlyClicksOnASwatchSelectIt)
{
    GradientPicker picker;
    picker.resize(250, 158);
    EXPECT_EQ(picker.indexAt({4, 4}), 0);
    EXPECT_EQ(picker.indexAt({33.9, 33.9}), 0);
    EXPECT_EQ(picker.indexAt({3.9, 10}), -1); // left margin
    EXPECT_EQ(picker.indexAt({10, 3.9}), -1); // top margin
    EXPECT_EQ(picker.indexAt({34, 10}), -1);  // gap between columns
    EXPECT_EQ(picker.indexAt({10, 36}), -1);  // gap between rows
    EXPECT_EQ(picker.indexAt({50, 10}), 1);
    EXPECT_EQ(picker.indexAt({10, 50}), 6);
    EXPECT_EQ(picker.indexAt({240, 10}), -1);  // right of the last column
    EXPECT_EQ(picker.indexAt({130, 130}), 21); // the last swatch
    EXPECT_EQ(picker.indexAt({170, 130}), -1); // a cell of the last row past the 22nd swatch
    EXPECT_EQ(picker.indexAt({10, 170}), -1);  // below the last row

    QSignalSpy changes(&picker, &GradientPicker::selectedIndexChanged);
    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(55, 15));
    EXPECT_EQ(picker.selectedIndex(), 1);
    QTest::mouseClick(&picker, Qt::LeftButton, {}, QPoint(36, 15));
    EXPECT_EQ(picker.selectedIndex(), 1);
    EXPECT_EQ(changes.size(), 1);
}

namespace {

bool isRingColour(const QImage& image, int x, int y, const QColor& ring)
{
    const QColor pixel = image.pixelColor(x, y);
    return std::abs(pixel.red() - ring.red()) < 40 && std::abs(pixel.green() - ring.green()) < 40 &&
           std::abs(pixel.blue() - ring.blue()) < 40;
}

} // namespace

TEST(InspectorEditorsTest, OnlyTheSelectedSwatchIsRinged)
{
    GradientPicker picker;
    picker.resize(250, 158);
    const QColor ring = picker.palette().color(QPalette::Highlight);
    // The ring runs 3 points outside the swatch's edge, in the gap.
    const auto ringedAt = [&](int index) {
        const QImage image = picker.grab().toImage();
        const QRectF swatch = picker.swatchRect(index);
        return isRingColour(image, static_cast<int>(swatch.center().x()), static_cast<int>(swatch.top() - 3),
                            ring);
    };
    EXPECT_FALSE(ringedAt(0));
    EXPECT_FALSE(ringedAt(7));
    picker.setSelectedIndex(7);
    EXPECT_TRUE(ringedAt(7));
    EXPECT_FALSE(ringedAt(0));
    EXPECT_FALSE(ringedAt(8));
}

TEST(InspectorEditorsTest, SwatchesShowTheTopColourOfTheGradientAtTheTop)
{
    GradientPicker picker;
    picker.resize(250, 158);
    const QImage image = picker.grab().toImage();
    const StockGradient& first = *StockGradient::all().front();
    const QRectF swatch = picker.swatchRect(0);
    const QColor top =
        image.pixelColor(static_cast<int>(swatch.center().x()), static_cast<int>(swatch.top() + 3));
    const QColor bottom =
        image.pixelColor(static_cast<int>(swatch.center().x()), static_cast<int>(swatch.bottom() - 3));
    const QColor end = first.endColor().toQColor();
    const QColor start = first.startColor().toQColor();
    const auto distance = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    };
    EXPECT_LT(distance(top, end), distance(top, start));
    EXPECT_LT(distance(bottom, start), distance(bottom, end));
}
