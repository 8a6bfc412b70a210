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
