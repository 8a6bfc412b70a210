// The document and its window, up to the whole path a user takes: a new document, a template chosen in
// the picker, a caption edited in the inspector, saved, closed and opened again.
#include "app/Document.h"

#include "DocumentControllerTest.h"
#include "SilentDialogs.h"
#include "TestContext.h"
#include "app/DocumentLock.h"
#include "app/list/ScreenshotListModel.h"
#include "app/list/ScreenshotListView.h"
#include "app/window/DocumentActions.h"
#include "app/window/DocumentCommands.h"
#include "app/window/DocumentWindow.h"
#include "app/window/PaneSplitter.h"
#include "app/window/SidebarToggleControl.h"
#include "appkit/widgets/DocumentController.h"
#include "appkit/widgets/DocumentDialogs.h"
#include "appkit/widgets/DocumentWindows.h"
#include "canvas/CanvasView.h"
#include "canvas/CaptionEditor.h"
#include "document/ScreenshotArrangement.h"
#include "ledgerline/core/Property.h"
#include "ledgerline/widgets/PropertyRowView.h"
#include "ledgerline/widgets/PropertyTableViewController.h"
#include "ledgerline/widgets/StringPropertyTableCellView.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/selection/DocumentSelection.h"
#include "store/FetchRequest.h"
#include "templates/Template.h"
#include "templates/TemplateCategory.h"
#include "templates/picker/CollectionView.h"
#include "templates/picker/TemplateViewController.h"
#include "tessaline/Shared/App.h"
#include "tessaline/Tessaline/ColorPickerButton.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDirIterator>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

class DocumentTest : public DocumentControllerTest
{
protected:
    static void activate(app::Document& document)
    {
        QWidget* window = document.documentWindow();
        window->activateWindow();
        QApplication::setActiveWindow(window);
    }

    static templates::SheetWindow* pickerSheet(app::Document& document)
    {
        return document.documentWindow()->commands()->templatePickerSheet();
    }

    // The template picker while its sheet is open; nullptr otherwise.
    static templates::TemplateViewController* pickerController(app::Document& document)
    {
        templates::SheetWindow* sheet = pickerSheet(document);
        return sheet ? qobject_cast<templates::TemplateViewController*>(sheet->contentViewController())
                     : nullptr;
    }

    // A new document whose window is active, the template picker it opens with dismissed as a user does.
    app::Document* newDocumentPastThePicker()
    {
        app::Document* document = newDocument();
        if (!document)
            return nullptr;
        templates::TemplateViewController* picker = activateUntilPickerOpens(*document);
        EXPECT_NE(picker, nullptr);
        if (picker)
            QTest::mouseClick(picker->cancelButton(), Qt::LeftButton);
        return document;
    }

    // Activates a new document's window and waits for the template picker that opens on it; nullptr when
    // none opens.
    templates::TemplateViewController* activateUntilPickerOpens(app::Document& document)
    {
        activate(document);
        if (!QTest::qWaitFor([&] { return pickerSheet(document) != nullptr; }))
            return nullptr;
        return pickerController(document);
    }

    static app::DocumentActions& actions(app::Document& document)
    {
        return *document.documentWindow()->documentActions();
    }

    // The row of the inspector that edits keyPath of the shown object.
    static ledgerline::StringPropertyTableCellView* stringEditor(app::Document& document,
                                                                 const QString& keyPath)
    {
        for (ledgerline::PropertyRowView* row : document.documentWindow()->inspector()->rowViews()) {
            if (row->objectValue() && row->objectValue()->valueKeyPath() == keyPath)
                return dynamic_cast<ledgerline::StringPropertyTableCellView*>(row->cellView());
        }
        return nullptr;
    }

    static void type(QWidget* editor, const QString& text)
    {
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
    }

    // Ends the edit as the user does: Return in a field, leaving a text view.
    static void finish(QWidget* editor)
    {
        if (qobject_cast<QLineEdit*>(editor)) {
            QTest::keyClick(editor, Qt::Key_Return);
            return;
        }
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(editor, &out);
    }

    template <typename T> static QList<T*> drawablesOf(model::Screenshot& screenshot)
    {
        QList<T*> found;
        for (model::DrawableMapping* mapping : screenshot.drawableMappings()) {
            if (auto* drawable = dynamic_cast<T*>(mapping->drawable()))
                found.append(drawable);
        }
        return found;
    }

    static model::TextRect* firstCaption(model::Screenshot& screenshot)
    {
        return drawablesOf<model::TextRect>(screenshot).value(0);
    }

