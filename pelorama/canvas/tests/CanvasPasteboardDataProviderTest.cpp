#include "canvas/CanvasPasteboardDataProvider.h"

#include "model/entities/DocumentModel.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QImage>
#include <gtest/gtest.h>
#include <memory>

using pelorama::canvas::CanvasPasteboardDataProvider;
using pelorama::model::Canvas;

namespace {

using namespace pelorama::model;

// A main-queue context over an in-memory store of the document model.
struct Store
{
    Store()
    {
        EXPECT_TRUE(coordinator->addPersistentStore(store::PersistentStore::Type::inMemory, {}).hasValue());
        context->setPersistentStoreCoordinator(coordinator);
    }

    // A screenshot of size painting a solid colour.
    Screenshot* screenshot(graphics::Size size, graphics::Color color) const
    {
        Screenshot* made = Screenshot::insertInto(*context);
        made->setSize(size);
        made->setBackgroundType(BackgroundType::solid);
        made->setSolidBackgroundColor(color);
        return made;
    }

    std::shared_ptr<store::PersistentStoreCoordinator> coordinator =
        std::make_shared<store::PersistentStoreCoordinator>(documentModel());
    std::unique_ptr<store::ManagedObjectContext> context = std::make_unique<store::ManagedObjectContext>(
        store::ManagedObjectContext::ConcurrencyType::mainQueue);
};

} // namespace

TEST(CanvasPasteboardDataProviderTest, ThePngIsMadeOnRequestAtTheCanvasSize)
{
    Store store;
    Screenshot* fill = store.screenshot({1242, 2208}, {0, 0.5, 1, 1});
    QImage red(10, 10, QImage::Format_RGBA8888_Premultiplied);
    red.fill(Qt::red);
    Image* corner =
        Image::insertInto(*store.context, graphics::Image(red), {0, 0, 10, 10}, FillMode::stretch);
    const CanvasPasteboardDataProvider item(Canvas({1242, 2208}, {fill, corner}));
    EXPECT_EQ(item.formats(), QStringList{"image/png"});
    EXPECT_TRUE(item.hasFormat("image/png"));
    EXPECT_FALSE(item.hasFormat("text/plain"));

    const QByteArray png = item.data("image/png");

    const QImage image = QImage::fromData(png, "PNG");
    EXPECT_EQ(image.size(), QSize(1242, 2208));
    // Canvas points are y-up: the corner square lies at the image's bottom left.
    EXPECT_EQ(image.pixelColor(5, 2208 - 5), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(600, 100).blue(), 255);
    // Every request renders anew, the same bytes for an unchanged canvas.
    EXPECT_EQ(item.data("image/png"), png);
    EXPECT_TRUE(item.data("text/plain").isEmpty());
}

TEST(CanvasPasteboardDataProviderTest, TheBuiltInTemplateSizeIsStretchedAsOnExport)
{
    Store store;
    const CanvasPasteboardDataProvider item(
        Canvas({750, 1334}, {store.screenshot({750, 1334}, {0, 1, 0, 1})}));
    EXPECT_EQ(QImage::fromData(item.data("image/png"), "PNG").size(), QSize(1242, 2208));
}

TEST(CanvasPasteboardDataProviderTest, ACanvasWithoutPixelsGivesNoData)
{
    Store store;
    const CanvasPasteboardDataProvider item(Canvas({0, 0}, {store.screenshot({1, 1}, {0, 1, 0, 1})}));
    testing::internal::CaptureStdout();
    EXPECT_TRUE(item.data("image/png").isEmpty());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Warning: PNG representation not available\n");
}

TEST(CanvasPasteboardDataProviderTest, TheItemKeepsItsPictureAfterTheDocumentIsEditedAndClosed)
{
    auto store = std::make_unique<Store>();
    Screenshot* screenshot = store->screenshot({120, 80}, {0, 0, 1, 1});
    TextRect* caption = TextRect::insertInto(*store->context, {0, 0, 120, 80}, "Shared",
                                             graphics::TextAlignment::center, VerticalAlignment::center);
    caption->setColor(graphics::Color{1, 1, 0, 1});
    DrawableMapping::insert(*caption, *screenshot, *store->context);

    auto item = std::make_unique<CanvasPasteboardDataProvider>(screenshot->makeCanvas());
    const QByteArray shared = item->data("image/png");
    const QImage picture = QImage::fromData(shared, "PNG");
    ASSERT_EQ(picture.size(), QSize(120, 80));
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(0, 0, 255));
    int inked = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            inked += picture.pixelColor(x, y).red() > 128;
    }
    EXPECT_GT(inked, 20) << "the caption is drawn";

    // What is on the clipboard is what was copied, however the document goes on.
    caption->setText("Changed");
    screenshot->setSolidBackgroundColor(graphics::Color{1, 0, 0, 1});
    EXPECT_EQ(item->data("image/png"), shared);
    store.reset();
    EXPECT_EQ(item->data("image/png"), shared);
}
