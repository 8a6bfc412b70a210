#include "CanvasViewFixture.h"
#include "TestPictures.h"
#include "canvas/OpenGLCanvasViewRenderer.h"
#include "canvas/RasterCanvasViewRenderer.h"
#include "graphics/ImageDecoderRegistry.h"
#include "model/entities/DocumentModel.h"
#include "model/rendering/PictureCache.h"
#include "model/rendering/RenderResources.h"
#include "tessaline/Tessaline/MarkupLabel.h"
#include "vistrel/Vistrel.h"

#include <QTest>
#include <QUuid>
#include <future>

using pelorama::canvas::CanvasView;
using pelorama::canvas::CanvasViewRenderingError;
using pelorama::canvas::OpenGLCanvasViewRenderer;
using pelorama::canvas::RasterCanvasViewRenderer;

// A 300 x 400 canvas, shown at scale 2 in the 600 x 800 view: a blue background, a red square at the
// bottom-left corner and a green one above and to the right of it.
class CanvasViewTest : public CanvasViewFixture
{
protected:
    // The colour the last render shows at a canvas point.
    QColor shownAt(graphics::Point canvasPoint) const
    {
        const QImage& bitmap = view->contents()->representations().front().bitmap();
        const double scale = bitmap.width() / 300.0;
        return bitmap.pixelColor(int(canvasPoint.x * scale),
                                 bitmap.height() - 1 - int(canvasPoint.y * scale));
    }

    pelorama::model::Screenshot* background = makeBackground({300, 400}, blue);
    pelorama::model::Image* shape = makePicture({0, 0, 100, 100}, red, "shape");
    pelorama::model::Image* picture = makePicture({100, 100, 100, 100}, green, "picture");
};

TEST_F(CanvasViewTest, ManyChangesInOnePassGiveOneRenderShowingThemAll)
{
    view->setCanvas(makeCanvas({300, 400}, {background, shape, picture}));
    EXPECT_TRUE(view->needsRendering());
    EXPECT_EQ(delegate.count("will"), 0) << "the render waits for the event loop";
    settle();
    EXPECT_EQ(delegate.calls, QStringList({"selection:none", "will", "did"}));
    EXPECT_FALSE(view->needsRendering());
    EXPECT_EQ(delegate.willCanvas, view->canvas().get());
    EXPECT_EQ(delegate.didCanvas, view->canvas().get());

    delegate.calls.clear();
    shape->setRect({150, 250, 50, 50});
    shape->setImage(solidPicture(blue));
    picture->setImage(solidPicture(red));
    background->setSolidBackgroundColor(green);
    EXPECT_TRUE(delegate.calls.isEmpty());
    settle();
    EXPECT_EQ(delegate.calls, QStringList({"will", "did"}));
    EXPECT_EQ(shownAt({50, 50}), QColor(Qt::green));
    EXPECT_EQ(shownAt({175, 275}), QColor(Qt::blue));
    EXPECT_EQ(shownAt({150, 150}), QColor(Qt::red));

    delegate.calls.clear();
    settle();
    EXPECT_TRUE(delegate.calls.isEmpty()) << "nothing changed, nothing rendered";
    background->setName("not a redraw key");
    shape->setUniqueIdentifier("not one either");
    settle();
    EXPECT_TRUE(delegate.calls.isEmpty()) << "a change that draws nothing renders nothing";
}

// A picture kept in an asset is decoded off the main thread, and the render announced as done shows it,
// however soon the decoding ends.
TEST_F(CanvasViewTest, TheRenderAnnouncedShowsAPictureDecodedOffTheMainThread)
{
    const QByteArray bytes = solidPng(16, 16, QColor(250, 0, 250));
    auto* stored = pelorama::model::Image::insertInto(*context);
    stored->setRect({100, 100, 100, 100});
    stored->storeImageData(bytes);

    QColor announced;
    QObject::connect(view.get(), &pelorama::canvas::CanvasView::didRender, view.get(), [&] {
        if (!announced.isValid())
            announced = shownAt({150, 150});
    });
    view->setCanvas(makeCanvas({300, 400}, {background, stored}));
    settle();
    EXPECT_EQ(delegate.calls, QStringList({"selection:none", "will", "did"}));
    EXPECT_EQ(announced, QColor(250, 0, 250));
}

