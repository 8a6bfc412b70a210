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

const Template& findTemplate(const TemplateCategory& category, const QString& name, int group = 0)
{
    for (const std::unique_ptr<Template>& item : category.templateGroups()[group].templates()) {
        if (item->name() == name)
            return *item;
    }
    throw std::runtime_error("no template " + name.toStdString());
}

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

::testing::AssertionResult near(const graphics::Point& actual, const graphics::Point& expected)
{
    if (std::abs(actual.x - expected.x) > 1e-9 || std::abs(actual.y - expected.y) > 1e-9)
        return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ") is not ("
                                             << expected.x << ", " << expected.y << ")";
    return ::testing::AssertionSuccess();
}

graphics::Rect captionAbove(graphics::Size canvas, double bottom, double lowered = 0)
{
    return graphics::Rect(0, bottom - lowered, canvas.width, canvas.height - bottom + lowered)
        .insetBy(50, 25);
}

graphics::Rect captionBelow(graphics::Size canvas, double top)
{
    return graphics::Rect(0, 0, canvas.width, top).insetBy(50, 25);
}

// The caption of a Mac layout, drawn over its one window picture or device, in the fixed face whatever the
// theme's; none when the layout places something else.
const TextRect* macCaption(const Placed& placed, graphics::TextAlignment alignment)
{
    if (placed.all.size() != 2 || placed.captions.size() != 1 || placed.all.back() != placed.captions[0]) {
        ADD_FAILURE() << "not one drawable and a caption over it";
        return nullptr;
    }
    const TextRect* caption = placed.captions[0];
    EXPECT_EQ(caption->horizontalAlignment(), alignment);
    EXPECT_EQ(caption->font(), graphics::Font("HelveticaNeue-Thin", 120));
    return caption;
}

struct DeviceRow
{
    const char* layout;
    std::vector<graphics::Point> centres; // in drawing order, the primary device last
    std::vector<double> scales;
};

} // namespace

TEST(IPhoneLayouts, PlainScreenshotsReachPastTheCanvasWithTheCaptionInTheRest)
{
    TestStore store;
    const Placed above =
        place(store, findTemplate(TemplateCategory::iPhone(), "Plain Screenshot Text Above"));
    ASSERT_EQ(above.all.size(), 2u);
    ASSERT_EQ(above.images.size(), 1u);
    ASSERT_EQ(above.captions.size(), 1u);
    EXPECT_TRUE(near(above.images[0]->rect(), {124.2, -100, 993.6, 1766.4}));
    EXPECT_EQ(above.images[0]->fillMode(), FillMode::stretch);
    EXPECT_FALSE(above.images[0]->image().has_value());
    EXPECT_TRUE(near(above.captions[0]->rect(), {50, 1691.4, 1142, 491.6}));

    const Placed below =
        place(store, findTemplate(TemplateCategory::iPhone(), "Plain Screenshot Text Below"));
    ASSERT_EQ(below.all.size(), 2u);
    EXPECT_TRUE(near(below.images[0]->rect(), {124.2, 541.6, 993.6, 1766.4}));
    EXPECT_TRUE(near(below.captions[0]->rect(), {50, 25, 1142, 491.6}));
    EXPECT_EQ(below.all.front(), below.images[0]);
}

