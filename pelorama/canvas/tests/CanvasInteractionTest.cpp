#include "CanvasViewFixture.h"
#include "TestFiles.h"
#include "TestPictures.h"
#include "appkit/widgets/Popover.h"
#include "canvas/CaptionEditor.h"
#include "canvas/CaptionFontLink.h"
#include "canvas/FontManager.h"
#include "model/entities/Asset.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"
#include "tessaline/Tessaline/HeightForWidthTextField.h"

#include <QClipboard>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>
#include <QUndoStack>
#include <sys/stat.h>

using pelorama::canvas::CaptionEditor;
using pelorama::canvas::FontManager;
using pelorama::model::Selectable;
using pelorama::model::TextRect;

// An iPhone-sized canvas (1242 x 2208) in a 600 x 800 view: F = (75, 0, 450, 800). Underneath, a
// background; then a picture; then a caption overlapping the picture's top.
class CanvasInteractionTest : public CanvasViewFixture
{
protected:
    CanvasInteractionTest()
    {
        caption =
            TextRect::insertInto(*context, {100, 1800, 1042, 300}, "Hello", graphics::TextAlignment::center,
                                 pelorama::model::VerticalAlignment::top);
        caption->setFont(graphics::Font("AvenirNext-Regular", 60));
        caption->setObjectName("caption");
        view->setCanvas(makeCanvas({1242, 2208}, {background, picture, caption}));
        settle();
        delegate.calls.clear();
    }

    // The view point of a canvas point.
    graphics::Point at(graphics::Point canvasPoint) const { return view->mapping()->viewPoint(canvasPoint); }

    // The size of the picture's own picture, which a drop replaces.
    graphics::Size pictureSize() const { return picture->image().value_or(graphics::Image()).size(); }

    pelorama::model::Screenshot* background = makeBackground({1242, 2208}, {0, 0, 1, 1});
    pelorama::model::Image* picture = makePicture({100, 1000, 1042, 900}, green, "picture");
    TextRect* caption = nullptr;
};

TEST_F(CanvasInteractionTest, HitTestingFindsTheTopmostSelectableInsideTheCanvas)
{
    // The worked example: (300, 700) is canvas (621, 1932), inside the caption.
    EXPECT_EQ(view->selectableAt({300, 700}), static_cast<Selectable*>(caption));
    // Where caption and picture overlap the caption, drawn last, wins.
    EXPECT_EQ(view->selectableAt(at({621, 1850})), static_cast<Selectable*>(caption));
    EXPECT_EQ(view->selectableAt(at({621, 1500})), static_cast<Selectable*>(picture));
    // The background is no selectable.
    EXPECT_EQ(view->selectableAt(at({621, 500})), nullptr);

    // Left and bottom edges belong to a rectangle, right and top edges do not.
    EXPECT_EQ(view->selectableAt(at({100, 1000})), static_cast<Selectable*>(picture));
    EXPECT_EQ(view->selectableAt(at({1142, 1500})), nullptr);
    picture->setRect({0, 0, 1242, 2208});
    caption->setRect({0, 0, 0, 0});
    EXPECT_EQ(view->selectableAt({75, 0}), static_cast<Selectable*>(picture));
    EXPECT_EQ(view->selectableAt({525, 400}), nullptr) << "right edge of F";
    EXPECT_EQ(view->selectableAt({300, 800}), nullptr) << "top edge of F";
    EXPECT_EQ(view->selectableAt({74.9, 400}), nullptr) << "margin";

    view->setCanvas(nullptr);
    EXPECT_EQ(view->selectableAt({300, 400}), nullptr);
}

TEST_F(CanvasInteractionTest, APictureReachingIntoTheMarginsIsNotHitThere)
{
    picture->setRect({-500, 1000, 2000, 500});
    EXPECT_EQ(view->selectableAt({300, at({0, 1200}).y}), static_cast<Selectable*>(picture));
    EXPECT_EQ(view->selectableAt({40, at({0, 1200}).y}), nullptr);
    click({40, at({0, 1200}).y});
    EXPECT_EQ(view->selection(), nullptr);
    EXPECT_EQ(delegate.calls, QStringList({"selection:none"}));
}

