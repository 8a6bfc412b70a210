#include "templates/Theme.h"

#include "graphics/Font.h"
#include "model/devices/DeviceFamily.h"
#include "model/entities/StockGradient.h"

#include <gtest/gtest.h>

using namespace pelorama::templates;
using pelorama::model::DeviceFamily;
using pelorama::model::ShadowType;
using pelorama::model::StockGradient;
using ShadowDescriptor = Theme::ShadowDescriptor;

namespace {

const graphics::Color white{1, 1, 1, 1};

} // namespace

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

// The template picker shows a group per theme in this order, and the builder copies these values onto
// what it builds; fields a theme does not set keep a default theme's.
TEST(Theme, TheBuiltInThemesAreTheseInThisOrder)
{
    const auto black = [](double alpha) {
        return graphics::Color{0, 0, 0, alpha};
    };
    const auto drop = [&](double points, double alpha) {
        return ShadowDescriptor{ShadowType::drop, 270, 1, points, points, black(alpha)};
    };
    const auto directional = [](graphics::Color color) {
        return ShadowDescriptor{ShadowType::directional, 315, 1, 17.5, 17.5, color};
    };
    const ShadowDescriptor noShadow{ShadowType::none, 270, 1, 10, 10, black(0.5)};
    const ShadowDescriptor standardDevice = drop(17.5, 0.4);

    const Theme defaults;
    EXPECT_EQ(defaults.name, "Unnamed Theme");
    EXPECT_EQ(defaults.backgroundType, pelorama::model::BackgroundType::solid);
    EXPECT_EQ(defaults.solidBackgroundColor, white);
    EXPECT_EQ(defaults.gradientIdentifier, "tivel");
    EXPECT_EQ(defaults.fontFamily, "HelveticaNeue-Light");
    EXPECT_EQ(defaults.textColor, black(1));
    EXPECT_EQ(defaults.textShadow, noShadow);
    EXPECT_EQ(defaults.deviceShadow, standardDevice);
    EXPECT_TRUE(defaults.preferredDeviceVariants.isEmpty());
    EXPECT_TRUE(defaults.preferredSecondaryDeviceVariants.isEmpty());

    using enum pelorama::model::BackgroundType;
    const struct
    {
        const char* name;
        pelorama::model::BackgroundType background;
        const char* gradient;
        const char* font;
        graphics::Color textColor;
        ShadowDescriptor textShadow;
        ShadowDescriptor deviceShadow;
        const char* iPhone;
        const char* iPad;
        const char* secondaryIPhone;
        const char* secondaryIPad;
    } themes[] = {
        {"Ocean", gradient, "tivel", "AvenirNext-Regular", white, drop(3, 0.66), drop(10, 0.35),
         "iPhoneSESilver", "iPadPro97Silver", "iPhoneSESpaceGrey", "iPadPro97SpaceGrey"},
        {"Industrial", gradient, "amberine", "AvenirNextCondensed-Regular", white, drop(3, 0.66),
         drop(20, 0.5), "iPhoneSESpaceGrey", "iPadPro97SpaceGrey", "iPhoneSESilver", "iPadPro97Silver"},
        {"White", solid, "tivel", "HelveticaNeue-Light", black(1), noShadow, standardDevice, "iPhone7Gold",
         "iPadPro97Gold", "iPhone7Silver", "iPadPro97Silver"},
        {"Professional", gradient, "quillory", "AvenirNext-Regular", white, drop(3, 0.5), drop(17.5, 0.5),
         "iPhone7MonoWhite", "iPadPro97MonoWhite", "iPhone7MonoBlack", "iPadPro97MonoBlack"},
        {"Summer", gradient, "marlit2", "AvenirNext-Regular", white, noShadow, directional(black(0.25)),
         "iPhone7MonoWhite", "iPadPro97MonoWhite", "iPhone7MonoBlack", "iPadPro97MonoBlack"},
        {"Vivid", gradient, "fernal", "AvenirNext-Regular", white, drop(3, 0.4),
         directional({0.04, 0.22, 0.44, 1}), "iPhone7MonoBlack", "iPadPro97MonoBlack", "iPhone7MonoWhite",
         "iPadPro97MonoWhite"},
    };
    const std::vector<Theme>& all = Theme::all();
    ASSERT_EQ(all.size(), std::size(themes));
    for (std::size_t index = 0; index < all.size(); ++index) {
        const Theme& theme = all[index];
        const auto& expected = themes[index];
        SCOPED_TRACE(expected.name);
        EXPECT_EQ(theme.name, QLatin1String(expected.name));
        EXPECT_EQ(theme.backgroundType, expected.background);
        EXPECT_EQ(theme.solidBackgroundColor, white);
        EXPECT_EQ(theme.gradientIdentifier, QLatin1String(expected.gradient));
        EXPECT_EQ(theme.fontFamily, QLatin1String(expected.font));
        EXPECT_EQ(theme.textColor, expected.textColor);
        EXPECT_EQ(theme.textShadow, expected.textShadow);
        EXPECT_EQ(theme.deviceShadow, expected.deviceShadow);
        EXPECT_EQ(theme.preferredDeviceVariants,
                  (QHash<QString, QString>{{"iPhone", expected.iPhone}, {"iPad", expected.iPad}}));
        EXPECT_EQ(theme.preferredSecondaryDeviceVariants,
                  (QHash<QString, QString>{{"iPhone", expected.secondaryIPhone},
                                           {"iPad", expected.secondaryIPad}}));
    }
}
