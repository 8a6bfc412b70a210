#include "DocumentStack.h"
#include "ledgerline/core/PropertyCollection.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/ShadowSettings.h"
#include "model/entities/TextRect.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pelorama::model;

class ShadowTest : public testing::Test
{
protected:
    DocumentStack stack = DocumentStack::inMemory();
};

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

// A store (made by hand, or by another program) may hold numbers far beyond what the inspector and the
// templates make. Opened, each reads, shows in the inspector and is saved again as it is stored; a render
// draws it within the renderer's bounds, and opening and rendering change nothing of the store.
TEST(StoredShadows, NumbersOpenShowAndSaveAsStoredAndRender)
{
    struct Case
    {
        ShadowType type;
        const char* key;
        double stored;
        const char* row;
    };
    const Case cases[] = {{ShadowType::directional, "shadowDepth", 12, "Depth"},
                          {ShadowType::directional, "shadowDepth", 1e6, "Depth"},
                          {ShadowType::directional, "shadowDepth", -2, "Depth"},
                          {ShadowType::drop, "shadowBlurRadius", 150, "Blur radius"},
                          {ShadowType::drop, "shadowBlurRadius", 1e15, "Blur radius"},
                          {ShadowType::drop, "shadowDistance", 1e300, "Distance"},
                          {ShadowType::drop, "shadowDistance", -7, "Distance"},
                          {ShadowType::drop, "shadowAngle", -30, "Angle"},
                          {ShadowType::none, "scaleFactor", 7, "Scale factor"},
                          {ShadowType::directional, "scaleFactor", 25, "Scale factor"},
                          {ShadowType::drop, "scaleFactor", -1e300, "Scale factor"}};
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.key << " " << test.stored);
        const bool ofDevice = QString(test.key) == "scaleFactor";
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("document.sqlite"));
        {
            DocumentStack saved = DocumentStack::sqlite(path);
            Screenshot* screenshot = Screenshot::insertInto(*saved.context);
            screenshot->setSize({600, 400});
            Entity* drawable = nullptr;
            if (ofDevice) {
                DeviceImage* device = DeviceImage::insertInto(*saved.context, {300, 200}, 0.1);
                device->setShadowType(test.type);
                drawable = device;
            } else {
                TextRect* caption =
                    TextRect::insertInto(*saved.context, {50, 150, 500, 100}, "Hello",
                                         graphics::TextAlignment::center, VerticalAlignment::center);
                caption->setShadowType(test.type);
                drawable = caption;
            }
            drawable->storeValue(test.stored, test.key);
            DrawableMapping::insert(dynamic_cast<Drawable&>(*drawable), *screenshot, *saved.context);
            ASSERT_TRUE(saved.context->save());
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        const auto open = [&](DocumentStack& stack) -> std::pair<Screenshot*, Entity*> {
            const auto screenshots = stack.context->execute(Screenshot::fetchRequest());
            if (!screenshots || screenshots->size() != 1)
                return {nullptr, nullptr};
            auto* screenshot = dynamic_cast<Screenshot*>(screenshots->front());
            return {screenshot, dynamic_cast<Entity*>(screenshot->drawableMappings().front()->drawable())};
        };
        {
            DocumentStack opened = DocumentStack::sqlite(path);
            const auto [screenshot, drawable] = open(opened);
            ASSERT_NE(drawable, nullptr);
            EXPECT_EQ(drawable->valueForKey(test.key), QVariant(test.stored));
            const auto inspector = drawable->makePropertyCollection();
            QVariant shown;
            for (const auto& group : inspector->groups()) {
                for (const auto& property : group->properties()) {
                    if (property->name() == test.row)
                        shown = property->value();
                }
            }
            EXPECT_EQ(shown, QVariant(test.stored));
            const graphics::Image seen = DetachedCanvas(screenshot->makeCanvas())
                                             .render(CanvasRenderingMode::exportImage, {600, 400}, 1);
            EXPECT_FALSE(seen.representations().empty());
            EXPECT_FALSE(opened.context->hasChanges());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), before);
            file.close();

            // Saved again with another change, it keeps the number.
            screenshot->setName("Edited");
            ASSERT_TRUE(opened.context->save());
        }
        DocumentStack reopened = DocumentStack::sqlite(path);
        const auto [screenshot, drawable] = open(reopened);
        ASSERT_NE(drawable, nullptr);
        EXPECT_EQ(screenshot->name(), "Edited");
        EXPECT_EQ(drawable->primitiveValue(test.key), QVariant(test.stored));
    }
}
