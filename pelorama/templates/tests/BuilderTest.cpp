#include "templates/Builder.h"

#include "TestStore.h"
#include "model/devices/DeviceFamily.h"
#include "model/devices/DeviceVariant.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/StockGradient.h"
#include "model/entities/TextRect.h"
#include "templates/Template.h"

#include <functional>
#include <gtest/gtest.h>

using namespace pelorama::templates;
using namespace pelorama::model;

namespace {

Theme ocean()
{
    return Theme::all().front();
}

// The screenshot of an empty layout in theme, with what add puts on it through a builder of the theme.
Screenshot& build(TestStore& store, const Theme& theme, const std::function<void(Builder&)>& add = {},
                  graphics::Size size = {400, 300})
{
    const Template item({.name = "Made", .size = size}, theme);
    Screenshot& screenshot = item.instantiateScreenshot(*store.context);
    Builder builder(*store.context, screenshot, theme);
    if (add)
        add(builder);
    return screenshot;
}

} // namespace

TEST(Builder, AScreenshotTakesTheTemplatesNameSizeAndTheThemesBackground)
{
    TestStore store;
    Theme theme = ocean();
    theme.gradientIdentifier = "quillory";
    theme.solidBackgroundColor = {0.2, 0.3, 0.4, 1};
    Screenshot& screenshot = build(store, theme, {}, {2732, 2048});
    EXPECT_EQ(screenshot.name(), "Made");
    EXPECT_EQ(screenshot.size(), (graphics::Size{2732, 2048}));
    EXPECT_EQ(screenshot.backgroundType(), BackgroundType::gradient);
    EXPECT_EQ(screenshot.solidBackgroundColor(), theme.solidBackgroundColor);
    const StockGradient* quillory = StockGradient::withIdentifier("quillory");
    EXPECT_EQ(screenshot.gradientStartColor(), quillory->startColor());
    EXPECT_EQ(screenshot.gradientEndColor(), quillory->endColor());
    EXPECT_TRUE(screenshot.drawableMappings().isEmpty());
}

TEST(Builder, AnUnknownGradientKeepsTheInsertedColoursButTakesEverythingElse)
{
    TestStore store;
    const Screenshot& plain = *Screenshot::insertInto(*store.context);
    Theme theme;
    theme.gradientIdentifier = "no such gradient";
    theme.solidBackgroundColor = {0.5, 0, 0, 1};
    Screenshot& screenshot = build(store, theme);
    EXPECT_EQ(screenshot.gradientStartColor(), plain.gradientStartColor());
    EXPECT_EQ(screenshot.gradientEndColor(), plain.gradientEndColor());
    EXPECT_EQ(screenshot.backgroundType(), BackgroundType::solid);
    EXPECT_EQ(screenshot.solidBackgroundColor(), theme.solidBackgroundColor);
    EXPECT_EQ(screenshot.size(), (graphics::Size{400, 300}));
    EXPECT_EQ(screenshot.name(), "Made");
}

TEST(Builder, CaptionsTakeTheThemesColourFaceAndShadowAtTheirOwnSize)
{
    TestStore store;
    const Theme theme = Theme::all()[1]; // Industrial
    TextRect* caption = nullptr;
    build(store, theme, [&](Builder& builder) {
        caption = &builder.addText({10, 20, 300, 40}, "Hello", graphics::TextAlignment::right,
                                   VerticalAlignment::bottom);
    });
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->rect(), (graphics::Rect{10, 20, 300, 40}));
    EXPECT_EQ(caption->text(), "Hello");
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::right);
    EXPECT_EQ(caption->verticalAlignment(), VerticalAlignment::bottom);
    EXPECT_EQ(caption->color(), theme.textColor);
    EXPECT_EQ(caption->font(), graphics::Font("AvenirNextCondensed-Regular", 50));
    EXPECT_EQ(caption->shadowType(), ShadowType::drop);
    EXPECT_EQ(caption->shadowAngle(), 270);
    EXPECT_EQ(caption->shadowDepth(), 1);
    EXPECT_EQ(caption->shadowDistance(), 3);
    EXPECT_EQ(caption->shadowBlurRadius(), 3);
    EXPECT_EQ(caption->shadowColor(), (graphics::Color{0, 0, 0, 0.66}));
}

TEST(Builder, AFaceTheFontTableLacksGivesTheSystemFontAtTheCaptionsSize)
{
    TestStore store;
    Theme theme;
    theme.fontFamily = "NoSuchFace-Regular";
    TextRect* caption = nullptr;
    build(store, theme, [&](Builder& builder) {
        caption = &builder.addText({0, 0, 100, 100}, "Text", graphics::TextAlignment::center,
                                   VerticalAlignment::center);
    });
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->font(), graphics::Font::systemFont(50));
}

