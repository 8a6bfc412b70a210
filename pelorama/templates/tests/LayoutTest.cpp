#include "TestStore.h"
#include "model/devices/DeviceFamily.h"
#include "model/devices/DeviceVariant.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "templates/TemplateCategory.h"

#include <gtest/gtest.h>

using namespace pelorama::templates;
using namespace pelorama::model;

namespace {

// The drawables a template places, by kind, in drawing order.
struct Placed
{
    std::vector<Drawable*> all;
    std::vector<Image*> images;
    std::vector<DeviceImage*> devices;
    std::vector<TextRect*> captions;
};

Placed place(TestStore& store, const Template& item)
{
    Placed placed;
    placed.all = placedDrawables(item.instantiateScreenshot(*store.context));
    for (Drawable* drawable : placed.all) {
        if (auto* image = dynamic_cast<Image*>(drawable))
            placed.images.push_back(image);
        if (auto* device = dynamic_cast<DeviceImage*>(drawable))
            placed.devices.push_back(device);
        if (auto* caption = dynamic_cast<TextRect*>(drawable))
            placed.captions.push_back(caption);
    }
    return placed;
}

::testing::AssertionResult near(const graphics::Rect& actual, const graphics::Rect& expected)
{
    const double values[][2] = {{actual.origin.x, expected.origin.x},
                                {actual.origin.y, expected.origin.y},
                                {actual.size.width, expected.size.width},
                                {actual.size.height, expected.size.height}};
    for (const auto& [a, e] : values) {
        if (std::abs(a - e) > 1e-9)
            return ::testing::AssertionFailure()
                   << "(" << actual.origin.x << ", " << actual.origin.y << ", " << actual.size.width << ", "
                   << actual.size.height << ") is not (" << expected.origin.x << ", " << expected.origin.y
                   << ", " << expected.size.width << ", " << expected.size.height << ")";
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(TemplateLayout, EveryBuiltInCaptionLiesInsideItsCanvasDrawnOverTheDevicesAndPictures)
{
    TestStore store;
    for (const TemplateCategory& category : TemplateCategory::all()) {
        for (const TemplateGroup& group : category.templateGroups()) {
            for (const std::unique_ptr<Template>& item : group.templates()) {
                SCOPED_TRACE((group.name() + " " + item->name()).toStdString());
                const Placed placed = place(store, *item);
                ASSERT_FALSE(placed.captions.empty());
                const graphics::Rect canvas({0, 0}, item->size());
                for (const TextRect* caption : placed.captions) {
                    EXPECT_FALSE(caption->rect().isEmpty());
                    EXPECT_TRUE(canvas.contains(caption->rect()));
                    EXPECT_EQ(caption->text(), "Your text here!");
                    EXPECT_EQ(caption->verticalAlignment(), VerticalAlignment::center);
                }
                const size_t underneath = placed.all.size() - placed.captions.size();
                EXPECT_EQ(std::vector<Drawable*>(placed.all.begin() + underneath, placed.all.end()),
                          std::vector<Drawable*>(placed.captions.begin(), placed.captions.end()));
            }
        }
    }
}

TEST(TemplateLayout, LengthsCountFromTheCanvasAndTheLastDeviceOrPicturePlaced)
{
    using namespace layout;
    const TemplateLayout layout{
        .name = "Made",
        .size = {400, 300},
        .elements = {TemplateLayout::Picture{{0.25 * W, 10, 0.5 * W, 0.5 * H}, FillMode::aspectFill},
                     TemplateLayout::Caption{{maxX + 5, minY, W - maxX - 10, H - maxY - 20},
                                             2,
                                             1,
                                             graphics::TextAlignment::right},
                     TemplateLayout::Caption{{0, 0, 0.25 * W, minY}}},
    };
    TestStore store;
    const Placed placed = place(store, Template(layout, Theme()));
    ASSERT_EQ(placed.images.size(), 1u);
    ASSERT_EQ(placed.captions.size(), 2u);
    EXPECT_EQ(placed.images[0]->rect(), (graphics::Rect{100, 10, 200, 150}));
    EXPECT_EQ(placed.images[0]->fillMode(), FillMode::aspectFill);
    // Right of the picture, level with its bottom, up to 20 below the top; then inset by 2 and 1.
    EXPECT_EQ(placed.captions[0]->rect(), (graphics::Rect{307, 11, 86, 118}));
    EXPECT_EQ(placed.captions[0]->horizontalAlignment(), graphics::TextAlignment::right);
    EXPECT_EQ(placed.captions[1]->rect(), (graphics::Rect{0, 0, 100, 10}));
    // Without a face of the layout's own, captions keep the theme's at their inserted size.
    EXPECT_EQ(placed.captions[1]->font(), graphics::Font("HelveticaNeue-Light", 50));
}

TEST(TemplateLayout, CaptionsArePlacedAgainstADeviceAsTurnedAndTakeTheLayoutsFace)
{
    using namespace layout;
    const TemplateLayout layout{
        .name = "Made",
        .size = {2000, 1000},
        .captionFace = TemplateLayout::CaptionFace{"HelveticaNeue-Thin", 33},
        .elements = {TemplateLayout::Device{"iPad", 0.25, 0.5, 0.3, DeviceOrientation::landscapeRight, true},
                     TemplateLayout::Caption{{minX, maxY, maxX - minX, 10}}},
    };
    TestStore store;
    const Placed placed = place(store, Template(layout, Theme::all().front()));
    ASSERT_EQ(placed.devices.size(), 1u);
    ASSERT_EQ(placed.captions.size(), 1u);
    const DeviceImage& device = *placed.devices[0];
    EXPECT_EQ(device.position(), (graphics::Point{500, 500}));
    EXPECT_EQ(device.orientation(), DeviceOrientation::landscapeRight);
    EXPECT_EQ(device.deviceVariant().identifier(), "iPadPro97SpaceGrey");
    const graphics::Rect frame = device.rect();
    EXPECT_GT(frame.width(), frame.height());
    EXPECT_TRUE(near(placed.captions[0]->rect(), {frame.minX(), frame.maxY(), frame.width(), 10}));
    EXPECT_EQ(placed.captions[0]->font(), graphics::Font("HelveticaNeue-Thin", 33));
}

TEST(TemplateLayoutDeathTest, AFamilyTheCatalogueLacksOrAnEdgeOfNothingStopsTheBuild)
{
    using namespace layout;
    TestStore store;
    const Template unknownFamily(
        {.name = "Made", .size = {100, 100}, .elements = {TemplateLayout::Device{"Phonograph"}}}, Theme());
    EXPECT_DEATH(unknownFamily.instantiateScreenshot(*store.context), "no family \"Phonograph\"");
    const Template noAnchor(
        {.name = "Made", .size = {100, 100}, .elements = {TemplateLayout::Caption{{0, maxY, W, 10}}}},
        Theme());
    EXPECT_DEATH(noAnchor.instantiateScreenshot(*store.context), "\"Made\" places something against nothing");
}