// A render drawn while a picture is decoded shows without it, but the render announced as done is the
// one with the picture. The decoding waits for a gate the test opens.
TEST_F(CanvasViewTest, OnlyARenderWithEveryPictureIsAnnouncedAsDone)
{
    struct Gate
    {
        std::promise<void> promise;
        std::shared_future<void> opened = promise.get_future().share();
        // Whatever the test found, no decoding is left waiting.
        ~Gate() { promise.set_value(); }
    };
    auto gate = std::make_unique<Gate>();
    const QByteArray magic = "GATED-PICTURE ";
    graphics::ImageDecoderRegistry::registerDecoder(
        {"gated",
         {},
         [magic](const QByteArray& data) { return data.startsWith(magic); },
         [opened = gate->opened](const QByteArray&) -> std::optional<graphics::BitmapImageRep> {
             opened.wait();
             QImage bitmap(4, 4, QImage::Format_RGBA8888_Premultiplied);
             bitmap.fill(QColor(250, 0, 250));
             return graphics::BitmapImageRep(bitmap);
         }});
    auto* stored = pelorama::model::Image::insertInto(*context);
    stored->setRect({100, 100, 100, 100});
    // Bytes of their own, so that no picture kept from an earlier run stands in for them.
    stored->storeImageData(magic + QUuid::createUuid().toByteArray());

    view->setCanvas(makeCanvas({300, 400}, {background, stored}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->contents().has_value(); }));
    EXPECT_EQ(shownAt({150, 150}), QColor(Qt::blue)) << "shown without the picture";
    EXPECT_EQ(delegate.calls, QStringList({"selection:none", "will"}));
    EXPECT_TRUE(view->needsRendering());

    // Renders of a change meanwhile are shown too, under the same announcement.
    const pelorama::model::PictureReference reference = stored->pictureReference();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return pelorama::model::RenderResources::shared().pictures().state(
                   reference.sha1(), reference.data()) == pelorama::model::PictureCache::State::decoding;
    }));
    background->setSolidBackgroundColor(green);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownAt({50, 50}) == QColor(Qt::green); }));
    EXPECT_EQ(delegate.calls, QStringList({"selection:none", "will"}));

    gate.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->needsRendering(); }));
    EXPECT_EQ(delegate.calls, QStringList({"selection:none", "will", "did"}));
    EXPECT_EQ(delegate.didCanvas, view->canvas().get());
    EXPECT_EQ(shownAt({150, 150}), QColor(250, 0, 250));
}

// However a render ends, its willRender and didRender come in pairs for one canvas: a render of a canvas
// replaced or taken away while it runs, or in a slot of willRender, is over without being shown.
TEST_F(CanvasViewTest, EveryWillRenderIsFollowedByOneDidRender)
{
    const auto first = makeCanvas({300, 400}, {background});
    const auto second = makeCanvas({300, 400}, {background, shape});
    using Canvases = std::vector<const pelorama::model::Canvas*>;
    enum class Replaced
    {
        whileRunning,
        byNoneWhileRunning,
        inWillRender,
        byNoneInWillRender,
    };
    const struct
    {
        const char* name;
        Replaced replaced;
        Canvases announced;
    } cases[] = {
        {"while running", Replaced::whileRunning, {first.get(), first.get(), second.get(), second.get()}},
        {"by none while running", Replaced::byNoneWhileRunning, {first.get(), first.get()}},
        {"in willRender", Replaced::inWillRender, {first.get(), first.get(), second.get(), second.get()}},
        {"by none in willRender", Replaced::byNoneInWillRender, {first.get(), first.get()}},
    };
    for (const auto& expected : cases) {
        view->setCanvas(nullptr);
        settle();
        delegate.announced.clear();
        const auto replacement = expected.replaced == Replaced::byNoneWhileRunning ||
                                         expected.replaced == Replaced::byNoneInWillRender
                                     ? nullptr
                                     : second;
        view->setCanvas(first);
        if (expected.replaced == Replaced::inWillRender ||
            expected.replaced == Replaced::byNoneInWillRender) {
            auto once = std::make_shared<QMetaObject::Connection>();
            *once = QObject::connect(view.get(), &CanvasView::willRender, view.get(), [&, once] {
                QObject::disconnect(*once);
                view->setCanvas(replacement);
            });
            settle();
        } else {
            // Started now; it cannot end before the event loop runs.
            view->renderCanvas();
            ASSERT_TRUE(view->needsRendering()) << expected.name;
            view->setCanvas(replacement);
            settle();
        }
        EXPECT_EQ(delegate.announced, expected.announced) << expected.name;
        EXPECT_EQ(view->canvas(), replacement) << expected.name;
        if (replacement) {
            EXPECT_EQ(shownAt({50, 50}), QColor(Qt::red)) << expected.name;
        }
    }
}