    // Every file of the folder at path, by path inside it, with its bytes.
    static QMap<QString, QByteArray> filesOf(const QString& path)
    {
        QMap<QString, QByteArray> files;
        QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            files.insert(QDir(path).relativeFilePath(file.fileName()), file.readAll());
        }
        return files;
    }
};

TEST_F(DocumentTest, ANewDocumentStartsWithItsMetadataAndNoUndoHistory)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->metadata().dictionary().value("FileVersion"), QVariant(1));
    EXPECT_EQ(document->metadata().dictionary().value("AppVersion"), QVariant(tessaline::App::version()));
    EXPECT_EQ(document->undoStack()->count(), 0);
    EXPECT_FALSE(document->isEdited());
}

TEST_F(DocumentTest, TheWindowHoldsListCanvasAndInspectorFromLeftToRight)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    app::DocumentWindow* window = document->documentWindow();
    QSplitter* panes = window->splitter();
    ASSERT_EQ(panes->count(), 3);
    EXPECT_EQ(panes->widget(0), window->screenshotList());
    EXPECT_EQ(panes->widget(1), window->canvasView());
    EXPECT_EQ(panes->widget(2), window->inspector()->view());
    EXPECT_GE(window->inspector()->view()->width(), 250);
    EXPECT_EQ(window->inspector()->view()->minimumWidth(), 250);
    EXPECT_TRUE(window->sidebarToggle()->isSelected(0));
    EXPECT_TRUE(window->sidebarToggle()->isSelected(1));
    // No screenshot: no canvas, an empty inspector.
    EXPECT_EQ(window->canvasView()->canvas(), nullptr);
    EXPECT_EQ(window->inspector()->object(), nullptr);
    // The toolbar's buttons carry their identifiers, the feedback button among them.
    for (const char* identifier : {"add", "export", "share", "feedback"})
        EXPECT_NE(window->toolbar()->findChild<QAbstractButton*>(identifier), nullptr) << identifier;
}

TEST_F(DocumentTest, ThePickerOpensOnceWhenANewDocumentFirstBecomesActive)
{
    app::Document* document = newDocumentPastThePicker();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(pickerSheet(*document), nullptr);
    EXPECT_TRUE(document->arrangement().screenshots().isEmpty());

    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    activate(*document);
    QTest::qWait(50);
    EXPECT_EQ(pickerSheet(*document), nullptr);
}

TEST_F(DocumentTest, TheSidebarToggleCollapsesAPaneAndTheCanvasRendersAgainAtItsNewWidth)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    app::DocumentWindow* window = document->documentWindow();
    insertScreenshots(*document->managedObjectContext(), {"A"});
    window->show();
    canvas::CanvasView* canvasView = window->canvasView();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return canvasView->contents().has_value() && !canvasView->needsRendering(); }));
    int renders = 0;
    const QObject counting; // ends the counting with the test
    QObject::connect(canvasView, &canvas::CanvasView::didRender, &counting, [&] { ++renders; });
    const int canvasWidth = canvasView->width();

    app::SidebarToggleControl* toggle = window->sidebarToggle();
    QTest::mouseClick(toggle, Qt::LeftButton, {}, toggle->segmentRect(0).center());
    EXPECT_FALSE(toggle->isSelected(0));
    // The View menu's item follows the pane.
    EXPECT_FALSE(actions(*document).showScreenshotList()->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return !window->screenshotList()->isVisible() &&
               !window->splitter()->isAnimating(window->screenshotList());
    }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return renders > 0 && !canvasView->needsRendering(); }));
    EXPECT_GT(canvasView->width(), canvasWidth);
    // The picture fills the wider pane.
    const double scale = std::min(canvasView->width() / 400.0, canvasView->height() / 300.0);
    EXPECT_NEAR(canvasView->contents()->size().width, 400 * scale, 0.5);

    // The menu item brings it back.
    actions(*document).showScreenshotList()->trigger();
    EXPECT_TRUE(toggle->isSelected(0));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return window->screenshotList()->isVisible() &&
               !window->splitter()->isAnimating(window->screenshotList());
    }));
}

