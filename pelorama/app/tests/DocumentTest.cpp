// The document and its window, up to the whole path a user takes: a new document, a template chosen in
// the picker, a caption edited in the inspector, saved, closed and opened again.
#include "app/Document.h"

#include "SilentDialogs.h"
#include "TestContext.h"
#include "app/ArrayController.h"
#include "app/MainMenu.h"
#include "app/ScreenshotTableCellView.h"
#include "app/ScreenshotTableViewController.h"
#include "app/SidebarToggleControl.h"
#include "app/SidebarToggleController.h"
#include "app/SplitViewController.h"
#include "app/SplitViewItem.h"
#include "app/TableView.h"
#include "app/Toolbar.h"
#include "appkit/DocumentController.h"
#include "appkit/DocumentDialogs.h"
#include "appkit/DocumentWindows.h"
#include "canvas/CanvasView.h"
#include "canvas/CanvasViewController.h"
#include "canvas/CaptionEditor.h"
#include "canvas/ScreenshotThumbnailView.h"
#include "ledgerline/Property.h"
#include "ledgerline/PropertyRowView.h"
#include "ledgerline/PropertyTableViewController.h"
#include "ledgerline/StringPropertyTableCellView.h"
#include "model/DetachedCanvas.h"
#include "model/DeviceImage.h"
#include "model/DrawableMapping.h"
#include "model/Screenshot.h"
#include "model/TextRect.h"
#include "store/FetchRequest.h"
#include "templates/Template.h"
#include "templates/TemplateCategory.h"
#include "templates/picker/CollectionView.h"
#include "templates/picker/TemplateViewController.h"
#include "tessaline/Shared/App.h"
#include "tessaline/Tessaline/ColorPickerButton.h"

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
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

class DocumentTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().remove(templates::TemplateViewController::categorySettingKey);
        controller.addDocumentType(app::Document::documentType());
        controller.setDialogs(dialogs);
    }

    void TearDown() override
    {
        for (appkit::Document* document : controller.documents())
            document->closeWithoutAsking();
        QCoreApplication::processEvents();
    }

    app::Document* newDocument()
    {
        auto made = controller.makeUntitledDocument(app::Document::typeName());
        EXPECT_TRUE(made.hasValue());
        return made ? static_cast<app::Document*>(*made) : nullptr;
    }

    static void activate(app::Document& document)
    {
        QWidget* window = document.window();
        window->activateWindow();
        QApplication::setActiveWindow(window);
    }

    // The row of the inspector that edits keyPath of the shown object.
    static ledgerline::StringPropertyTableCellView* stringEditor(app::Document& document,
                                                                 const QString& keyPath)
    {
        for (ledgerline::PropertyRowView* row : document.propertyEditor()->rowViews()) {
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

    std::shared_ptr<SilentDialogs> dialogs = std::make_shared<SilentDialogs>();
    appkit::DocumentController controller;
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
    QSplitter* panes = document->splitViewController()->splitter();
    ASSERT_EQ(panes->count(), 3);
    EXPECT_EQ(panes->widget(0), document->screenshotTableViewController()->view());
    EXPECT_EQ(panes->widget(1), document->canvasViewController()->view());
    EXPECT_EQ(panes->widget(2), document->propertyEditor()->view());
    EXPECT_GE(document->propertyEditor()->view()->width(), 250);
    EXPECT_EQ(document->propertyEditor()->view()->minimumWidth(), 250);
    EXPECT_EQ(document->sidebarToggleController()->leftSplitViewItem(),
              document->screenshotListSplitViewItem());
    EXPECT_EQ(document->sidebarToggleController()->rightSplitViewItem(),
              document->propertyEditorSplitViewItem());
    // No screenshot: no canvas, an empty inspector.
    EXPECT_EQ(document->canvasViewController()->canvasView()->canvas(), nullptr);
    EXPECT_EQ(document->propertyEditor()->object(), nullptr);
    // The feedback item is there, under its identifier.
    EXPECT_NE(document->toolbar()->itemWithIdentifier(app::Document::feedbackItemIdentifier), nullptr);
}

TEST_F(DocumentTest, ThePickerOpensOnceWhenANewDocumentFirstBecomesActive)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    activate(*document);
    ASSERT_TRUE(QTest::qWaitFor([&] { return document->templatePickerSheet() != nullptr; }));
    auto* picker = qobject_cast<templates::TemplateViewController*>(
        document->templatePickerSheet()->contentViewController());
    ASSERT_NE(picker, nullptr);
    QTest::mouseClick(picker->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(document->templatePickerSheet(), nullptr);
    EXPECT_TRUE(
        document->screenshotTableViewController()->screenshotArrayController()->arrangedObjects().isEmpty());

    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    activate(*document);
    QTest::qWait(50);
    EXPECT_EQ(document->templatePickerSheet(), nullptr);
}

TEST_F(DocumentTest, CollapsingAPaneRendersTheCanvasAgain)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    canvas::CanvasView* canvasView = document->canvasViewController()->canvasView();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !canvasView->needsRendering(); }));
    app::SidebarToggleController* toggle = document->sidebarToggleController();
    EXPECT_EQ(toggle->delegate(), static_cast<app::SidebarToggleControllerDelegate*>(document));
    document->sidebarToggleControllerDidChangeVisibilityOf(*toggle, *document->screenshotListSplitViewItem());
    EXPECT_TRUE(canvasView->needsRendering());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !canvasView->needsRendering(); }));

    // The View menu's item follows the pane.
    document->mainMenu()->action("toggleScreenshotList")->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return document->screenshotListSplitViewItem()->isCollapsed() &&
               !document->screenshotListSplitViewItem()->isAnimating();
    }));
    document->mainMenu()->validate();
    EXPECT_FALSE(document->mainMenu()->action("toggleScreenshotList")->isChecked());
    EXPECT_FALSE(document->screenshotTableViewController()->view()->isVisible());
}

