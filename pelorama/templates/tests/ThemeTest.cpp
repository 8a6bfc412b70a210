#include "templates/Theme.h"

#include "graphics/Font.h"
#include "model/devices/DeviceFamily.h"
#include "model/entities/StockGradient.h"

#include <gtest/gtest.h>

using namespace pelorama::templates;
using pelorama::model::BackgroundType;
using pelorama::model::DeviceFamily;
using pelorama::model::ShadowType;
using pelorama::model::StockGradient;
using ShadowDescriptor = Theme::ShadowDescriptor;

namespace {

const graphics::Color white{1, 1, 1, 1};

graphics::Color black(double alpha)
{
    return {0, 0, 0, alpha};
}

const Theme& builtIn(const QString& name)
{
    for (const Theme& theme : Theme::all()) {
        if (theme.name == name)
            return theme;
    }
    throw std::runtime_error("no theme " + name.toStdString());
}

ShadowDescriptor drop(double distance, double blur, graphics::Color color)
{
    return {ShadowType::drop, 270, 1, distance, blur, color};
}

const ShadowDescriptor noShadow{ShadowType::none, 270, 1, 10, 10, black(0.5)};

} // namespace

TEST(Theme, ADefaultThemeIsBlackTextOnWhiteWithADeviceDropShadow)
{
    const Theme theme;
    EXPECT_EQ(theme.name, "Unnamed Theme");
    EXPECT_EQ(theme.backgroundType, BackgroundType::solid);
    EXPECT_EQ(theme.solidBackgroundColor, white);
    EXPECT_EQ(theme.gradientIdentifier, "tivel");
    EXPECT_EQ(theme.fontFamily, "HelveticaNeue-Light");
    EXPECT_EQ(theme.textColor, black(1));
    EXPECT_EQ(theme.textShadow, noShadow);
    EXPECT_EQ(theme.deviceShadow, drop(17.5, 17.5, black(0.4)));
    EXPECT_TRUE(theme.preferredDeviceVariants.isEmpty());
    EXPECT_TRUE(theme.preferredSecondaryDeviceVariants.isEmpty());
}

TEST(Theme, TheBuiltInThemesComeInOrder)
{
    QStringList names;
    for (const Theme& theme : Theme::all())
        names.append(theme.name);
    EXPECT_EQ(names, (QStringList{"Ocean", "Industrial", "White", "Professional", "Summer", "Vivid"}));
}

TEST(Theme, EveryThemeNamesAStockGradientAndAFaceTheFontTableKnows)
{
    for (const Theme& theme : Theme::all()) {
        SCOPED_TRACE(theme.name.toStdString());
        EXPECT_NE(StockGradient::withIdentifier(theme.gradientIdentifier), nullptr);
        EXPECT_TRUE(graphics::Font::named(theme.fontFamily, 50).has_value());
        EXPECT_EQ(theme.solidBackgroundColor, white);
        // Drop shadows fall straight down.
        for (const ShadowDescriptor& shadow : {theme.textShadow, theme.deviceShadow}) {
            if (shadow.type == ShadowType::drop) {
                EXPECT_EQ(shadow.angle, 270);
            }
        }
    }
}

TEST(Theme, EveryNamedVariantIsOneOfItsFamilysAndSecondaryDevicesLookDifferent)
{
    for (const Theme& theme : Theme::all()) {
        SCOPED_TRACE(theme.name.toStdString());
        EXPECT_EQ(theme.preferredDeviceVariants.keys().size(), 2);
        EXPECT_EQ(theme.preferredSecondaryDeviceVariants.keys().size(), 2);
        for (const QString& familyIdentifier : {QStringLiteral("iPhone"), QStringLiteral("iPad")}) {
            const DeviceFamily* family = DeviceFamily::findWithIdentifier(familyIdentifier);
            ASSERT_NE(family, nullptr);
            const QString primary = theme.preferredDeviceVariants.value(familyIdentifier);
            const QString secondary = theme.preferredSecondaryDeviceVariants.value(familyIdentifier);
            EXPECT_NE(family->findVariantWithIdentifier(primary), nullptr) << primary.toStdString();
            EXPECT_NE(family->findVariantWithIdentifier(secondary), nullptr) << secondary.toStdString();
            EXPECT_NE(primary, secondary);
        }
    }
}

TEST(Theme, WhiteDiffersFromTheDefaultOnlyInNameAndVariants)
{
    Theme white = builtIn("White");
    white.name = Theme().name;
    white.preferredDeviceVariants.clear();
    white.preferredSecondaryDeviceVariants.clear();
    EXPECT_EQ(white, Theme());
}

TEST(Theme, OnlySummerAndVividCastDirectionalDeviceShadowsAndOnlyVividsIsColoured)
{
    for (const Theme& theme : Theme::all()) {
        SCOPED_TRACE(theme.name.toStdString());
        const bool directional = theme.name == "Summer" || theme.name == "Vivid";
        EXPECT_EQ(theme.deviceShadow.type == ShadowType::directional, directional);
        const graphics::Color& color = theme.deviceShadow.color;
        EXPECT_EQ(color.red != 0 || color.green != 0 || color.blue != 0, theme.name == "Vivid");
    }
    EXPECT_EQ(builtIn("Summer").textShadow.type, ShadowType::none);
}
