#include "DocumentStack.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/Image.h"
#include "model/entities/ShadowSettings.h"
#include "model/entities/TextRect.h"

#include <gtest/gtest.h>

using namespace pelorama::model;

class ShadowTest : public testing::Test
{
protected:
    DocumentStack stack = DocumentStack::inMemory();
};

TEST_F(ShadowTest, EveryShadowedDrawableStartsWithTheSameSettings)
{
    std::vector<Shadowable*> shadowed{Image::insertInto(*stack.context), TextRect::insertInto(*stack.context),
                                      DeviceImage::insertInto(*stack.context)};
    for (Shadowable* drawable : shadowed) {
        EXPECT_EQ(drawable->shadowType(), ShadowType::none);
        EXPECT_EQ(drawable->shadowDepth(), 1.0);
        EXPECT_EQ(drawable->shadowDistance(), 10.0);
        EXPECT_EQ(drawable->shadowBlurRadius(), 10.0);
        EXPECT_EQ(drawable->shadowColor(), (graphics::Color{0, 0, 0, 0.25}));
        EXPECT_EQ(drawable->shadowAngle(), 270.0);
    }
}

TEST_F(ShadowTest, ADropShadowFallsAlongTheAngleScaledToThePixels)
{
    Image* image = Image::insertInto(*stack.context);
    image->setShadowType(ShadowType::drop);
    const auto dropShadow = [&](double scale) {
        return ShadowSettings::of(*image).dropShadow(scale);
    };
    const graphics::Shadow down = dropShadow(1);
    EXPECT_NEAR(down.offset.height, -10, 1e-12);
    // The cosine of 270 degrees in doubles is not exactly zero.
    EXPECT_NE(down.offset.width, 0);
    EXPECT_NEAR(down.offset.width, -1.8e-15, 1e-15);
    EXPECT_EQ(down.blurRadius, 10);
    EXPECT_EQ(down.color, (graphics::Color{0, 0, 0, 0.25}));

    image->setShadowAngle(0);
    const graphics::Shadow right = dropShadow(2);
    EXPECT_EQ(right.offset, (graphics::Size{20, 0}));
    EXPECT_EQ(right.blurRadius, 20);

    // Without a colour the platform's default.
    image->setShadowColor(std::nullopt);
    EXPECT_EQ(dropShadow(2).color, graphics::Shadow{}.color);
}

TEST_F(ShadowTest, DepthPlaysNoPartInADropShadowNorDistanceInTheOthers)
{
    TextRect* text = TextRect::insertInto(*stack.context);
    const graphics::Shadow before = ShadowSettings::of(*text).dropShadow(1);
    text->setShadowDepth(5);
    EXPECT_EQ(ShadowSettings::of(*text).dropShadow(1), before);
    text->setShadowType(ShadowType::directional);
    text->setShadowType(ShadowType::drop);
    EXPECT_EQ(text->shadowDistance(), 10);
    EXPECT_EQ(text->shadowBlurRadius(), 10);
}

TEST_F(ShadowTest, UnknownStoredTypesReadAsNone)
{
    DeviceImage* device = DeviceImage::insertInto(*stack.context);
    device->setShadowType(ShadowType::directional);
    EXPECT_EQ(device->shadowType(), ShadowType::directional);
    for (qint64 stored : {3, -1}) {
        device->setPrimitiveValue(stored, "shadowType");
        EXPECT_EQ(device->shadowType(), ShadowType::none);
        EXPECT_EQ(device->valueForKey("shadowType"), QVariant(qint64(0)));
    }
}