TEST_F(CanvasInteractionTest, HoverHighlightsTheDrawableUnderThePointer)
{
    view->activateWindow();
    QApplication::setActiveWindow(view.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    ASSERT_EQ(QGuiApplication::applicationState(), Qt::ApplicationActive);

    hover({300, 700});
    ASSERT_TRUE(view->highlightFrame());
    EXPECT_NEAR(view->highlightFrame()->origin.x, 111.232, 5e-4);
    EXPECT_NEAR(view->highlightFrame()->origin.y, 652.174, 5e-4);
    EXPECT_NEAR(view->highlightFrame()->size.width, 377.536, 5e-4);
    EXPECT_NEAR(view->highlightFrame()->size.height, 108.696, 5e-4);

    hover(at({621, 1500}));
    EXPECT_EQ(view->highlightFrame(), view->viewRect(*picture));
    hover(at({621, 500}));
    EXPECT_FALSE(view->highlightFrame());

    hover(at({621, 1500}));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view.get(), &leave);
    EXPECT_FALSE(view->highlightFrame());
    EXPECT_FALSE(view->selectionFrame()) << "hovering selects nothing";
}

TEST_F(CanvasInteractionTest, AClickSelectsAndFramesTheDrawable)
{
    click({300, 700});
    EXPECT_EQ(view->selection(), static_cast<Selectable*>(caption));
    EXPECT_EQ(view->selectionFrame(), view->viewRect(*caption));
    EXPECT_EQ(delegate.calls, QStringList({"selection:caption"}));
    EXPECT_EQ(view->editor(), nullptr) << "one click does not edit";

    click(at({621, 1500}));
    EXPECT_EQ(view->selection(), static_cast<Selectable*>(picture));
    EXPECT_EQ(view->selectionFrame(), view->viewRect(*picture));

    click(at({621, 500}));
    EXPECT_EQ(view->selection(), nullptr);
    EXPECT_FALSE(view->selectionFrame());
    EXPECT_EQ(delegate.calls, QStringList({"selection:caption", "selection:picture", "selection:none"}));

    click({300, 700});
    click({20, 400}); // the margin
    EXPECT_EQ(view->selection(), nullptr);
    EXPECT_FALSE(view->selectionFrame());
}

TEST_F(CanvasInteractionTest, TheFrameFollowsTheSelectionWhenTheViewResizes)
{
    click(at({621, 1500}));
    view->resize(300, 400);
    EXPECT_EQ(view->selectionFrame(), view->viewRect(*picture));
    EXPECT_NEAR(view->selectionFrame()->size.width, 1042 * 400.0 / 2208, 1e-9);
}

TEST_F(CanvasInteractionTest, ADoubleClickOnACaptionOpensTheEditorOverIt)
{
    view->resize(414, 736); // the canvas shown 414 points wide: a third of its size
    settle();
    delegate.calls.clear();
    const graphics::Point inside = at({621, 1900});
    doubleClick(inside);
    EXPECT_EQ(delegate.calls, QStringList({"selection:caption", "selection:caption"}));
    CaptionEditor* editor = view->editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->textRect(), caption);
    EXPECT_EQ(editor->toPlainText(), "Hello");
    EXPECT_EQ(editor->textCursor().selectedText(), "Hello");
    EXPECT_EQ(editor->editorFont(), graphics::Font("AvenirNext-Regular", 20));
    EXPECT_EQ(editor->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
    const graphics::Rect frame = view->viewRect(*caption);
    EXPECT_EQ(
        editor->geometry(),
        QRectF(frame.minX(), view->height() - frame.maxY(), frame.width(), frame.height()).toAlignedRect());
}

