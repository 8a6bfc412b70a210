#include "canvas/ScreenshotThumbnailView.h"

#include "model/entities/DocumentModel.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/rendering/DetachedCanvas.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QApplication>
#include <QUndoStack>
#include <gtest/gtest.h>

using pelorama::canvas::ScreenshotThumbnailView;
using pelorama::model::Screenshot;

class ScreenshotThumbnailViewTest : public testing::Test
{
protected:
    ScreenshotThumbnailViewTest()
    {
        coordinator = std::make_shared<store::PersistentStoreCoordinator>(pelorama::model::documentModel());
        EXPECT_TRUE(coordinator->addPersistentStore(store::PersistentStore::Type::inMemory, {}).hasValue());
        context = std::make_unique<store::ManagedObjectContext>(
            store::ManagedObjectContext::ConcurrencyType::mainQueue);
        context->setPersistentStoreCoordinator(coordinator);
        screenshot = Screenshot::insertInto(*context);
        screenshot->setSize({1242, 2208});
        screenshot->setBackgroundType(pelorama::model::BackgroundType::solid);
        screenshot->setSolidBackgroundColor(graphics::Color{1, 0, 0, 1});
        view.resize(200, 120);
        view.show();
    }

    std::shared_ptr<store::PersistentStoreCoordinator> coordinator;
    std::unique_ptr<store::ManagedObjectContext> context;
    Screenshot* screenshot = nullptr;
    ScreenshotThumbnailView view;
};

TEST_F(ScreenshotThumbnailViewTest, RendersOnALaterPassIntoTheThumbnailBox)
{
    view.setScreenshot(screenshot);
    EXPECT_FALSE(view.image()) << "never inside the setter";
    QApplication::processEvents();
    ASSERT_TRUE(view.image());
    EXPECT_EQ(view.image()->size(), (graphics::Size{56.25, 100}));
    EXPECT_EQ(view.image()->representations().front().bitmap().size(), QSize(112, 200));

    // 6 points inside a 200 x 120 view, 56.25 x 100 fitted to 60.75 x 108 and rounded outwards.
    ASSERT_TRUE(view.imageFrame());
    EXPECT_EQ(*view.imageFrame(), (graphics::Rect{69, 6, 62, 108}));
    view.resize(300, 60);
    EXPECT_EQ(*view.imageFrame(), (graphics::Rect{136, 6, 28, 48}));
}

TEST_F(ScreenshotThumbnailViewTest, UpdatesFollowTheScreenshotAndNoneKeepsThePicture)
{
    view.updateImage();
    QApplication::processEvents();
    EXPECT_FALSE(view.image()) << "no screenshot, no render";

    view.setScreenshot(screenshot);
    QApplication::processEvents();
    screenshot->setSize({2880, 1800});
    view.updateImage();
    EXPECT_EQ(view.image()->size(), (graphics::Size{56.25, 100}));
    QApplication::processEvents();
    EXPECT_EQ(view.image()->size(), (graphics::Size{150, 93.75}));

    view.setScreenshot(nullptr);
    QApplication::processEvents();
    ASSERT_TRUE(view.image());
    EXPECT_EQ(view.image()->size(), (graphics::Size{150, 93.75}));
}

TEST_F(ScreenshotThumbnailViewTest, DrawsThePictureOnBlackWithAWhiteBorderAndAShadowBelow)
{
    view.setScreenshot(screenshot);
    QApplication::processEvents();
    const QImage shown = view.grab().toImage();
    const double ratio = shown.width() / 200.0;
    const auto at = [&](double x, double y) {
        return shown.pixelColor(int(x * ratio), int(y * ratio));
    };
    // Frame (69, 6, 62, 108): its left and top edges are the border, the inside is the red screenshot.
    EXPECT_EQ(at(69, 60), QColor(Qt::white));
    EXPECT_EQ(at(100, 6), QColor(Qt::white));
    EXPECT_EQ(at(100, 60), QColor(Qt::red));
    // Below the frame the shadow darkens the background; far away it shows plainly.
    const QColor plain = at(20, 60);
    EXPECT_EQ(at(100, 2), plain);
    EXPECT_LT(at(100, 114.5).lightness(), plain.lightness());
}

TEST_F(ScreenshotThumbnailViewTest, FollowsEveryChangeOfItsScreenshotAndItsDrawablesUndoIncluded)
{
    QUndoStack undo;
    context->setUndoStack(&undo);
    using namespace pelorama::model;
    TextRect* caption = TextRect::insertInto(*context, {0, 0, 1242, 2208}, "Before",
                                             graphics::TextAlignment::center, VerticalAlignment::center);
    caption->setFont(graphics::Font("HelveticaNeue", 400));
    DrawableMapping::insert(*caption, *screenshot, *context);
    Screenshot* other = Screenshot::insertInto(*context);
    other->setSize({100, 100});
    // The context reports changes at the end of a pass, and the view renders on the pass after.
    const auto settle = [] {
        for (int pass = 0; pass < 3; ++pass)
            QApplication::processEvents();
    };
    view.setScreenshot(screenshot);
    settle();

    // What a render of the screenshot as it is now shows.
    const auto current = [&] {
        return DetachedCanvas(screenshot->makeCanvas())
            .render(CanvasRenderingMode::thumbnail, {150, 100}, 2)
            .representations()
            .front()
            .bitmap();
    };
    const auto shown = [&] {
        return view.image()->representations().front().bitmap();
    };
    const QImage before = shown();
    ASSERT_EQ(before, current());

    // Nobody asks the view; the context's own reports do.
    caption->setText("After");
    settle();
    ASSERT_NE(current(), before);
    EXPECT_EQ(shown(), current());
    undo.undo();
    settle();
    EXPECT_EQ(shown(), before);
    undo.redo();
    settle();
    EXPECT_EQ(shown(), current());
    screenshot->setSolidBackgroundColor(graphics::Color{0, 1, 0, 1});
    settle();
    EXPECT_EQ(shown(), current());

    // Another screenshot's changes leave the picture as it is.
    const qint64 rendered = shown().cacheKey();
    other->setSolidBackgroundColor(graphics::Color{0, 0, 1, 1});
    settle();
    EXPECT_EQ(shown().cacheKey(), rendered);
}
