#include "DocumentStack.h"
#include "ledgerline/PropertyCollection.h"
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

// A store (made by hand, or by another program) may hold shadow values far beyond what the inspector and
// paste take. Opened, each reads, shows in the inspector and renders as the end of its range, in bounded
// time; nothing of the store changes until the user edits.
TEST(StoredShadows, ValuesBeyondTheirRangeOpenAsItsEndAndLeaveTheStoreAsItWas)
{
    struct Case
    {
        ShadowType type;
        const char* key;
        double stored;
        double read;
    };
    const Case cases[] = {{ShadowType::drop, "shadowBlurRadius", 1e15, 100},
                          {ShadowType::drop, "shadowBlurRadius", 1e9, 100},
                          {ShadowType::drop, "shadowDistance", 1e300, 100},
                          {ShadowType::directional, "shadowDepth", 1e6, 10}};
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.key << " " << test.stored);
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("document.sqlite"));
        {
            DocumentStack saved = DocumentStack::sqlite(path);
            Screenshot* screenshot = Screenshot::insertInto(*saved.context);
            screenshot->setSize({2880, 1800});
            TextRect* caption =
                TextRect::insertInto(*saved.context, {300, 700, 2200, 400}, "Hello",
                                     graphics::TextAlignment::center, VerticalAlignment::center);
            caption->setFont(graphics::Font("AvenirNext-Regular", 200));
            caption->setShadowType(test.type);
            caption->storeValue(test.stored, test.key);
            DrawableMapping::insert(*caption, *screenshot, *saved.context);
            ASSERT_TRUE(saved.context->save());
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        DocumentStack opened = DocumentStack::sqlite(path);
        const auto screenshots = opened.context->execute(Screenshot::fetchRequest());
        ASSERT_TRUE(screenshots && screenshots->size() == 1);
        auto* screenshot = dynamic_cast<Screenshot*>(screenshots->front());
        auto* caption = dynamic_cast<TextRect*>(screenshot->drawableMappings().front()->drawable());
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->valueForKey(test.key), QVariant(test.read));
        const auto inspector = caption->makePropertyCollection();
        const graphics::Image seen = DetachedCanvas(screenshot->makeCanvas())
                                         .render(CanvasRenderingMode::exportImage, {2880, 1800}, 1);
        EXPECT_FALSE(opened.context->hasChanges());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), before);

        caption->setValueForKey(test.read, test.key);
        const graphics::Image edited = DetachedCanvas(screenshot->makeCanvas())
                                           .render(CanvasRenderingMode::exportImage, {2880, 1800}, 1);
        EXPECT_TRUE(seen.representations().front().bitmap() == edited.representations().front().bitmap());
        caption->setShadowType(ShadowType::none);
        const graphics::Image plain = DetachedCanvas(screenshot->makeCanvas())
                                          .render(CanvasRenderingMode::exportImage, {2880, 1800}, 1);
        EXPECT_FALSE(plain.representations().front().bitmap() == edited.representations().front().bitmap());
    }
}