TEST_F(DocumentTest, CommandsAreEnabledByTheirTargets)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    app::MainMenu* menu = document->mainMenu();
    menu->validate();
    EXPECT_FALSE(menu->action("undo")->isEnabled());
    EXPECT_FALSE(menu->action("revert")->isEnabled());
    EXPECT_TRUE(menu->action("addScreenshot")->isEnabled());
    EXPECT_TRUE(menu->action("save")->isEnabled());
    EXPECT_FALSE(menu->action("selectAll")->isEnabled());
    document->toolbar()->validateVisibleItems();
    EXPECT_TRUE(document->toolbar()->itemWithIdentifier("add")->isEnabled());
    EXPECT_EQ(menu->action("undo")->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_EQ(menu->action("saveAs")->shortcut(), QKeySequence(QKeySequence::SaveAs));

    model::Screenshot::insertInto(*document->managedObjectContext());
    document->managedObjectContext()->processPendingChanges();
    EXPECT_TRUE(QTest::qWaitFor([&] { return document->undoStack()->canUndo(); }));
    menu->validate();
    EXPECT_TRUE(menu->action("undo")->isEnabled());
}

TEST_F(DocumentTest, FromANewDocumentThroughThePickerAndTheInspectorToTheFileAndBack)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Launch.pelorama");
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    activate(*document);
    ASSERT_TRUE(QTest::qWaitFor([&] { return document->templatePickerSheet() != nullptr; }));
    auto* picker = qobject_cast<templates::TemplateViewController*>(
        document->templatePickerSheet()->contentViewController());
    ASSERT_NE(picker, nullptr);
    templates::CollectionViewItem* first = picker->collectionView()->item({0, 0});
    ASSERT_NE(first, nullptr);
    QTest::mouseClick(first, Qt::LeftButton, {}, first->rect().center());
    EXPECT_TRUE(first->isSelected());
    templates::Template* chosen =
        templates::TemplateCategory::all().front().templateGroups().front().templates().front().get();
    QTest::mouseClick(picker->addButton(), Qt::LeftButton);

    // One screenshot, selected, on the canvas and in the inspector.
    app::ArrayController* list = document->screenshotTableViewController()->screenshotArrayController();
    ASSERT_EQ(list->arrangedObjects().size(), 1);
    auto* screenshot = qobject_cast<model::Screenshot*>(list->arrangedObjects().first());
    ASSERT_NE(screenshot, nullptr);
    EXPECT_EQ(screenshot->name(), chosen->name());
    EXPECT_EQ(screenshot->order(), 0);
    EXPECT_EQ(document->screenshotTableViewController()->selectedScreenshot(), screenshot);
    canvas::CanvasView* canvasView = document->canvasViewController()->canvasView();
    ASSERT_NE(canvasView->canvas(), nullptr);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !canvasView->needsRendering() && canvasView->contents().has_value(); }));
    EXPECT_FALSE(canvasView->contents()->isEmpty());
    // The row's thumbnail is rendered too.
    app::ScreenshotTableCellView* cell = document->screenshotTableViewController()->cellAtRow(0);
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell->thumbnailView()->image().has_value(); }));
    EXPECT_EQ(document->propertyEditor()->object(), static_cast<ledgerline::PropertyEditable*>(screenshot));
    // Every render of the canvas renders the selected row's thumbnail again.
    cell->thumbnailView()->setImage(std::nullopt);
    canvasView->renderCanvas();
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell->thumbnailView()->image().has_value(); }));

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
    EXPECT_EQ(document->propertyEditor()->object(), static_cast<ledgerline::PropertyEditable*>(caption));
    ledgerline::StringPropertyTableCellView* text = stringEditor(*document, "text");
    ASSERT_NE(text, nullptr);
    QWidget* editor =
        text->textView()->isVisible() ? static_cast<QWidget*>(text->textView()) : text->textField();
    type(editor, "Edited in the inspector");
    finish(editor);
    EXPECT_EQ(caption->text(), "Edited in the inspector");
    // Clicking outside every drawable brings back the screenshot's properties.
    canvasView->setSelection(nullptr);
    EXPECT_EQ(document->propertyEditor()->object(), static_cast<ledgerline::PropertyEditable*>(screenshot));

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
    EXPECT_EQ(again->templatePickerSheet(), nullptr);
    EXPECT_EQ(again->metadata().dictionary().value("FileVersion"), QVariant(1));
    app::ArrayController* reopenedList = again->screenshotTableViewController()->screenshotArrayController();
    ASSERT_EQ(reopenedList->arrangedObjects().size(), 1);
    auto* found = qobject_cast<model::Screenshot*>(reopenedList->arrangedObjects().first());
    EXPECT_EQ(found->name(), "Launch screen");
    EXPECT_EQ(again->screenshotTableViewController()->selectedScreenshot(), found);
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
    app::ArrayController* list = document->screenshotTableViewController()->screenshotArrayController();
    ASSERT_GE(list->arrangedObjects().size(), 2);
    canvas::CanvasView* canvasView = document->canvasViewController()->canvasView();
    for (int row = 0; row < int(list->arrangedObjects().size()); ++row) {
        list->setSelectionIndexes({row});
        auto* screenshot = qobject_cast<model::Screenshot*>(list->arrangedObjects()[row]);
        for (model::DeviceImage* device : drawablesOf<model::DeviceImage>(*screenshot))
            EXPECT_TRUE(device->image().has_value());
        EXPECT_TRUE(QTest::qWaitFor([&] { return canvasView->canvas() && !canvasView->needsRendering(); }));
    }
    QTest::qWait(300);

    EXPECT_FALSE(document->isEdited());
    EXPECT_FALSE(document->undoStack()->canUndo());
    EXPECT_FALSE(document->managedObjectContext()->hasChanges());
    document->mainMenu()->validate();
    EXPECT_FALSE(document->mainMenu()->action("undo")->isEnabled());
    EXPECT_FALSE(document->window()->isWindowModified());
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
    app::ArrayController* list = document->screenshotTableViewController()->screenshotArrayController();
    const auto& templates = templates::TemplateCategory::all().front().templateGroups().front().templates();
    for (int i = 0; i < 3; ++i) {
        document->showTemplatePicker();
        auto* picker = qobject_cast<templates::TemplateViewController*>(
            document->templatePickerSheet()->contentViewController());
        picker->collectionView()->selectItems({{0, i}});
        picker->addPressed();
    }
    ASSERT_EQ(list->arrangedObjects().size(), 3);
    list->setSelectionIndexes({1});
    document->showTemplatePicker();
    auto* picker = qobject_cast<templates::TemplateViewController*>(
        document->templatePickerSheet()->contentViewController());
    picker->collectionView()->selectItems({{0, 3}});
    QTest::mouseDClick(picker->collectionView()->item({0, 3}), Qt::LeftButton);
    ASSERT_EQ(list->arrangedObjects().size(), 4);
    EXPECT_EQ(ordersOf(list->arrangedObjects()), QList<double>({0, 1, 2, 3}));
    auto* inserted = qobject_cast<model::Screenshot*>(list->arrangedObjects()[2]);
    EXPECT_EQ(inserted->name(), templates[3]->name());
    EXPECT_EQ(document->screenshotTableViewController()->selectedScreenshot(), inserted);

    // Add with nothing selected inserts nothing.
    document->showTemplatePicker();
    picker = qobject_cast<templates::TemplateViewController*>(
        document->templatePickerSheet()->contentViewController());
    picker->addPressed();
    EXPECT_EQ(list->arrangedObjects().size(), 4);
}