TEST(IPhoneLayouts, DevicesSitAtTheirCentresWithTheCaptionAgainstThePrimaryPhone)
{
    const DeviceRow rows[] = {
        {"Text Above", {{621, 552}}, {0.8}},
        {"Text Below", {{621, 1656}}, {0.8}},
        {"Text Above, full device", {{621, 883.2}}, {0.5}},
        {"Staggered", {{745.2, 640.32}, {496.8, 750.72}}, {0.65, 0.65}},
        {"Side By Side", {{869.4, 883.2}, {403.65, 883.2}}, {0.45, 0.5}},
    };
    const graphics::Size canvas{1242, 2208};
    TestStore store;
    for (const DeviceRow& row : rows) {
        SCOPED_TRACE(row.layout);
        // Ocean: the primary phone is silver, a secondary one space grey.
        const Placed placed = place(store, findTemplate(TemplateCategory::iPhone(), row.layout));
        ASSERT_EQ(placed.devices.size(), row.centres.size());
        ASSERT_EQ(placed.captions.size(), 1u);
        ASSERT_EQ(placed.all.size(), row.centres.size() + 1);
        EXPECT_EQ(placed.all.back(), placed.captions[0]);
        for (size_t index = 0; index < row.centres.size(); ++index) {
            EXPECT_TRUE(near(placed.devices[index]->position(), row.centres[index]));
            EXPECT_EQ(placed.devices[index]->scaleFactor(), row.scales[index]);
            EXPECT_EQ(placed.devices[index]->deviceFamily().identifier(), "iPhone");
            const bool isPrimary = index + 1 == row.centres.size();
            EXPECT_EQ(placed.devices[index]->deviceVariant().identifier(),
                      isPrimary ? "iPhoneSESilver" : "iPhoneSESpaceGrey");
        }
        const graphics::Rect device = placed.devices.back()->rect();
        const bool below = QString(row.layout) == "Text Below";
        EXPECT_TRUE(near(placed.captions[0]->rect(),
                         below ? captionBelow(canvas, device.minY()) : captionAbove(canvas, device.maxY())));
        EXPECT_EQ(placed.captions[0]->text(), "Your text here!");
        EXPECT_EQ(placed.captions[0]->horizontalAlignment(), graphics::TextAlignment::center);
        EXPECT_EQ(placed.captions[0]->verticalAlignment(), VerticalAlignment::center);
        EXPECT_EQ(placed.captions[0]->font(), graphics::Font("AvenirNext-Regular", 50));
    }
}

TEST(IPadLayouts, TwoScreenshotsFillOppositeCornersAndCaptionsTheOthers)
{
    TestStore store;
    const Placed placed = place(store, findTemplate(TemplateCategory::iPad(), "Two Screenshots"));
    ASSERT_EQ(placed.all.size(), 4u);
    ASSERT_EQ(placed.images.size(), 2u);
    ASSERT_EQ(placed.captions.size(), 2u);
    EXPECT_EQ(placed.all[0], placed.images[0]);
    EXPECT_EQ(placed.all[1], placed.images[1]);
    EXPECT_TRUE(near(placed.images[0]->rect(), {0, 696.32, 1803.12, 1351.68}));
    EXPECT_TRUE(near(placed.images[1]->rect(), {928.88, 0, 1803.12, 1351.68}));
    EXPECT_TRUE(near(placed.captions[0]->rect(), {1853.12, 1401.68, 828.88, 596.32}));
    EXPECT_TRUE(near(placed.captions[1]->rect(), {50, 50, 828.88, 596.32}));
    for (const TextRect* caption : placed.captions) {
        EXPECT_EQ(caption->font(), graphics::Font("HelveticaNeue-Thin", 80));
        EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::center);
    }
}

TEST(IPadLayouts, TabletsTurnBeforeTheirCaptionIsPlacedInAThinFace)
{
    struct Row
    {
        const char* layout;
        graphics::Size canvas;
        graphics::Point centre;
        DeviceOrientation orientation;
        bool captionAbove;
    };
    const Row rows[] = {
        {"Landscape Text Above", {2732, 2048}, {1366, 614.4}, DeviceOrientation::landscapeLeft, true},
        {"Landscape Text Below", {2732, 2048}, {1366, 1433.6}, DeviceOrientation::landscapeLeft, false},
        {"Portrait Text Above", {2048, 2732}, {1024, 819.6}, DeviceOrientation::portrait, true},
        {"Portrait Text Below", {2048, 2732}, {1024, 1912.4}, DeviceOrientation::portrait, false},
    };
    TestStore store;
    for (int group : {0, 5}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.layout);
            const Template& item = findTemplate(TemplateCategory::iPad(), row.layout, group);
            const Placed placed = place(store, item);
            ASSERT_EQ(placed.all.size(), 2u);
            ASSERT_EQ(placed.devices.size(), 1u);
            const DeviceImage& device = *placed.devices[0];
            EXPECT_TRUE(near(device.position(), row.centre));
            EXPECT_EQ(device.scaleFactor(), 0.7);
            EXPECT_EQ(device.orientation(), row.orientation);
            EXPECT_EQ(device.deviceFamily().identifier(), "iPad");
            EXPECT_EQ(device.deviceVariant().identifier(),
                      item.theme().preferredDeviceVariants.value("iPad"));
            const graphics::Rect frame = device.rect();
            // A turned tablet is wider than high.
            EXPECT_EQ(frame.size.width > frame.size.height, row.orientation != DeviceOrientation::portrait);
            const TextRect& caption = *placed.captions[0];
            EXPECT_TRUE(near(caption.rect(), row.captionAbove ? captionAbove(row.canvas, frame.maxY())
                                                              : captionBelow(row.canvas, frame.minY())));
            // Whatever the theme's face.
            EXPECT_EQ(caption.font(), graphics::Font("HelveticaNeue-Thin", 80));
            EXPECT_EQ(caption.color(), item.theme().textColor);
        }
    }
}

