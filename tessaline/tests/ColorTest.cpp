#include "tessaline/Shared/ColorComponents.h"
#include "tessaline/Shared/ColorHex.h"
#include "tessaline/Shared/ColorPalette.h"

#include <gtest/gtest.h>

using graphics::Color;
using tessaline::colorFromHex;

namespace {

void expectComponents(const std::optional<Color>& color, double red, double green, double blue, double alpha)
{
    ASSERT_TRUE(color.has_value());
    EXPECT_DOUBLE_EQ(color->red, red);
    EXPECT_DOUBLE_EQ(color->green, green);
    EXPECT_DOUBLE_EQ(color->blue, blue);
    EXPECT_DOUBLE_EQ(color->alpha, alpha);
}

} // namespace

TEST(TessalineTest, HexTextInEveryForm)
{
    expectComponents(colorFromHex("#FFF"), 1, 1, 1, 1);
    expectComponents(colorFromHex("FFF"), 1, 1, 1, 1);
    expectComponents(colorFromHex("#ffffff80"), 1, 1, 1, 128.0 / 255);
    expectComponents(colorFromHex("#0000"), 0, 0, 0, 0);
    expectComponents(colorFromHex("#8000"), 8.0 / 15, 0, 0, 0);
    EXPECT_EQ(colorFromHex("#1ABC9C"), tessaline::ColorPalette::turquoise());
}

TEST(TessalineTest, HexTextThatGivesNoColour)
{
    EXPECT_EQ(colorFromHex("#12345"), std::nullopt);
    EXPECT_EQ(colorFromHex(""), std::nullopt);
    EXPECT_EQ(colorFromHex("#"), std::nullopt);
    EXPECT_EQ(colorFromHex("GGG"), std::nullopt);
    EXPECT_EQ(colorFromHex("##FFF"), std::nullopt); // only one "#" is removed
    EXPECT_EQ(colorFromHex("1234567"), std::nullopt);
    EXPECT_EQ(colorFromHex("123456789"), std::nullopt);
}

TEST(TessalineTest, HexTextIsReadAsAScannerReadsItButCountedWhole)
{
    expectComponents(colorFromHex(" FFF"), 0, 1, 1, 1); // leading space skipped, four characters
    expectComponents(colorFromHex("0x12"), 0, 0, 1.0 / 15, 2.0 / 15); // the prefix is read, not counted away
    expectComponents(colorFromHex("12 G"), 0, 0, 1.0 / 15, 2.0 / 15); // reading stops at the space
    expectComponents(colorFromHex("#e\u0301ff"), 0, 0, 14.0 / 15, 1); // three user-perceived characters
}

TEST(TessalineTest, HexTextRoundTripsAndTruncates)
{
    EXPECT_EQ(tessaline::hexStringWithAlpha(*colorFromHex("#80FF0040")), "#80FF0040");
    EXPECT_EQ(tessaline::hexStringWithoutAlpha(Color{1, 0.5, 0, 1}), "#FF7F00");
    for (int n = 0; n < 256; ++n) {
        const QString text = QString::asprintf("#%02X%02X%02X%02X", n, 255 - n, n, n);
        ASSERT_EQ(tessaline::hexStringWithAlpha(*colorFromHex(text.toLower())), text);
    }
    // Components outside 0...1 stay within two digits.
    EXPECT_EQ(tessaline::hexStringWithoutAlpha(Color{2, -1, std::nan(""), 1}), "#FF0000");
}

TEST(TessalineTest, InterpolationIsLinearInRgbaAndUnclamped)
{
    const Color black{0, 0, 0, 1};
    const Color white{1, 1, 1, 1};
    expectComponents(tessaline::interpolate(black, white, 0.5), 0.5, 0.5, 0.5, 1);
    expectComponents(tessaline::interpolate(black, white, 2), 2, 2, 2, 1);
    const Color first{0.1, 0.7, 0.3, 0.9};
    EXPECT_EQ(tessaline::interpolate(first, white, 0), first);
    expectComponents(tessaline::interpolate(Color{0, 0, 0, 0}, Color{0, 0, 0, 1}, 0.25), 0, 0, 0, 0.25);
}

TEST(TessalineTest, BrightnessVariantsScaleOnlyTheBrightness)
{
    const tessaline::Hsba darker = tessaline::hsba(tessaline::darker(Color{1, 0.5, 0, 0.5}));
    EXPECT_DOUBLE_EQ(darker.brightness, 0.8);
    EXPECT_DOUBLE_EQ(darker.saturation, 1);
    EXPECT_NEAR(darker.hue, 30.0 / 360, 1e-12);
    EXPECT_DOUBLE_EQ(darker.alpha, 0.5);
    // Nothing clamps: brightness 0.9 asks for 1.125 and gets it.
    const Color lighter = tessaline::lighter(tessaline::colorWithHsba(0.5, 0.5, 0.9, 1));
    EXPECT_DOUBLE_EQ(tessaline::hsba(lighter).brightness, 1.125);
    expectComponents(lighter, 0.5625, 1.125, 1.125, 1);
}

TEST(TessalineTest, HsbaAndRgbaRoundTrip)
{
    for (const double hue : {0.0, 0.1, 1.0 / 3, 0.5, 0.75, 0.99}) {
        const Color color = tessaline::colorWithHsba(hue, 0.6, 0.7, 0.4);
        const tessaline::Hsba back = tessaline::hsba(color);
        EXPECT_NEAR(back.hue, hue, 1e-12);
        EXPECT_NEAR(back.saturation, 0.6, 1e-12);
        EXPECT_NEAR(back.brightness, 0.7, 1e-12);
        EXPECT_EQ(back.alpha, 0.4);
    }
    expectComponents(tessaline::colorWithHsba(1, 1, 1, 1), 1, 0, 0, 1); // a full turn is red again
    const tessaline::Hsba grey = tessaline::hsba(Color{0.3, 0.3, 0.3, 1});
    EXPECT_EQ(grey.hue, 0);
    EXPECT_EQ(grey.saturation, 0);
}
