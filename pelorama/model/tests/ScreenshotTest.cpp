#include "model/entities/Screenshot.h"

#include "DocumentStack.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/KeyValueObservation.h"
#include "foundation/Values.h"
#include "graphics/GraphicsContext.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/StockGradient.h"
#include "model/entities/ValidationError.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/RenderResources.h"
#include "model/rendering/SnapshotDrawing.h"
#include "tessaline/Shared/ColorComponents.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

// Renders drawable alone into a bitmap of pixels, with canvas of canvasSize points at one pixel each.
// Renders the background of screenshot alone into a bitmap of pixels, with a canvas of canvasSize points
// at one pixel each.
QImage drawAlone(const Screenshot& screenshot, graphics::Size canvasSize, int width, int height,
                 const QColor& underneath = Qt::transparent)
{
    QImage bitmap = graphics::GraphicsContext::makeBitmap(width, height);
    bitmap.fill(underneath);
    {
        graphics::GraphicsContext context(bitmap);
        draw(std::get<BackgroundSnapshot>(screenshot.snapshot()),
             CanvasRenderingContext{
                 context, RenderResources::shared(), {}, 1, CanvasRenderingMode::exportImage, canvasSize});
    }
    return bitmap;
}

} // namespace

class ScreenshotTest : public testing::Test
{
protected:
    Screenshot* insert(const QString& name)
    {
        Screenshot* screenshot = Screenshot::insertInto(*stack.context);
        screenshot->setName(name);
        return screenshot;
    }

    DocumentStack stack = DocumentStack::inMemory();
};

TEST_F(ScreenshotTest, StockGradientFollowsTheTwoGradientColours)
{
    Screenshot* screenshot = Screenshot::insertInto(*stack.context);
    const StockGradient* row7 = StockGradient::all()[7];
    std::vector<QVariant> reported;
    foundation::KeyValueObservation observation(screenshot, "stockGradient",
                                                foundation::KeyValueObservation::InitialValue::skip,
                                                [&](const QVariant& value) { reported.push_back(value); });

    foundation::setValueForKey(screenshot, QVariant::fromValue(row7), "stockGradient");
    EXPECT_EQ(screenshot->gradientStartColor(), row7->startColor());
    EXPECT_EQ(screenshot->gradientEndColor(), row7->endColor());
    EXPECT_EQ(screenshot->stockGradient(), row7);
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back().value<const StockGradient*>(), row7);

    screenshot->setGradientEndColor(graphics::Color{0.067, 0.282, 0.574, 1});
    EXPECT_EQ(screenshot->stockGradient(), nullptr);
    EXPECT_TRUE(foundation::isNil(reported.back()));

    // None changes nothing, and the background type and solid colour never follow.
    screenshot->setBackgroundType(BackgroundType::solid);
    const auto solid = screenshot->solidBackgroundColor();
    foundation::setValueForKey(screenshot, foundation::nilValue(), "stockGradient");
    screenshot->setStockGradient(StockGradient::all()[3]);
    EXPECT_EQ(screenshot->backgroundType(), BackgroundType::solid);
    EXPECT_EQ(screenshot->solidBackgroundColor(), solid);
    EXPECT_EQ(foundation::valueForKey(screenshot, "stockGradient").value<const StockGradient*>(),
              StockGradient::all()[3]);
}

TEST_F(ScreenshotTest, ProposedNamesAreMadeUnique)
{
    insert("Home");
    insert("Home 2");
    Screenshot* screenshot = insert("Home");
    ASSERT_TRUE(screenshot->validateProposedName());
    EXPECT_EQ(screenshot->name(), "Home 3");

    const std::vector<std::pair<QString, QString>> cases{
        {"Shot 9", "Shot 10"},
        {"Shot 09", "Shot 10"},
        {"Shot +4", "Shot 5"},
        {"Shot -1", "Shot 0"},
        {"Intro", "Intro 2"},
        {"", " 2"},
        {"A  B", "A  B 2"},
        {"7", "8"},
        {"Shot 9223372036854775807", "Shot 9223372036854775807 2"},
        {"Shot 1e3", "Shot 1e3 2"},
    };
    for (const auto& [taken, expected] : cases) {
        insert(taken);
        Screenshot* other = insert(taken);
        ASSERT_TRUE(other->validateProposedName());
        EXPECT_EQ(other->name(), expected) << taken.toStdString();
        stack.context->deleteObject(other);
    }

    // Several screenshots take their names in turn; the save after them keeps its check.
    insert("Team");
    Screenshot* first = insert("Team");
    Screenshot* second = insert("Team");
    ASSERT_TRUE(Screenshot::validateProposedNames({first, second}));
    EXPECT_EQ(first->name(), "Team 2");
    EXPECT_EQ(second->name(), "Team 3");
    ASSERT_TRUE(Screenshot::validateProposedNames({second}));
    first->setName("Team 3");
    EXPECT_FALSE(stack.context->save());
}