TEST(MacLayouts, WindowsLeaveTheRestOfTheCanvasToTheirCaption)
{
    struct Row
    {
        const char* layout;
        graphics::Rect image;
        graphics::Rect caption;
        graphics::TextAlignment alignment;
    };
    const Row rows[] = {
        {"Text Above Window", {50, 50, 2780, 1188}, {50, 1263, 2780, 512}, graphics::TextAlignment::center},
        {"Text Below Window", {50, 562, 2780, 1188}, {50, 25, 2780, 512}, graphics::TextAlignment::center},
        {"Text Right Of Window", {50, 50, 1365, 1700}, {1465, 50, 1315, 1700}, graphics::TextAlignment::left},
        {"Text Left Of Window", {1465, 50, 1365, 1700}, {100, 50, 1315, 1700}, graphics::TextAlignment::left},
    };
    TestStore store;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.layout);
        const Placed placed = place(store, findTemplate(TemplateCategory::mac(), row.layout, 3));
        const TextRect* caption = macCaption(placed, row.alignment);
        ASSERT_NE(caption, nullptr);
        ASSERT_EQ(placed.images.size(), 1u);
        EXPECT_TRUE(near(placed.images[0]->rect(), row.image));
        EXPECT_EQ(placed.images[0]->fillMode(), FillMode::aspectFit);
        EXPECT_TRUE(near(caption->rect(), row.caption));
    }
}

TEST(MacLayouts, DevicesSitAtTheirCentresWithTheCaptionBesideOrAbove)
{
    struct Row
    {
        const char* layout;
        const char* family;
        graphics::Point centre;
        double scale;
        graphics::Rect (*caption)(const graphics::Rect& device);
        graphics::TextAlignment alignment;
    };
    using graphics::Rect;
    using graphics::TextAlignment;
    const Row rows[] = {
        {"iMac Left",
         "iMac",
         {576, 900},
         0.7,
         [](const Rect& d) { return Rect(d.maxX() + 50, 50, 2880 - d.maxX() - 150, 1700); },
         TextAlignment::left},
        {"iMac Right",
         "iMac",
         {2304, 900},
         0.7,
         [](const Rect& d) { return Rect(100, 50, d.minX() - 150, 1700); },
         TextAlignment::left},
        {"Text Above iMac",
         "iMac",
         {1440, 630},
         0.7,
         [](const Rect& d) {
             return captionAbove({2880, 1800}, d.maxY());
         },
         TextAlignment::center},
        {"MacBook Left",
         "MacBook",
         {432, 900},
         0.75,
         [](const Rect& d) { return Rect(d.maxX() - 200, 50, 2880 - d.maxX() + 100, 1700); },
         TextAlignment::left},
        {"MacBook Right",
         "MacBook",
         {2448, 900},
         0.75,
         [](const Rect& d) { return Rect(100, 50, d.minX() + 100, 1700); },
         TextAlignment::left},
        {"Text Above MacBook",
         "MacBook",
         {1440, 540},
         0.7,
         [](const Rect& d) {
             return captionAbove({2880, 1800}, d.maxY(), 100);
         },
         TextAlignment::center},
    };
    TestStore store;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.layout);
        const Placed placed = place(store, findTemplate(TemplateCategory::mac(), row.layout, 4));
        const TextRect* caption = macCaption(placed, row.alignment);
        ASSERT_NE(caption, nullptr);
        ASSERT_EQ(placed.devices.size(), 1u);
        const DeviceImage& device = *placed.devices[0];
        EXPECT_TRUE(near(device.position(), row.centre));
        EXPECT_EQ(device.scaleFactor(), row.scale);
        EXPECT_EQ(device.orientation(), DeviceOrientation::portrait);
        EXPECT_EQ(device.deviceFamily().identifier(), row.family);
        EXPECT_EQ(&device.deviceVariant(), &device.deviceFamily().variants().front());
        EXPECT_FALSE(device.rect().isEmpty());
        EXPECT_TRUE(near(caption->rect(), row.caption(device.rect())));
    }
}

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
