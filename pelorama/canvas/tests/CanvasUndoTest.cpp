// What the user changes on the canvas (a picture dropped on an image or a device image, a caption edited
// in place) is one step to undo: undo brings back the document and what the canvas view shows as they
// were before, the previous picture and its asset included, and redo brings back the change.
#include "CanvasViewFixture.h"
#include "DocumentState.h"
#include "TestPictures.h"
#include "canvas/CaptionEditor.h"
#include "model/devices/DeviceFamily.h"
#include "model/entities/Asset.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "store/ManagedObjectContext.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QUndoStack>
#include <functional>

using namespace pelorama;

namespace {

QByteArray png(const QColor& colour, QSize size)
{
    QImage pixels(size, QImage::Format_RGBA8888);
    pixels.fill(colour);
    // A second colour, so that how the picture is fitted shows too.
    pixels.setPixelColor(0, 0, Qt::yellow);
    return pngData(pixels);
}

// A screenshot of 240 x 160 points shown one point per view point: an image, a device image and a
// caption, each picture in an asset of its own.
class CanvasUndoTest : public CanvasViewFixture
{
protected:
    CanvasUndoTest()
    {
        screenshot = model::Screenshot::insertInto(*context);
        screenshot->setSize({240, 160});
        screenshot->setOrder(0);
        image = model::Image::insertInto(*context);
        image->setRect({10, 10, 80, 60});
        image->setFillMode(model::FillMode::aspectFill);
        image->takeDroppedImage(pictureFile(Qt::darkGreen, {8, 6}));
        device = model::DeviceImage::insertInto(*context, {186, 74}, 0.07);
        device->setDeviceFamily(*model::DeviceFamily::findWithIdentifier("iPhone"));
        device->takeDroppedImage(pictureFile(Qt::darkCyan, {15, 27}));
        caption =
            model::TextRect::insertInto(*context, {10, 100, 130, 50}, "Hello **there**",
                                        graphics::TextAlignment::center, model::VerticalAlignment::center);
        caption->setFont(graphics::Font("HelveticaNeue", 20));
        for (model::Drawable* drawable : std::initializer_list<model::Drawable*>{image, device, caption})
            model::DrawableMapping::insert(*drawable, *screenshot, *context);

        view->resize(240, 160);
        view->setCanvas(std::make_shared<const model::Canvas>(screenshot->makeCanvas()));
        settleAll();
        context->setUndoStack(&undo);
    }

    ~CanvasUndoTest() override { context->setUndoStack(nullptr); }

    graphics::ImageFile pictureFile(const QColor& colour, QSize size)
    {
        const QString path = folder.filePath(QString::number(++files) + ".png");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(png(colour, size));
        file.close();
        return *graphics::ImageFile::read(path);
    }

    // Drops the file on the view at viewPoint, as a drag from elsewhere ends there, and waits until the
    // file is read and its picture taken.
    void drop(const QString& path, graphics::Point viewPoint)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPointF at = position(viewPoint);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &dropped);
        EXPECT_TRUE(dropped.isAccepted());
        QThreadPool::globalInstance()->waitForDone();
        settleAll();
    }

    // Lets the context report its changes and the view render them.
    void settleAll()
    {
        for (int pass = 0; pass < 3; ++pass)
            settle();
    }

    // The document, and the view's picture as last rendered.
    DocumentState state()
    {
        settleAll();
        DocumentState state = DocumentState::of(*context);
        EXPECT_TRUE(view->contents().has_value());
        if (view->contents() && !view->contents()->isEmpty())
            state.pictures.append(view->contents()->representations().front().bitmap());
        return state;
    }

    // The user's change, then undo, redo and undo again; see EditActionsUndoTest. Answers the state
    // after the change.
    DocumentState expectUndoRoundTrip(const std::function<void()>& change)
    {
        const DocumentState before = state();
        const int steps = undo.index();
        change();
        DocumentState after = state();
        EXPECT_FALSE(sameState(before, after)) << "the change changed nothing";
        EXPECT_EQ(undo.index(), steps + 1) << "one change, one step";

        undo.undo();
        EXPECT_TRUE(sameState(before, state())) << "after undo";
        undo.redo();
        EXPECT_TRUE(sameState(after, state())) << "after redo";
        undo.undo();
        EXPECT_TRUE(sameState(before, state())) << "after the second undo";
        return after;
    }

    QByteArray assetData(const std::optional<QString>& identifier)
    {
        if (!identifier)
            return {};
        const store::Result<model::Asset*> asset = model::Asset::fetch(*identifier, *context);
        return asset && *asset ? (*asset)->data() : QByteArray();
    }

    graphics::Point centreOf(const model::Selectable& selectable) const
    {
        const graphics::Rect rect = view->viewRect(selectable);
        return {rect.midX(), rect.midY()};
    }

    // Drops a new picture of the given size on an image or device image as one undo step; undo brings
    // back its previous picture and asset.
    template <typename Drawable> void expectDroppedPictureUndoes(Drawable& drawable, QSize pictureSize)
    {
        const std::optional<QString> previous = drawable.assetIdentifier();
        const QByteArray previousBytes = assetData(previous);
        ASSERT_FALSE(previousBytes.isEmpty());
        const QString path = folder.filePath("dropped.png");
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(png(Qt::magenta, pictureSize));
        }

        expectUndoRoundTrip([&] { drop(path, centreOf(drawable)); });

        EXPECT_EQ(drawable.assetIdentifier(), previous);
        EXPECT_EQ(assetData(previous), previousBytes);
    }

    QTemporaryDir folder;
    int files = 0;
    QUndoStack undo;
    model::Screenshot* screenshot = nullptr;
    model::Image* image = nullptr;
    model::DeviceImage* device = nullptr;
    model::TextRect* caption = nullptr;
};

} // namespace

TEST_F(CanvasUndoTest, APictureDroppedOnAnImageIsOneStepAndUndoBringsBackThePreviousOneAndItsAsset)
{
    expectDroppedPictureUndoes(*image, {6, 4});
}

TEST_F(CanvasUndoTest, APictureDroppedOnADeviceImageIsOneStepAndUndoBringsBackThePreviousOneAndItsAsset)
{
    expectDroppedPictureUndoes(*device, {30, 54});
}

TEST_F(CanvasUndoTest, ACaptionEditedInPlaceIsOneStep)
{
    expectUndoRoundTrip([&] {
        doubleClick(centreOf(*caption));
        canvas::CaptionEditor* editor = view->editor();
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, "Good **bye**");
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EQ(view->editor(), nullptr);
    });
    EXPECT_EQ(caption->text(), "Hello **there**");
}

TEST_F(CanvasUndoTest, EscapeLeavesTheCaptionAsItWasAndNothingToUndo)
{
    doubleClick(centreOf(*caption));
    canvas::CaptionEditor* editor = view->editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "Never mind");
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->editor(), nullptr);
    EXPECT_TRUE(view->hasFocus());
    EXPECT_EQ(caption->text(), "Hello **there**");
    EXPECT_EQ(undo.count(), 0);
    // Editing again, Return keeps what was typed.
    doubleClick(centreOf(*caption));
    ASSERT_NE(view->editor(), nullptr);
    QTest::keyClicks(view->editor(), "Kept");
    QTest::keyClick(view->editor(), Qt::Key_Return);
    EXPECT_EQ(caption->text(), "Kept");
}