// A name no other screenshot has is written again all the same, once, and whoever observes it hears it.
TEST_F(ScreenshotTest, AUniqueNameIsStillWrittenOnceAndHeard)
{
    insert("Home");
    Screenshot* screenshot = insert("Detail");
    stack.context->processPendingChanges();
    QVariantList heard;
    const foundation::KeyValueObservation observation(screenshot, "name",
                                                      foundation::KeyValueObservation::InitialValue::skip,
                                                      [&](const QVariant& value) { heard.push_back(value); });
    ASSERT_TRUE(screenshot->validateProposedName());
    EXPECT_EQ(screenshot->name(), "Detail");
    EXPECT_EQ(heard, QVariantList{QVariant("Detail")});
}

TEST_F(ScreenshotTest, NameValidationRefusesADuplicate)
{
    Screenshot* a = insert("A");
    Screenshot* b = insert("B");
    const store::Result<void> duplicate = b->validateName("A");
    ASSERT_FALSE(duplicate);
    EXPECT_EQ(duplicate.error().code(), store::Error::Code::validation);
    EXPECT_EQ(duplicate.error().message(), "The name of the screenshot must be unique");
    EXPECT_TRUE(a->validateName("A"));
    EXPECT_TRUE(b->validateName(QVariant()));
    EXPECT_TRUE(b->validateName(42));
    // Canonically equivalent spellings are the same name.
    a->setName(QString::fromUtf8("Caf\u00e9"));
    EXPECT_FALSE(b->validateName(QString::fromUtf8("Cafe\u0301")));

    ASSERT_TRUE(stack.context->save());
    b->setName(a->name());
    const store::Result<void> saved = stack.context->save();
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().message(), "The name of the screenshot must be unique");
    EXPECT_EQ(ValidationError{"The name of the screenshot must be unique"}.localizedDescription(),
              "The name of the screenshot must be unique");
}

TEST_F(ScreenshotTest, ACanvasStartsWithTheScreenshotAndFollowsTheMappings)
{
    Screenshot* screenshot = insert("Canvas");
    screenshot->setSize({1242, 2208});
    const Canvas bare = screenshot->makeCanvas();
    EXPECT_EQ(bare.size(), (graphics::Size{1242, 2208}));
    ASSERT_EQ(bare.drawables().size(), 1u);
    EXPECT_EQ(bare.drawables().front(), static_cast<Drawable*>(screenshot));

    Image* first = Image::insertInto(*stack.context);
    Image* second = Image::insertInto(*stack.context);
    DrawableMapping::insert(*first, *screenshot, *stack.context);
    DrawableMapping* lost = DrawableMapping::insert(*second, *screenshot, *stack.context);
    lost->setIdentifier("nothing");
    lost->setDrawable(nullptr);
    DrawableMapping::insert(*second, *screenshot, *stack.context);
    const Canvas canvas = screenshot->makeCanvas();
    EXPECT_EQ(canvas.drawables(), (std::vector<Drawable*>{screenshot, first, second}));
}

TEST_F(ScreenshotTest, ASolidBackgroundReplacesTheCanvasRectangleOnly)
{
    Screenshot* screenshot = insert("Solid");
    screenshot->setBackgroundType(BackgroundType::solid);
    screenshot->setSolidBackgroundColor(graphics::Color{1, 0, 0, 0.5});
    const QImage bitmap = drawAlone(*screenshot, {6, 4}, 10, 8, Qt::blue);
    // Copy compositing: the half-transparent red replaces the blue underneath.
    EXPECT_EQ(bytesAt(bitmap, 0, 7), (std::array<int, 4>{128, 0, 0, 128}));
    EXPECT_EQ(bytesAt(bitmap, 5, 4), (std::array<int, 4>{128, 0, 0, 128}));
    EXPECT_EQ(bytesAt(bitmap, 6, 7), (std::array<int, 4>{0, 0, 255, 255}));
    EXPECT_EQ(bytesAt(bitmap, 0, 3), (std::array<int, 4>{0, 0, 255, 255}));
}

TEST_F(ScreenshotTest, AGradientBackgroundFillsTheWholeBitmap)
{
    Screenshot* screenshot = insert("Gradient");
    screenshot->setGradientStartColor(graphics::Color{0, 0, 0, 1});
    screenshot->setGradientEndColor(graphics::Color{1, 1, 1, 1});
    const QImage bitmap = drawAlone(*screenshot, {2, 2}, 4, 4);
    for (int row = 0; row < 4; ++row) {
        const int grey = int(255 - 63.75 * row);
        EXPECT_EQ(bytesAt(bitmap, 3, row), (std::array<int, 4>{grey, grey, grey, 255}));
    }
}