TEST_F(CanvasViewTest, FollowsTheShownScreenshotWithoutHearingAtOnce)
{
    view->setCanvas(makeCanvas({300, 400}, {background, shape, picture}));
    EXPECT_EQ(view->followedScreenshot(), background);
    settle();
    EXPECT_EQ(delegate.count("will"), 1) << "only the render the assignment asks for";
}

TEST_F(CanvasViewTest, ACanvasAssignedWhileARenderIsPendingIsRenderedOnce)
{
    view->setCanvas(makeCanvas({300, 400}, {background}));
    auto second = makeCanvas({300, 400}, {background, shape});
    view->setCanvas(second);
    settle();
    EXPECT_EQ(delegate.count("will"), 1);
    EXPECT_EQ(delegate.count("did"), 1);
    EXPECT_EQ(delegate.didCanvas, second.get());
}

TEST_F(CanvasViewTest, NoCanvasAssignedWhileARenderIsPendingOnlyClearsTheRequest)
{
    view->setCanvas(makeCanvas({300, 400}, {background}));
    view->setCanvas(nullptr);
    EXPECT_TRUE(view->needsRendering());
    settle();
    EXPECT_FALSE(view->needsRendering());
    EXPECT_EQ(delegate.count("will"), 0);
    EXPECT_EQ(delegate.count("did"), 0);
    EXPECT_EQ(view->followedScreenshot(), nullptr);
}

TEST_F(CanvasViewTest, OnlyAChangeOfTheSelectionLaysOutAgain)
{
    view->setCanvas(makeCanvas({300, 400}, {background, shape, picture}));
    settle();
    view->setSelection(shape);
    EXPECT_FALSE(view->needsLayout());

    picture->setRect({120, 120, 50, 50});
    context->processPendingChanges();
    EXPECT_FALSE(view->needsLayout());
    settle();

    shape->setRect({0, 0, 150, 200});
    EXPECT_FALSE(view->needsLayout()) << "the context has not reported the change yet";
    context->processPendingChanges();
    EXPECT_TRUE(view->needsLayout());
    settle();
    EXPECT_FALSE(view->needsLayout());
    // The frame moved onto the selection's new bounds: the canvas shows at scale 2 in 600 x 800.
    EXPECT_EQ(view->selectionFrame(), (graphics::Rect{0, 0, 300, 400}));
}

TEST_F(CanvasViewTest, AssigningTheSameCanvasAgainFollowsItOnceAndClearsTheSelection)
{
    auto canvas = makeCanvas({300, 400}, {background, shape});
    view->setCanvas(canvas);
    settle();
    view->setSelection(shape);
    delegate.calls.clear();

    view->setCanvas(canvas);
    EXPECT_EQ(view->selection(), nullptr);
    EXPECT_FALSE(view->selectionFrame());
    settle();
    EXPECT_EQ(delegate.calls, QStringList({"selection:none", "will", "did"}));

    // One render for a change, not one for each assignment.
    delegate.calls.clear();
    shape->setRect({10, 10, 50, 50});
    settle();
    EXPECT_EQ(delegate.calls, QStringList({"will", "did"}));
}

TEST_F(CanvasViewTest, ResizingRendersOnceAtTheNewSize)
{
    view->setCanvas(makeCanvas({300, 400}, {background}));
    settle();
    ASSERT_TRUE(view->contents());
    EXPECT_EQ(view->contents()->size(), (graphics::Size{600, 800}));
    EXPECT_EQ(view->contents()->representations().front().bitmap().size(), QSize(1200, 1600));

    delegate.calls.clear();
    view->resize(300, 300);
    view->setNeedsRendering(true);
    settle();
    EXPECT_EQ(delegate.calls, QStringList({"will", "did"}));
    EXPECT_EQ(view->contents()->size(), (graphics::Size{225, 300}));
    EXPECT_EQ(view->contents()->representations().front().bitmap().size(), QSize(450, 600));
}