TEST_F(DocumentTest, UndoTakesBackATemplateInsertionWholeAndRedoBringsBackTheSameScreenshot)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    activate(*document);
    QTRY_VERIFY(document->templatePickerSheet());
    auto* picker = qobject_cast<templates::TemplateViewController*>(
        document->templatePickerSheet()->contentViewController());
    QTest::mouseClick(picker->cancelButton(), Qt::LeftButton);
    store::ManagedObjectContext& context = *document->managedObjectContext();
    insertScreenshots(context, {"A", "B", "C"});
    app::ArrayController* list = document->screenshotTableViewController()->screenshotArrayController();
    list->setSelectionIndexes({1});
    QCoreApplication::processEvents();
    const auto pixels = [](store::ManagedObject* object) {
        auto* screenshot = qobject_cast<model::Screenshot*>(object);
        return model::DetachedCanvas(screenshot->makeCanvas())
            .render(model::CanvasRenderingMode::exportImage, screenshot->size(), 1)
            .representations()
            .front()
            .bitmap();
    };
    const auto picturesOf = [&](const QList<store::ManagedObject*>& screenshots) {
        QList<QImage> pictures;
        for (store::ManagedObject* screenshot : screenshots)
            pictures.append(pixels(screenshot));
        return pictures;
    };
    const auto count = [&](const QString& entity) {
        return context.execute(store::FetchRequest(entity)).value().size();
    };
    const QList<QImage> before = picturesOf(list->arrangedObjects());
    const int steps = document->undoStack()->index();

    // A phone in a device frame, a caption and a gradient, chosen as a user does.
    document->showTemplatePicker();
    picker = qobject_cast<templates::TemplateViewController*>(
        document->templatePickerSheet()->contentViewController());
    templates::CollectionViewItem* item = picker->collectionView()->item({1, 3});
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(item, Qt::LeftButton, {}, item->rect().center());
    QTest::mouseClick(picker->addButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    const QStringList namesAfter{"A", "B", "Staggered", "C"};
    ASSERT_EQ(namesOf(list->arrangedObjects()), namesAfter);
    const QList<QImage> after = picturesOf(list->arrangedObjects());
    const qsizetype drawables = count("DrawableMapping");
    EXPECT_EQ(drawables, 3);
    EXPECT_EQ(document->undoStack()->index(), steps + 1);

    document->mainMenu()->action("undo")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(namesOf(list->arrangedObjects()), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(ordersOf(list->arrangedObjects()), (QList<double>{0, 1, 2}));
    EXPECT_EQ(count("Screenshot"), 3);
    EXPECT_EQ(count("DrawableMapping"), 0);
    EXPECT_EQ(count("DeviceImage") + count("TextRect"), 0);
    EXPECT_EQ(picturesOf(list->arrangedObjects()), before);

    document->mainMenu()->action("redo")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(namesOf(list->arrangedObjects()), namesAfter);
    EXPECT_EQ(ordersOf(list->arrangedObjects()), (QList<double>{0, 1, 2, 3}));
    EXPECT_EQ(count("DrawableMapping"), drawables);
    EXPECT_EQ(picturesOf(list->arrangedObjects()), after);
    EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join("; ").toStdString();
}

TEST_F(DocumentTest, TheDeleteKeyDeletesTheSelectedScreenshotOnlyFromTheList)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    activate(*document);
    ASSERT_TRUE(QTest::qWaitFor([&] { return document->templatePickerSheet() != nullptr; }));
    auto* picker = qobject_cast<templates::TemplateViewController*>(
        document->templatePickerSheet()->contentViewController());
    QTest::mouseClick(picker->cancelButton(), Qt::LeftButton);
    const QList<model::Screenshot*> screenshots =
        insertScreenshots(*document->managedObjectContext(), {"A", "B", "C"});
    const auto remaining = [&] {
        QList<model::Screenshot*> shown;
        for (store::ManagedObject* object :
             document->screenshotTableViewController()->screenshotArrayController()->arrangedObjects())
            shown.append(qobject_cast<model::Screenshot*>(object));
        return shown;
    };
    app::ArrayController* list = document->screenshotTableViewController()->screenshotArrayController();
    ASSERT_EQ(list->arrangedObjects().size(), 3);
    activate(*document);
    const auto pressDelete = [](QWidget* widget) {
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Delete);
        QCoreApplication::processEvents();
    };

    // On the canvas and on the inspector's controls that are no text fields, the key does nothing.
    pressDelete(document->canvasViewController()->canvasView());
    auto* popUp = document->propertyEditor()->view()->findChild<QComboBox*>();
    ASSERT_NE(popUp, nullptr);
    const int shownItem = popUp->currentIndex();
    pressDelete(popUp);
    EXPECT_EQ(popUp->currentIndex(), shownItem);
    auto* colourWell = document->propertyEditor()->view()->findChild<tessaline::ColorPickerButton*>();
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
    QTest::mouseClick(document->screenshotTableViewController()->screenshotTableView()->viewport(),
                      Qt::LeftButton, {},
                      document->screenshotTableViewController()
                          ->screenshotTableView()
                          ->visualRect(list->index(1))
                          .center());
    pressDelete(document->screenshotTableViewController()->screenshotTableView());
    EXPECT_EQ(remaining(), QList<model::Screenshot*>({screenshots[0], screenshots[2]}));

    // Edit > Delete works wherever the focus is.
    document->canvasViewController()->canvasView()->setFocus();
    QAction* item = document->mainMenu()->action("delete");
    QMenu* edit = nullptr;
    for (QObject* holder : item->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(holder))
            edit = menu;
    }
    ASSERT_NE(edit, nullptr);
    edit->popup(document->window()->mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(item).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(remaining().size(), 1);
}

} // namespace