TEST_F(DocumentTest, CommandsAreEnabledByTheirTargets)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    app::DocumentActions& menu = actions(*document);
    EXPECT_FALSE(menu.undo()->isEnabled());
    EXPECT_FALSE(menu.revert()->isEnabled());
    EXPECT_TRUE(menu.addScreenshot()->isEnabled());
    EXPECT_TRUE(menu.save()->isEnabled());
    EXPECT_FALSE(menu.selectAll()->isEnabled());
    EXPECT_TRUE(document->documentWindow()->toolbar()->findChild<QAbstractButton*>("add")->isEnabled());
    EXPECT_EQ(menu.undo()->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_EQ(menu.saveAs()->shortcut(), QKeySequence(QKeySequence::SaveAs));

    model::Screenshot::insertInto(*document->managedObjectContext());
    document->managedObjectContext()->processPendingChanges();
    EXPECT_TRUE(QTest::qWaitFor([&] { return document->undoStack()->canUndo(); }));
    EXPECT_TRUE(menu.undo()->isEnabled());
}

TEST_F(DocumentTest, FromANewDocumentThroughThePickerAndTheInspectorToTheFileAndBack)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Launch.pelorama");
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    auto* picker = activateUntilPickerOpens(*document);
    ASSERT_NE(picker, nullptr);
    templates::CollectionViewItem* first = picker->collectionView()->item({0, 0});
    ASSERT_NE(first, nullptr);
    QTest::mouseClick(first, Qt::LeftButton, {}, first->rect().center());
    EXPECT_TRUE(first->isSelected());
    templates::Template* chosen =
        templates::TemplateCategory::all().front().templateGroups().front().templates().front().get();
    QTest::mouseClick(picker->addButton(), Qt::LeftButton);

    // One screenshot, selected, on the canvas and in the inspector.
    auto& list = document->arrangement();
    ASSERT_EQ(list.screenshots().size(), 1);
    model::Screenshot* screenshot = list.screenshots().first();
    ASSERT_NE(screenshot, nullptr);
    EXPECT_EQ(screenshot->name(), chosen->name());
    EXPECT_EQ(screenshot->order(), 0);
    EXPECT_EQ(document->selection().screenshot(), screenshot);
    canvas::CanvasView* canvasView = document->documentWindow()->canvasView();
    ASSERT_NE(canvasView->canvas(), nullptr);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !canvasView->needsRendering() && canvasView->contents().has_value(); }));
    EXPECT_FALSE(canvasView->contents()->isEmpty());
    // The row's thumbnail is rendered too.
    app::ScreenshotListView* rows = document->documentWindow()->screenshotList();
    EXPECT_TRUE(QTest::qWaitFor([&] { return rows->showsCurrentThumbnails(); }));
    EXPECT_NE(rows->thumbnails().picture(*screenshot), nullptr);
    EXPECT_EQ(document->documentWindow()->inspector()->object(),
              static_cast<ledgerline::PropertyEditable*>(screenshot));

    // The screenshot's name through the inspector.
    ledgerline::StringPropertyTableCellView* name = stringEditor(*document, "name");
    ASSERT_NE(name, nullptr);
    type(name->textField(), "Launch screen");
    finish(name->textField());
    EXPECT_EQ(screenshot->name(), "Launch screen");

    // The caption: selected on the canvas, edited in the inspector.
    model::TextRect* caption = firstCaption(*screenshot);
    ASSERT_NE(caption, nullptr);
    canvasView->setSelection(caption);
    EXPECT_EQ(document->documentWindow()->inspector()->object(),
              static_cast<ledgerline::PropertyEditable*>(caption));
    ledgerline::StringPropertyTableCellView* text = stringEditor(*document, "text");
    ASSERT_NE(text, nullptr);
    QWidget* editor =
        text->textView()->isVisible() ? static_cast<QWidget*>(text->textView()) : text->textField();
    type(editor, "Edited in the inspector");
    finish(editor);
    EXPECT_EQ(caption->text(), "Edited in the inspector");
    // Clicking outside every drawable brings back the screenshot's properties.
    canvasView->setSelection(nullptr);
    EXPECT_EQ(document->documentWindow()->inspector()->object(),
              static_cast<ledgerline::PropertyEditable*>(screenshot));

    ASSERT_TRUE(document->saveAs(path).hasValue());
    EXPECT_FALSE(document->isEdited());
    // Text typed into the caption on the canvas and never committed is kept by closing.
    const graphics::Rect frame = canvasView->viewRect(*caption);
    const QPoint centre(qRound(frame.midX()), qRound(canvasView->height() - frame.midY()));
    QTest::mouseDClick(canvasView, Qt::LeftButton, {}, centre);
    ASSERT_NE(canvasView->editor(), nullptr);
    canvasView->editor()->selectAll();
    QTest::keyClicks(canvasView->editor(), "Typed on the canvas");
    ASSERT_TRUE(document->close());
    QCoreApplication::processEvents();
    EXPECT_TRUE(controller.documents().isEmpty());

    auto reopened = controller.openDocument(path);
    ASSERT_TRUE(reopened.hasValue());
    auto* again = static_cast<app::Document*>(*reopened);
    // An opened document shows no picker.
    activate(*again);
    QTest::qWait(50);
    EXPECT_EQ(pickerSheet(*again), nullptr);
    EXPECT_EQ(again->metadata().dictionary().value("FileVersion"), QVariant(1));
    auto& reopenedList = again->arrangement();
    ASSERT_EQ(reopenedList.screenshots().size(), 1);
    model::Screenshot* found = reopenedList.screenshots().first();
    EXPECT_EQ(found->name(), "Launch screen");
    EXPECT_EQ(again->selection().screenshot(), found);
    model::TextRect* reopenedCaption = firstCaption(*found);
    ASSERT_NE(reopenedCaption, nullptr);
    EXPECT_EQ(reopenedCaption->text(), "Typed on the canvas");
    EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join("; ").toStdString();
}