TEST_F(CanvasViewTest, ShowsTheRenderFittedOnWhite)
{
    view->resize(400, 400);
    view->setCanvas(makeCanvas({300, 400}, {background, shape}));
    settle();
    const QImage shown = view->grab().toImage();
    const auto at = [&](int x, int y) {
        return shown.pixelColor(x * shown.width() / 400, y * shown.height() / 400);
    };
    EXPECT_EQ(at(20, 200), QColor(Qt::white));  // left margin of the 300 x 400 canvas
    EXPECT_EQ(at(380, 200), QColor(Qt::white)); // right margin
    EXPECT_EQ(at(200, 100), QColor(Qt::blue));
    EXPECT_EQ(at(70, 380), QColor(Qt::red)); // the shape at the canvas's bottom-left corner

    // A canvas that lets light through shows the white under it.
    background->setSolidBackgroundColor(graphics::Color{0, 0, 1, 0.5});
    settle();
    const QColor through =
        view->grab().toImage().pixelColor(200 * shown.width() / 400, 100 * shown.height() / 400);
    EXPECT_NEAR(through.red(), 128, 1);
    EXPECT_EQ(through.blue(), 255);
}

TEST_F(CanvasViewTest, TheEmptyLabelShowsWhileThereIsNoCanvas)
{
    tessaline::MarkupLabel* label = view->emptyLabel();
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->markupStringValue(),
              "No screenshot selected\n\nAdd a screenshot from a template to edit it here.");
    EXPECT_EQ(label->geometry().left(), 0);
    EXPECT_EQ(label->width(), 600);
    EXPECT_NEAR(label->geometry().center().y(), 400, 1);

    view->setCanvas(makeCanvas({300, 400}, {background}));
    EXPECT_FALSE(label->isVisible());
    settle();
    ASSERT_TRUE(view->contents());

    view->setCanvas(nullptr);
    EXPECT_TRUE(label->isVisible());
    EXPECT_FALSE(view->contents()) << "no canvas blanks the view at once";
}

TEST_F(CanvasViewTest, FallsBackToItsOwnPaintingWithoutOpenGL)
{
    testing::internal::CaptureStdout();
    CanvasView fallback(nullptr, false);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "Note: OpenGL not supported on this system. Using software rendering\n");
    EXPECT_NE(dynamic_cast<RasterCanvasViewRenderer*>(&fallback.renderer()), nullptr);
    EXPECT_EQ(fallback.findChild<vistrel::Vistrel*>(), nullptr);

    const auto refused = OpenGLCanvasViewRenderer::make(fallback, false);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error(), CanvasViewRenderingError::unsupportedRenderer);
    EXPECT_EQ(fallback.findChild<vistrel::Vistrel*>(), nullptr) << "a refused renderer makes no view";
}

// Where OpenGL works, the GPU renderer shows the canvas in a Vistrel view filling the canvas view.
TEST_F(CanvasViewTest, UsesTheImageViewWhereOpenGLWorks)
{
    if (!vistrel::Vistrel::isSupported())
        GTEST_SKIP() << "no OpenGL context on this system";
    testing::internal::CaptureStdout();
    CanvasView gpu(nullptr, true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    auto* renderer = dynamic_cast<OpenGLCanvasViewRenderer*>(&gpu.renderer());
    ASSERT_NE(renderer, nullptr);
    gpu.resize(300, 200);
    gpu.show();
    settle();
    ASSERT_NE(renderer->vistrel(), nullptr);
    EXPECT_EQ(renderer->vistrel()->geometry(), gpu.rect());

    gpu.setCanvas(makeCanvas({300, 400}, {background, picture}));
    settle();
    ASSERT_TRUE(renderer->vistrel()->frameBuffer());
    EXPECT_EQ(renderer->vistrel()->frameBuffer()->pixels().size(), QSize(300, 400));

    // Pointer moves reach the canvas view through the window, past the image view on top of it.
    gpu.activateWindow();
    QApplication::setActiveWindow(&gpu);
    if (QTest::qWaitForWindowActive(&gpu)) {
        const graphics::Point onPicture = gpu.mapping()->viewPoint({150, 150});
        QTest::mouseMove(gpu.windowHandle(), QPointF(onPicture.x, gpu.height() - onPicture.y).toPoint());
        settle();
        EXPECT_EQ(gpu.highlightFrame(), gpu.viewRect(*picture));
    }
    gpu.setCanvas(nullptr);
    EXPECT_FALSE(renderer->vistrel()->frameBuffer());
}