TEST(Builder, ImagesTakeNothingFromTheTheme)
{
    TestStore store;
    Image* image = nullptr;
    build(store, ocean(), [&](Builder& builder) {
        image = &builder.addImage({1, 2, 3, 4}, std::nullopt, FillMode::aspectFill);
    });
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image->image().has_value());
    EXPECT_EQ(image->rect(), (graphics::Rect{1, 2, 3, 4}));
    EXPECT_EQ(image->fillMode(), FillMode::aspectFill);
    EXPECT_EQ(image->shadowType(), ShadowType::none);
}

TEST(Builder, DevicesShowTheThemesVariantsAndDeviceShadow)
{
    TestStore store;
    const Theme theme = ocean();
    DeviceImage* primary = nullptr;
    DeviceImage* secondary = nullptr;
    DeviceImage* mac = nullptr;
    Screenshot& screenshot = build(store, theme, [&](Builder& builder) {
        secondary = &builder.addSecondaryDevice("iPhone", {100, 200}, 0.5);
        primary = &builder.addDevice("iPhone", {300, 200}, 0.6);
        mac = &builder.addDevice("MacBook", {10, 20}, 0.7);
    });
    EXPECT_EQ(primary->deviceVariant().identifier(), "iPhoneSESilver");
    EXPECT_EQ(secondary->deviceVariant().identifier(), "iPhoneSESpaceGrey");
    EXPECT_EQ(mac->deviceFamily().identifier(), "MacBook");
    EXPECT_EQ(&mac->deviceVariant(), &mac->deviceFamily().variants().front());
    EXPECT_EQ(primary->position(), (graphics::Point{300, 200}));
    EXPECT_EQ(primary->scaleFactor(), 0.6);
    EXPECT_EQ(primary->orientation(), DeviceOrientation::portrait);
    for (const DeviceImage* device : {primary, secondary, mac}) {
        EXPECT_EQ(device->shadowType(), ShadowType::drop);
        EXPECT_EQ(device->shadowDistance(), 10);
        EXPECT_EQ(device->shadowBlurRadius(), 10);
        EXPECT_EQ(device->shadowColor(), (graphics::Color{0, 0, 0, 0.35}));
    }
    // One drawable and one mapping each, in the order of the calls.
    EXPECT_EQ(placedDrawables(screenshot), (std::vector<Drawable*>{secondary, primary, mac}));
}

TEST(Builder, WithoutVariantsOrWithUnknownOnesDevicesShowTheFamilysFirst)
{
    TestStore store;
    Theme theme;
    theme.preferredSecondaryDeviceVariants = {{"iPad", "noSuchVariant"}};
    DeviceImage* primary = nullptr;
    DeviceImage* secondary = nullptr;
    DeviceImage* unknown = nullptr;
    build(store, theme, [&](Builder& builder) {
        primary = &builder.addDevice("iPad", {0, 0}, 1);
        secondary = &builder.addSecondaryDevice("iPad", {0, 0}, 1);
        unknown = &builder.addDevice("Phonograph", {0, 0}, 1);
    });
    const DeviceFamily& iPad = *DeviceFamily::findWithIdentifier("iPad");
    EXPECT_EQ(&primary->deviceVariant(), &iPad.variants().front());
    EXPECT_EQ(&secondary->deviceVariant(), &iPad.variants().front());
    EXPECT_EQ(&unknown->deviceFamily(), &DeviceFamily::all().front());
    EXPECT_EQ(&unknown->deviceVariant(), &DeviceFamily::all().front().variants().front());
}

TEST(Builder, DrawablesAreMappedInTheOrderOfTheCalls)
{
    TestStore store;
    std::vector<Drawable*> added;
    Screenshot& screenshot = build(store, ocean(), [&](Builder& builder) {
        added.push_back(&builder.addImage({0, 0, 10, 10}, std::nullopt, FillMode::stretch));
        added.push_back(
            &builder.addText({0, 0, 10, 10}, "A", graphics::TextAlignment::left, VerticalAlignment::top));
        added.push_back(&builder.addDevice("iPhone", {5, 5}, 1));
        added.push_back(
            &builder.addText({0, 0, 10, 10}, "B", graphics::TextAlignment::left, VerticalAlignment::top));
    });
    EXPECT_EQ(placedDrawables(screenshot), added);
    const std::vector<Drawable*> canvas = screenshot.makeCanvas().drawables();
    ASSERT_EQ(canvas.size(), 5u);
    EXPECT_EQ(canvas.front(), &screenshot);
    EXPECT_EQ(std::vector<Drawable*>(canvas.begin() + 1, canvas.end()), added);
    EXPECT_FALSE(store.context->insertedObjects().isEmpty());
}
