#include "model/entities/GeometryText.h"

#include "foundation/KeyValueCoding.h"
#include "model/rendering/AspectFit.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

using namespace pelorama::model;
using graphics::Point;
using graphics::Rect;
using graphics::Size;

TEST(GeometryText, WritesNumbersWithFifteenDigitsAndAPointZero)
{
    EXPECT_EQ(rawValue(Rect(10, 20, 300, 400)), "10.0,20.0,300.0,400.0");
    EXPECT_EQ(rawValue(Point{0.5, -2}), "0.5,-2.0");
    EXPECT_EQ(rawValue(Size{1242, 2208}), "1242.0,2208.0");
    EXPECT_EQ(numberText(1242000), "1242000.0");
    EXPECT_EQ(numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(numberText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(numberText(123456.7890123456789), "123456.789012346");
    EXPECT_EQ(numberText(std::numeric_limits<double>::max()), "1.7976931348623157e+308");
    EXPECT_EQ(numberText(-0.0), "-0.0");
    EXPECT_EQ(numberText(1e-5), "1e-05");
    EXPECT_EQ(numberText(1e16), "1e+16");
    EXPECT_EQ(numberText(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(numberText(-std::numeric_limits<double>::infinity()), "-inf");
}

TEST(GeometryText, ParsesExactlyTheWrittenCountOfNumbers)
{
    EXPECT_EQ(rectFromRawValue("1,2,3,4"), Rect(1, 2, 3, 4));
    EXPECT_EQ(rectFromRawValue("1e3,-2.5,0,4"), Rect(1000, -2.5, 0, 4));
    EXPECT_EQ(pointFromRawValue("3,4"), (Point{3, 4}));
    EXPECT_EQ(sizeFromRawValue("3,4"), (Size{3, 4}));
    EXPECT_FALSE(pointFromRawValue("3"));
    EXPECT_FALSE(sizeFromRawValue("3,4,5"));
}

TEST(GeometryText, RejectsTextThatIsNotExactlyNumbersAndCommas)
{
    for (const char* text :
         {"1,2,3", "1,2,3,4,5", "1, 2, 3, 4", "1,2,x,4", "", "1,2,3,4,", ",1,2,3", " 1,2,3,4", "1,2,3,4 ",
          "1,2,3,\t4", "1e999,2,3,4", "1e-999,2,3,4", "1,2,3,4x", "0x,2,3,4"}) {
        EXPECT_FALSE(rectFromRawValue(QString::fromLatin1(text))) << text;
    }
    // Digits of other scripts are no numbers here.
    EXPECT_FALSE(rectFromRawValue(QString::fromUtf8("\xd9\xa1,2,3,4")));
}

TEST(GeometryText, NonFiniteValuesRoundTrip)
{
    const Rect null = Rect::null();
    EXPECT_EQ(rawValue(null), "inf,inf,0.0,0.0");
    EXPECT_EQ(rectFromRawValue(rawValue(null)), null);
    const std::optional<Point> nan = pointFromRawValue("nan,-inf");
    ASSERT_TRUE(nan);
    EXPECT_TRUE(std::isnan(nan->x));
    EXPECT_EQ(nan->y, -std::numeric_limits<double>::infinity());
}

// The value rounded to 15 significant digits, as printf's general notation rounds it.
double fifteenDigits(double value)
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.15g", value);
    return std::strtod(text.data(), nullptr);
}

TEST(GeometryText, TextOfAnyValueParsesBackRoundedToFifteenDigitsAndKeepsItsText)
{
    const double largest = std::numeric_limits<double>::max();
    std::vector<double> values{largest,
                               -largest,
                               std::nextafter(largest, 0.0),
                               1.797693134862315e308,
                               std::nextafter(1.797693134862315e308, largest),
                               std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::denorm_min(),
                               -0.0,
                               1.0 / 3.0};
    // Any bit pattern of a finite double.
    std::mt19937_64 random(7);
    while (values.size() < 20000) {
        const double value = std::bit_cast<double>(random());
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (const double value : values) {
        const QString text = numberText(value);
        const std::optional<Rect> rect = rectFromRawValue(rawValue(Rect(value, -value, value, value)));
        ASSERT_TRUE(rect) << text.toStdString();
        const double read = rect->origin.x;
        // Rounded once: storing what was read writes the same text again.
        EXPECT_EQ(numberText(read), text);
        EXPECT_EQ(rect->origin.y, -read);
        if (std::isfinite(fifteenDigits(value)))
            EXPECT_EQ(read, fifteenDigits(value)) << text.toStdString();
        else
            EXPECT_EQ(std::bit_cast<quint64>(read), std::bit_cast<quint64>(value)) << text.toStdString();
        EXPECT_EQ(pointFromRawValue(rawValue(Point{value, value})), (Point{read, read}));
        EXPECT_EQ(sizeFromRawValue(rawValue(Size{value, value})), (Size{read, read}));
    }
}

TEST(AspectFit, CentresTheLargestUniformCopy)
{
    EXPECT_EQ(aspectFit({100, 50}, Rect(0, 0, 200, 200)), Rect(0, 50, 200, 100));
    EXPECT_EQ(aspectFit({50, 100}, Rect(10, 10, 100, 100)), Rect(35, 10, 50, 100));
    // A rectangle given from another corner is taken standardised.
    EXPECT_EQ(aspectFit({100, 50}, Rect(200, 200, -200, -200)), Rect(0, 50, 200, 100));
}

TEST(AspectFit, ASizeWithoutAreaFitsToNothingUsable)
{
    EXPECT_TRUE(std::isnan(aspectFit({0, 0}, Rect(0, 0, 100, 100)).size.width));
    EXPECT_EQ(aspectFit({0, 10}, Rect(0, 0, 100, 100)).size, (Size{0, 100}));
}