TEST_F(ScreenshotTest, ABackgroundWithoutColoursPaintsANewScreenshotsColours)
{
    Screenshot* screenshot = insert("Empty");
    const Screenshot* fresh = insert("Fresh");
    const QImage gradient = drawAlone(*screenshot, {4, 4}, 4, 4);
    screenshot->setGradientStartColor(std::nullopt);
    screenshot->setGradientEndColor(std::nullopt);
    EXPECT_EQ(drawAlone(*screenshot, {4, 4}, 4, 4), gradient);

    screenshot->setBackgroundType(BackgroundType::solid);
    screenshot->setSolidBackgroundColor(std::nullopt);
    const QImage solid = drawAlone(*screenshot, {4, 4}, 4, 4);
    const graphics::Color expected = fresh->solidBackgroundColor();
    EXPECT_EQ(solid.pixelColor(1, 1).alpha(), 255);
    EXPECT_NEAR(solid.pixelColor(1, 1).redF(), expected.red, 1.0 / 255);
    EXPECT_NEAR(solid.pixelColor(1, 1).greenF(), expected.green, 1.0 / 255);
    EXPECT_NEAR(solid.pixelColor(1, 1).blueF(), expected.blue, 1.0 / 255);
}

TEST(ScreenshotStore, AScreenshotWithAGradientAndAMappingReopensEqual)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("persistentStore");
    QString imageIdentifier;
    {
        auto stack = DocumentStack::sqlite(path);
        Screenshot* screenshot = Screenshot::insertInto(*stack.context);
        screenshot->setName("Home");
        screenshot->setOrder(2);
        screenshot->setSize({1242, 2208});
        screenshot->setStockGradient(StockGradient::all()[7]);
        Image* image = Image::insertInto(*stack.context);
        image->setRect(graphics::Rect(10, 20, 300, 400.5));
        image->setShadowColor(graphics::Color{0.1, 0.2, 0.3, 0.4, graphics::ColorSpace::deviceRGB});
        imageIdentifier = image->uniqueIdentifier();
        DrawableMapping::insert(*image, *screenshot, *stack.context);
        testing::internal::CaptureStdout();
        const store::Result<void> saved = stack.context->save();
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(saved) << saved.error().message().toStdString();
    }
    auto stack = DocumentStack::sqlite(path);
    const auto screenshots = stack.context->execute(Screenshot::fetchRequest());
    ASSERT_TRUE(screenshots);
    ASSERT_EQ(screenshots->size(), 1);
    auto* screenshot = dynamic_cast<Screenshot*>(screenshots->first());
    ASSERT_TRUE(screenshot);
    EXPECT_EQ(screenshot->name(), "Home");
    EXPECT_EQ(screenshot->order(), 2);
    EXPECT_EQ(screenshot->size(), (graphics::Size{1242, 2208}));
    EXPECT_EQ(screenshot->backgroundType(), BackgroundType::gradient);
    EXPECT_EQ(screenshot->stockGradient(), StockGradient::all()[7]);
    EXPECT_EQ(screenshot->gradientStartColor(), StockGradient::all()[7]->startColor());
    EXPECT_EQ(screenshot->solidBackgroundColor(),
              tessaline::interpolate(StockGradient::all()[0]->startColor(),
                                     StockGradient::all()[0]->endColor(), 0.5));
    const QList<DrawableMapping*> mappings = screenshot->drawableMappings();
    ASSERT_EQ(mappings.size(), 1);
    EXPECT_EQ(mappings.first()->drawableType(), "Image");
    EXPECT_EQ(mappings.first()->identifier(), imageIdentifier);
    EXPECT_EQ(mappings.first()->screenshot(), screenshot);
    auto* image = dynamic_cast<Image*>(mappings.first()->drawable());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->rect(), graphics::Rect(10, 20, 300, 400.5));
    EXPECT_EQ(image->shadowColor(), (graphics::Color{0.1, 0.2, 0.3, 0.4, graphics::ColorSpace::deviceRGB}));
    EXPECT_EQ(image->shadowAngle(), 270);
    EXPECT_EQ(screenshot->makeCanvas().drawables(), (std::vector<Drawable*>{screenshot, image}));
}

TEST(ScreenshotStore, DeletingAScreenshotDeletesItsMappingsAndTheirDrawables)
{
    auto stack = DocumentStack::inMemory();
    Screenshot* screenshot = Screenshot::insertInto(*stack.context);
    Image* image = Image::insertInto(*stack.context);
    DrawableMapping* mapping = DrawableMapping::insert(*image, *screenshot, *stack.context);
    stack.context->deleteObject(screenshot);
    EXPECT_TRUE(mapping->isDeleted());
    EXPECT_TRUE(image->isDeleted());
    EXPECT_EQ(stack.context->execute(Image::fetchRequest())->size(), 0);
}