TEST_F(DocumentTest, AnOpenedDocumentIsCleanAndAnUntouchedOneIsNeverWritten)
{
    // A saved document whose device images show pictures, on two screenshots.
    QTemporaryDir folder;
    const QString path = folder.filePath("Pictures.pelorama");
    const QString picturePath = folder.filePath("screen.png");
    QImage picture(75, 133, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(picturePath));
    {
        app::Document* document = newDocument();
        ASSERT_NE(document, nullptr);
        int pictures = 0;
        for (const templates::TemplateCategory& category : templates::TemplateCategory::all()) {
            model::Screenshot& screenshot =
                category.templateGroups().front().templates().front()->instantiateScreenshot(
                    *document->managedObjectContext());
            for (model::DeviceImage* device : drawablesOf<model::DeviceImage>(screenshot)) {
                ASSERT_TRUE(device->processDroppedUrl(QUrl::fromLocalFile(picturePath)).hasValue());
                ++pictures;
            }
        }
        ASSERT_GE(pictures, 2);
        ASSERT_TRUE(document->saveAs(path).hasValue());
        document->closeWithoutAsking();
        QCoreApplication::processEvents();
    }
    const QMap<QString, QByteArray> saved = filesOf(path);
    ASSERT_TRUE(saved.contains("StoreContent/persistentStore"));
    ASSERT_TRUE(saved.contains("Metadata"));

    auto opened = controller.openDocument(path, false);
    ASSERT_TRUE(opened.hasValue());
    auto* document = static_cast<app::Document*>(*opened);
    document->setAutosaveDelay(std::chrono::milliseconds(50));
    document->windows().showWindows();
    activate(*document);
    // Every screenshot shown, so that every device image and its picture is loaded.
    auto& list = document->arrangement();
    ASSERT_GE(list.screenshots().size(), 2);
    canvas::CanvasView* canvasView = document->documentWindow()->canvasView();
    for (int row = 0; row < int(list.screenshots().size()); ++row) {
        document->selection().setScreenshot(list.screenshotAt(row));
        model::Screenshot* screenshot = list.screenshots()[row];
        for (model::DeviceImage* device : drawablesOf<model::DeviceImage>(*screenshot))
            EXPECT_TRUE(device->image().has_value());
        EXPECT_TRUE(QTest::qWaitFor([&] { return canvasView->canvas() && !canvasView->needsRendering(); }));
    }
    QTest::qWait(300);

    EXPECT_FALSE(document->isEdited());
    EXPECT_FALSE(document->undoStack()->canUndo());
    EXPECT_FALSE(document->managedObjectContext()->hasChanges());
    actions(*document).validate();
    EXPECT_FALSE(actions(*document).undo()->isEnabled());
    EXPECT_FALSE(document->documentWindow()->isWindowModified());
    const QMap<QString, QByteArray> after = filesOf(path);
    EXPECT_EQ(after.keys(), saved.keys());
    for (const QString& file : saved.keys())
        EXPECT_TRUE(after.value(file) == saved.value(file)) << file.toStdString() << " was rewritten";
    EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join("; ").toStdString();
}