TEST_F(CanvasInteractionTest, ADoubleClickOnAPictureOnlySelectsIt)
{
    doubleClick(at({621, 1500}));
    EXPECT_EQ(view->selection(), static_cast<Selectable*>(picture));
    EXPECT_EQ(view->editor(), nullptr);
}

TEST_F(CanvasInteractionTest, ReturnWritesTheTextBackAndRendersOnce)
{
    doubleClick({300, 700});
    CaptionEditor* editor = view->editor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "Bonjour");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(caption->text(), "Bonjour");
    EXPECT_EQ(view->editor(), nullptr);
    settle();
    EXPECT_EQ(delegate.count("will"), 1);
    EXPECT_EQ(delegate.count("did"), 1);
}

TEST_F(CanvasInteractionTest, AClickWithTheEditorOpenKeepsTheTextAndDoesNothingElse)
{
    doubleClick({300, 700});
    ASSERT_NE(view->editor(), nullptr);
    QTest::keyClicks(view->editor(), "Typed");
    delegate.calls.clear();

    click(at({621, 1500})); // on the picture
    EXPECT_EQ(caption->text(), "Typed");
    EXPECT_EQ(view->editor(), nullptr);
    EXPECT_EQ(view->selection(), static_cast<Selectable*>(caption)) << "the click selected nothing";
    EXPECT_TRUE(delegate.calls.isEmpty());

    click(at({621, 1500}));
    EXPECT_EQ(view->selection(), static_cast<Selectable*>(picture));
}

TEST_F(CanvasInteractionTest, LeavingTheEditorUnchangedWritesNothing)
{
    doubleClick({300, 700});
    settle();
    delegate.calls.clear();
    QTest::keyClick(view->editor(), Qt::Key_Return);
    settle();
    EXPECT_EQ(caption->text(), "Hello");
    EXPECT_TRUE(delegate.calls.isEmpty()) << "no change, no render";
}

TEST_F(CanvasInteractionTest, TheEditorWritesIntoItsOwnCaption)
{
    TextRect* other =
        TextRect::insertInto(*context, {100, 100, 1042, 300}, "Other", graphics::TextAlignment::left,
                             pelorama::model::VerticalAlignment::top);
    view->setCanvas(makeCanvas({1242, 2208}, {background, caption, other}));
    doubleClick({300, 700});
    ASSERT_NE(view->editor(), nullptr);
    QTest::keyClicks(view->editor(), "Mine");
    view->setSelection(other);
    QTest::keyClick(view->editor(), Qt::Key_Tab);
    EXPECT_EQ(caption->text(), "Mine");
    EXPECT_EQ(other->text(), "Other");
}

TEST_F(CanvasInteractionTest, AnotherCanvasCommitsAndClosesTheEditor)
{
    doubleClick({300, 700});
    ASSERT_NE(view->editor(), nullptr);
    QTest::keyClicks(view->editor(), "Kept");
    view->setCanvas(makeCanvas({1242, 2208}, {background}));
    EXPECT_EQ(caption->text(), "Kept");
    EXPECT_EQ(view->editor(), nullptr);
    settle();
}

// Text pasted into a caption by mistake, far longer than any caption: the editor refuses it whole and
// says so, and the caption keeps its text.
TEST_F(CanvasInteractionTest, TheEditorRefusesMoreTextThanACaptionTakesAndSaysSo)
{
    doubleClick({300, 700});
    CaptionEditor* editor = view->editor();
    ASSERT_NE(editor, nullptr);
    QApplication::clipboard()->setText(QString(50'000, u'x'));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->toPlainText(), "Hello");

    QStringList messages;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* popover = qobject_cast<appkit::Popover*>(widget); popover && popover->isVisible()) {
            for (auto* field : popover->findChildren<tessaline::HeightForWidthTextField*>())
                messages.append(field->stringValue());
            popover->close();
        }
    }
    EXPECT_EQ(messages, QStringList{"A caption takes at most 5000 characters; this would make it 50000."});
    ASSERT_EQ(view->editor(), editor) << "the message does not end the editing";

    QApplication::clipboard()->setText(QString(TextRect::maximumTextLength - 5, u'y'));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(caption->text(), QString(TextRect::maximumTextLength - 5, u'y'));
}

