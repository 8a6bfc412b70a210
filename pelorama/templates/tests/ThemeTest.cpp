#include "templates/Theme.h"

#include <gtest/gtest.h>

using namespace pelorama::templates;
using pelorama::model::BackgroundType;
using pelorama::model::ShadowType;
using ShadowDescriptor = Theme::ShadowDescriptor;

namespace {

const graphics::Color white{1, 1, 1, 1};

graphics::Color black(double alpha)
{
    return {0, 0, 0, alpha};
}

const Theme& builtIn(const QString& name)
{
    static const std::vector<Theme> themes = Theme::all();
    for (const Theme& theme : themes) {
        if (theme.name == name)
            return theme;
    }
    throw std::runtime_error("no theme " + name.toStdString());
}

struct Look
{
    const char* name;
    BackgroundType background;
    const char* gradient;
    const char* font;
    graphics::Color textColor;
    ShadowDescriptor textShadow;
    ShadowDescriptor deviceShadow;
};

ShadowDescriptor drop(double distance, double blur, graphics::Color color)
{
    return {ShadowType::drop, 270, 1, distance, blur, color};
}

ShadowDescriptor directional(graphics::Color color)
{
    return {ShadowType::directional, 315, 1, 17.5, 17.5, color};
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

TEST(Theme, TheBuiltInThemesComeInOrderWithTheirLooks)
{
    const Look looks[] = {
        {"Ocean", BackgroundType::gradient, "tivel", "AvenirNext-Regular", white, drop(3, 3, black(0.66)),
         drop(10, 10, black(0.35))},
        {"Industrial", BackgroundType::gradient, "amberine", "AvenirNextCondensed-Regular", white,
         drop(3, 3, black(0.66)), drop(20, 20, black(0.5))},
        {"White", BackgroundType::solid, "tivel", "HelveticaNeue-Light", black(1), noShadow,
         drop(17.5, 17.5, black(0.4))},
        {"Professional", BackgroundType::gradient, "quillory", "AvenirNext-Regular", white,
         drop(3, 3, black(0.5)), drop(17.5, 17.5, black(0.5))},
        {"Summer", BackgroundType::gradient, "marlit2", "AvenirNext-Regular", white, noShadow,
         directional(black(0.25))},
        {"Vivid", BackgroundType::gradient, "fernal", "AvenirNext-Regular", white, drop(3, 3, black(0.4)),
         directional({0.04, 0.22, 0.44, 1})},
    };
    const std::vector<Theme> themes = Theme::all();
    ASSERT_EQ(themes.size(), std::size(looks));
    for (size_t index = 0; index < themes.size(); ++index) {
        const Look& look = looks[index];
        const Theme& theme = themes[index];
        SCOPED_TRACE(look.name);
        EXPECT_EQ(theme.name, look.name);
        EXPECT_EQ(theme.backgroundType, look.background);
        EXPECT_EQ(theme.solidBackgroundColor, white);
        EXPECT_EQ(theme.gradientIdentifier, look.gradient);
        EXPECT_EQ(theme.fontFamily, look.font);
        EXPECT_EQ(theme.textColor, look.textColor);
        EXPECT_EQ(theme.textShadow, look.textShadow);
        EXPECT_EQ(theme.deviceShadow, look.deviceShadow);
    }
}

TEST(Theme, EachThemeShowsItsOwnDeviceVariants)
{
    struct Variants
    {
        const char* theme;
        const char* iPhone;
        const char* iPad;
        const char* secondaryIPhone;
        const char* secondaryIPad;
    };
    const Variants table[] = {
        {"Ocean", "iPhoneSESilver", "iPadPro97Silver", "iPhoneSESpaceGrey", "iPadPro97SpaceGrey"},
        {"Industrial", "iPhoneSESpaceGrey", "iPadPro97SpaceGrey", "iPhoneSESilver", "iPadPro97Silver"},
        {"White", "iPhone7Gold", "iPadPro97Gold", "iPhone7Silver", "iPadPro97Silver"},
        {"Professional", "iPhone7MonoWhite", "iPadPro97MonoWhite", "iPhone7MonoBlack", "iPadPro97MonoBlack"},
        {"Summer", "iPhone7MonoWhite", "iPadPro97MonoWhite", "iPhone7MonoBlack", "iPadPro97MonoBlack"},
        {"Vivid", "iPhone7MonoBlack", "iPadPro97MonoBlack", "iPhone7MonoWhite", "iPadPro97MonoWhite"},
    };
    for (const Variants& row : table) {
        SCOPED_TRACE(row.theme);
        const Theme& theme = builtIn(row.theme);
        const QHash<QString, QString> primary{{"iPhone", row.iPhone}, {"iPad", row.iPad}};
        const QHash<QString, QString> secondary{{"iPhone", row.secondaryIPhone}, {"iPad", row.secondaryIPad}};
        // No theme names a variant for the Mac families: those show their first.
        EXPECT_EQ(theme.preferredDeviceVariants, primary);
        EXPECT_EQ(theme.preferredSecondaryDeviceVariants, secondary);
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

TEST(Theme, ReplacingTheListServesLaterReaders)
{
    const std::vector<Theme> builtIns = Theme::all();
    Theme only;
    only.name = "Only";
    Theme::setAll({only});
    const std::vector<Theme> replaced = Theme::all();
    Theme::setAll(builtIns);
    ASSERT_EQ(replaced.size(), 1u);
    EXPECT_EQ(replaced.front().name, "Only");
    EXPECT_EQ(Theme::all(), builtIns);
}