TEST_F(DocumentTest, AChosenTemplateGoesAfterTheSelectedScreenshotAndTheListIsRenumbered)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    auto& list = document->arrangement();
    const auto& templates = templates::TemplateCategory::all().front().templateGroups().front().templates();
    for (int i = 0; i < 3; ++i) {
        document->documentWindow()->commands()->showTemplatePicker();
        auto* picker = pickerController(*document);
        picker->collectionView()->selectItems({{0, i}});
        picker->addPressed();
    }
    ASSERT_EQ(list.screenshots().size(), 3);
    document->selection().setScreenshot(list.screenshotAt(1));
    document->documentWindow()->commands()->showTemplatePicker();
    auto* picker = pickerController(*document);
    picker->collectionView()->selectItems({{0, 3}});
    QTest::mouseDClick(picker->collectionView()->item({0, 3}), Qt::LeftButton);
    ASSERT_EQ(list.screenshots().size(), 4);
    EXPECT_EQ(ordersOf(list.screenshots()), QList<double>({0, 1, 2, 3}));
    model::Screenshot* inserted = list.screenshots()[2];
    EXPECT_EQ(inserted->name(), templates[3]->name());
    EXPECT_EQ(document->selection().screenshot(), inserted);

    // Add with nothing selected inserts nothing.
    document->documentWindow()->commands()->showTemplatePicker();
    picker = pickerController(*document);
    picker->addPressed();
    EXPECT_EQ(list.screenshots().size(), 4);
}

TEST_F(DocumentTest, UndoTakesBackATemplateInsertionWholeAndRedoBringsBackTheSameScreenshot)
{
    app::Document* document = newDocumentPastThePicker();
    ASSERT_NE(document, nullptr);
    store::ManagedObjectContext& context = *document->managedObjectContext();
    insertScreenshots(context, {"A", "B", "C"});
    auto& list = document->arrangement();
    document->selection().setScreenshot(list.screenshotAt(1));
    QCoreApplication::processEvents();
    const auto pixels = [](model::Screenshot* screenshot) {
        return model::DetachedCanvas(screenshot->makeCanvas())
            .render(model::CanvasRenderingMode::exportImage, screenshot->size(), 1)
            .representations()
            .front()
            .bitmap();
    };
    const auto picturesOf = [&](const QList<model::Screenshot*>& screenshots) {
        QList<QImage> pictures;
        for (model::Screenshot* screenshot : screenshots)
            pictures.append(pixels(screenshot));
        return pictures;
    };
    const auto count = [&](const QString& entity) {
        return context.execute(store::FetchRequest(entity)).value().size();
    };
    const QList<QImage> before = picturesOf(list.screenshots());
    const int steps = document->undoStack()->index();

    // A phone in a device frame, a caption and a gradient, chosen as a user does.
    document->documentWindow()->commands()->showTemplatePicker();
    auto* picker = pickerController(*document);
    templates::CollectionViewItem* item = picker->collectionView()->item({1, 3});
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
    QTest::mouseClick(picker->addButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    const QStringList namesAfter{"A", "B", "Staggered", "C"};
    ASSERT_EQ(namesOf(list.screenshots()), namesAfter);
    const QList<QImage> after = picturesOf(list.screenshots());
    const qsizetype drawables = count("DrawableMapping");
    EXPECT_EQ(drawables, 3);
    EXPECT_EQ(document->undoStack()->index(), steps + 1);

    actions(*document).undo()->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(namesOf(list.screenshots()), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(ordersOf(list.screenshots()), (QList<double>{0, 1, 2}));
    EXPECT_EQ(count("Screenshot"), 3);
    EXPECT_EQ(count("DrawableMapping"), 0);
    EXPECT_EQ(count("DeviceImage") + count("TextRect"), 0);
    EXPECT_EQ(picturesOf(list.screenshots()), before);

    actions(*document).redo()->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(namesOf(list.screenshots()), namesAfter);
    EXPECT_EQ(ordersOf(list.screenshots()), (QList<double>{0, 1, 2, 3}));
    EXPECT_EQ(count("DrawableMapping"), drawables);
    EXPECT_EQ(picturesOf(list.screenshots()), after);
    EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join("; ").toStdString();
}

TEST_F(DocumentTest, TheDeleteKeyDeletesTheSelectedScreenshotOnlyFromTheList)
{
    app::Document* document = newDocumentPastThePicker();
    ASSERT_NE(document, nullptr);
    const QList<model::Screenshot*> screenshots =
        insertScreenshots(*document->managedObjectContext(), {"A", "B", "C"});
    auto& list = document->arrangement();
    const auto remaining = [&] {
        return list.screenshots();
    };
    ASSERT_EQ(list.screenshots().size(), 3);
    activate(*document);
    const auto pressDelete = [](QWidget* widget) {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Delete);
        QCoreApplication::processEvents();
    };

    // On the canvas and on the inspector's controls that are no text fields, the key does nothing.
    pressDelete(document->documentWindow()->canvasView());
    auto* popUp = document->documentWindow()->inspector()->view()->findChild<QComboBox*>();
    ASSERT_NE(popUp, nullptr);
    const int shownItem = popUp->currentIndex();
    pressDelete(popUp);
    EXPECT_EQ(popUp->currentIndex(), shownItem);
    auto* colourWell =
        document->documentWindow()->inspector()->view()->findChild<tessaline::ColorPickerButton*>();
    ASSERT_NE(colourWell, nullptr);
    pressDelete(colourWell);
    EXPECT_EQ(remaining(), screenshots);
    // A text field deletes a character of its own.
    ledgerline::StringPropertyTableCellView* name = stringEditor(*document, "name");
    ASSERT_NE(name, nullptr);
    name->textField()->setFocus();
    name->textField()->setCursorPosition(0);
    pressDelete(name->textField());
    EXPECT_EQ(name->textField()->text(), "");
    EXPECT_EQ(remaining(), screenshots);

    // From the list it deletes the selected screenshot.
    app::ScreenshotListView* listView = document->documentWindow()->screenshotList();
    QTest::mouseClick(listView->viewport(), Qt::LeftButton, {},
                      listView->visualRect(document->screenshotList().index(1)).center());
    pressDelete(listView);
    EXPECT_EQ(remaining(), QList<model::Screenshot*>({screenshots[0], screenshots[2]}));

    // Edit > Delete works wherever the focus is.
    document->documentWindow()->canvasView()->setFocus();
    QAction* item = actions(*document).remove();
    QMenu* edit = nullptr;
    for (QObject* holder : item->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(holder))
            edit = menu;
    }
    ASSERT_NE(edit, nullptr);
    edit->popup(document->documentWindow()->mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(item).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(remaining().size(), 1);
}

} // namespace