// Text pasted from elsewhere brings its own line breaks and control characters; the caption gets line
// breaks and the rest of the text.
TEST_F(CanvasInteractionTest, PastedTextKeepsOnlyTheCharactersACaptionHolds)
{
    doubleClick({300, 700});
    CaptionEditor* editor = view->editor();
    ASSERT_NE(editor, nullptr);
    QApplication::clipboard()->setText(QString("One\r\nTwo") + QChar(0x7) + QChar(0) + " three\rfour 😀");
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(caption->text(), "One\nTwo three\nfour 😀");
}

TEST_F(CanvasInteractionTest, TheFontPanelFollowsAndChangesTheSelectedCaption)
{
    FontManager fonts;
    new pelorama::canvas::CaptionFontLink(*view, fonts);
    click({300, 700});
    ASSERT_TRUE(fonts.selectedFont());
    EXPECT_EQ(*fonts.selectedFont(), graphics::Font("AvenirNext-Regular", 60));
    EXPECT_FALSE(fonts.isMultiple());

    view->activateWindow();
    QApplication::setActiveWindow(view.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    view->setFocus();
    ASSERT_TRUE(view->hasFocus());
    settle();
    delegate.calls.clear();

    QFont chosen("Lato");
    chosen.setWeight(QFont::Bold);
    chosen.setPointSizeF(72);
    fonts.chooseFont(chosen);
    EXPECT_EQ(caption->font().pointSize(), 72);
    EXPECT_TRUE(caption->font().isBold());
    EXPECT_EQ(caption->font().face().designFamily,
              graphics::Font("AvenirNext-Regular", 1).face().designFamily);
    settle();
    EXPECT_EQ(delegate.calls, QStringList({"will", "did"}));

    // Without a caption selected the change goes nowhere.
    click(at({621, 1500}));
    const auto before = caption->font();
    fonts.chooseFont(QFont("Lato", 20));
    EXPECT_EQ(caption->font(), before);
}

class CanvasDropTest : public CanvasInteractionTest
{
protected:
    CanvasDropTest()
    {
        QImage pixels(4, 3, QImage::Format_RGBA8888);
        pixels.fill(Qt::magenta);
        goodFile = directory.filePath("good.png");
        EXPECT_TRUE(pixels.save(goodFile));
        QImage other(2, 2, QImage::Format_RGBA8888);
        other.fill(Qt::cyan);
        secondFile = directory.filePath("second.png");
        EXPECT_TRUE(other.save(secondFile));
        badFile = directory.filePath("bad.png");
        QFile bad(badFile);
        EXPECT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("not a picture");
        bad.close();
        textFile = directory.filePath("notes.txt");
        QFile text(textFile);
        EXPECT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("notes");
    }

    static std::unique_ptr<QMimeData> files(const QStringList& paths)
    {
        auto data = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls.push_back(QUrl::fromLocalFile(path));
        data->setUrls(urls);
        return data;
    }

    // A drag of data entering the view at viewPoint; whether the view wants it at all.
    bool dragEnter(const QMimeData& data, graphics::Point viewPoint)
    {
        QDragEnterEvent enter(position(viewPoint).toPoint(), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(view.get(), &enter);
        return enter.isAccepted();
    }

    // Sends event (a move or drop of data at viewPoint) after the drag entered the view there; whether the
    // view accepted it.
    bool sendAfterEntering(QDropEvent& event, const QMimeData& data, graphics::Point viewPoint)
    {
        dragEnter(data, viewPoint);
        QApplication::sendEvent(view.get(), &event);
        return event.isAccepted();
    }

    // Whether a drag of data that entered the view and moves to viewPoint may drop there.
    bool dragMove(const QMimeData& data, graphics::Point viewPoint)
    {
        QDragMoveEvent move(position(viewPoint).toPoint(), Qt::CopyAction, &data, Qt::LeftButton,
                            Qt::NoModifier);
        return sendAfterEntering(move, data, viewPoint);
    }

    bool drop(const QMimeData& data, graphics::Point viewPoint)
    {
        QDropEvent event(position(viewPoint), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        return sendAfterEntering(event, data, viewPoint);
    }

    // Lets the files dropped so far be read and their results reach the view.
    void finishReading()
    {
        QThreadPool::globalInstance()->waitForDone();
        settle();
    }

    // The alert the view shows, closed once its texts are taken: the message and the reason.
    std::optional<std::pair<QString, QString>> takeAlert()
    {
        auto* alert = view->findChild<QMessageBox*>();
        if (!alert)
            return std::nullopt;
        const std::pair<QString, QString> texts{alert->text(), alert->informativeText()};
        alert->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return texts;
    }

    QString write(const QString& name, const QByteArray& bytes)
    {
        return writeTestFile(directory, name, bytes);
    }

    QTemporaryDir directory;
    QString goodFile, secondFile, badFile, textFile;
};

TEST_F(CanvasDropTest, APictureTakesTheFirstImageFileDroppedOnItOnceItIsRead)
{
    const auto data = files({goodFile, secondFile});
    const graphics::Point onPicture = at({621, 1500});
    EXPECT_TRUE(view->dropTarget(data.get(), onPicture));
    EXPECT_TRUE(dragMove(*data, onPicture));
    EXPECT_EQ(view->highlightFrame(), view->viewRect(*picture));

    EXPECT_TRUE(drop(*data, onPicture));
    EXPECT_FALSE(view->highlightFrame());
    EXPECT_EQ(view->cursor().shape(), Qt::BusyCursor) << "the file is being read";
    finishReading();
    EXPECT_EQ(pictureSize(), (graphics::Size{4, 3}));
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(takeAlert());
}

TEST_F(CanvasDropTest, CaptionsTheBackgroundAndOtherFilesRefuseDrops)
{
    const auto image = files({goodFile});
    EXPECT_FALSE(view->dropTarget(image.get(), {300, 700})) << "a caption takes no drops";
    EXPECT_FALSE(dragMove(*image, {300, 700}));
    EXPECT_FALSE(view->highlightFrame());
    EXPECT_FALSE(drop(*image, {300, 700}));
    EXPECT_FALSE(view->dropTarget(image.get(), at({621, 500}))) << "background";

    const auto text = files({textFile});
    EXPECT_FALSE(dragEnter(*text, at({621, 1500}))) << "no image file, no interest";
    EXPECT_FALSE(view->dropTarget(text.get(), at({621, 1500})));
    EXPECT_FALSE(drop(*text, at({621, 1500})));
    finishReading();
    EXPECT_EQ(pictureSize(), (graphics::Size{8, 8})) << "the picture is as it was";
    EXPECT_FALSE(takeAlert());
}

TEST_F(CanvasDropTest, AFileThatIsNoPictureIsReportedByNameAndChangesNothing)
{
    const QByteArray png = solidPng(64, 64, Qt::darkCyan);
    QByteArray noise(5000, Qt::Uninitialized);
    for (qsizetype i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    // Text, noise and a picture cut short, each named as a picture.
    for (const QString& path :
         {badFile, write("noise.png", noise), write("cut.png", png.left(png.size() / 2))}) {
        EXPECT_TRUE(drop(*files({path}), at({621, 1500})));
        finishReading();
        const auto alert = takeAlert();
        ASSERT_TRUE(alert) << path.toStdString();
        EXPECT_EQ(alert->first, QStringLiteral("“%1” could not be opened.").arg(QFileInfo(path).fileName()));
        EXPECT_EQ(alert->second, "The image could not be decoded.");
    }
    EXPECT_EQ(pictureSize(), (graphics::Size{8, 8})) << "the picture is as it was";
}

TEST_F(CanvasDropTest, AFileThatCannotBeReadIsReportedWithTheSystemsReason)
{
    EXPECT_TRUE(drop(*files({directory.filePath("missing.png")}), at({621, 1500})));
    finishReading();
    const auto alert = takeAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->first, "“missing.png” could not be opened.");
    EXPECT_EQ(alert->second, "No such file or directory");
}

TEST_F(CanvasDropTest, APipeDroppedOnAPictureIsRefusedWithoutWaitingOnIt)
{
    const QString pipe = directory.filePath("pipe.png");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_TRUE(drop(*files({pipe}), at({621, 1500})));
    finishReading();
    const auto alert = takeAlert();
    ASSERT_TRUE(alert);
    EXPECT_EQ(alert->first, "“pipe.png” could not be opened.");
    EXPECT_EQ(alert->second, "It is not a regular file but a device, pipe or socket.");
    EXPECT_EQ(pictureSize(), (graphics::Size{8, 8})) << "the picture is as it was";
}

TEST_F(CanvasDropTest, OfTwoDropsOnOnePictureTheLaterWinsWhicheverIsReadFirst)
{
    EXPECT_TRUE(drop(*files({goodFile}), at({621, 1500})));
    EXPECT_TRUE(drop(*files({secondFile}), at({621, 1500})));
    finishReading();
    EXPECT_EQ(pictureSize(), (graphics::Size{2, 2}));
}

TEST_F(CanvasDropTest, ADeviceImageTakesADroppedPictureAsOneStepToUndoAndRendersAgain)
{
    QUndoStack undo;
    context->setUndoStack(&undo);
    auto* device = pelorama::model::DeviceImage::insertInto(*context, {621, 1104}, 0.5);
    ASSERT_FALSE(device->rect().isEmpty());
    view->setCanvas(makeCanvas({1242, 2208}, {background, device}));
    settle();
    undo.clear();
    delegate.calls.clear();
    const graphics::Point onDevice = at({device->rect().midX(), device->rect().midY()});

    EXPECT_TRUE(drop(*files({badFile}), onDevice));
    finishReading();
    ASSERT_TRUE(takeAlert());
    EXPECT_FALSE(device->image());
    EXPECT_FALSE(device->assetIdentifier());
    settle();
    EXPECT_TRUE(delegate.calls.isEmpty()) << "a refused file changes nothing";
    EXPECT_EQ(undo.count(), 0);

    EXPECT_TRUE(drop(*files({goodFile}), onDevice));
    finishReading();
    ASSERT_TRUE(device->image());
    EXPECT_EQ(device->image()->size(), (graphics::Size{4, 3}));
    EXPECT_TRUE(device->assetIdentifier());
    settle();
    EXPECT_EQ(delegate.calls, QStringList({"will", "did"}));
    EXPECT_EQ(undo.count(), 1);
    undo.undo();
    EXPECT_FALSE(device->image());
    EXPECT_FALSE(device->assetIdentifier());
    context->setUndoStack(nullptr);
}

TEST_F(CanvasDropTest, ADeviceImageDeletedWhileItsFileIsReadTakesNothing)
{
    auto* device = pelorama::model::DeviceImage::insertInto(*context, {621, 1104}, 0.5);
    view->setCanvas(makeCanvas({1242, 2208}, {background, device}));
    settle();
    EXPECT_TRUE(drop(*files({goodFile}), at({device->rect().midX(), device->rect().midY()})));
    context->deleteObject(device);
    finishReading();
    EXPECT_FALSE(device->image());
    EXPECT_FALSE(device->assetIdentifier());
    const auto assets = context->execute(pelorama::model::Asset::fetchRequest());
    ASSERT_TRUE(assets);
    EXPECT_TRUE(assets->isEmpty()) << "no asset for a picture nobody shows";
}