// A document open in one Pelorama process is not opened by another, which would autosave into the same
// store, nor written over by another's Save As: it says so and does nothing. The lock lies outside the
// package, which opening leaves as it is, and is let go of when the document closes. (In one process the
// controller hands back the document already open, so a second document object stands in for the other
// process.)
TEST_F(DocumentTest, ADocumentOpenInAnotherProcessIsNeitherOpenedNorWrittenOver)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Shared.pelorama");
    {
        app::Document* document = newDocument();
        ASSERT_NE(document, nullptr);
        ASSERT_TRUE(document->saveAs(path).hasValue());
        document->closeWithoutAsking();
    }
    const QMap<QString, QByteArray> saved = filesOf(path);

    auto opened = controller.openDocument(path, false);
    ASSERT_TRUE(opened.hasValue());
    app::Document other;
    const appkit::DocumentResult<> refused = other.readFromPath(path, app::Document::typeName());
    ASSERT_FALSE(refused.hasValue());
    EXPECT_EQ(refused.error().message(),
              "The document “Shared.pelorama” could not be opened. It is open in another Pelorama window.");
    EXPECT_TRUE(other.isUntitled());
    EXPECT_EQ(filesOf(path).keys(), saved.keys());
    // However the package is named, it is the one lock.
    const QString linked = folder.filePath("linked");
    ASSERT_TRUE(QFile::link(folder.path(), linked));
    EXPECT_EQ(app::DocumentLock::lockFilePath(QDir(linked).filePath("Shared.pelorama")),
              app::DocumentLock::lockFilePath(path));

    app::Document untitled;
    untitled.initializeNewDocument(app::Document::typeName());
    const appkit::DocumentResult<> notSaved = untitled.saveAs(path);
    ASSERT_FALSE(notSaved.hasValue());
    EXPECT_EQ(notSaved.error().message(),
              "The document “Untitled” could not be saved. It is open in another Pelorama window.");
    EXPECT_TRUE(untitled.isUntitled());
    EXPECT_EQ(filesOf(path), saved);
    // Saved elsewhere, it keeps others from opening it there.
    const QString elsewhere = folder.filePath("Elsewhere.pelorama");
    ASSERT_TRUE(untitled.saveAs(elsewhere).hasValue());
    EXPECT_FALSE(app::Document().readFromPath(elsewhere, app::Document::typeName()).hasValue());

    (*opened)->closeWithoutAsking();
    EXPECT_TRUE(other.readFromPath(path, app::Document::typeName()).hasValue());
}
