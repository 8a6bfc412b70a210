// A document window's languages as the user reaches them: the toolbar's language menu, the Add and Remove
// Language dialogs, captions edited on the canvas and in the inspector, and what the window shows.
#include "DocumentWindowFixture.h"
#include "app/Document.h"
#include "app/languages/AddLanguageDialog.h"
#include "app/languages/LanguageChoice.h"
#include "app/languages/LanguageCommands.h"
#include "app/languages/LanguageMenu.h"
#include "app/languages/LanguageNames.h"
#include "app/languages/RemoveLanguageDialog.h"
#include "app/list/ScreenshotListModel.h"
#include "app/list/ScreenshotListView.h"
#include "app/window/DocumentActions.h"
#include "app/window/DocumentCommands.h"
#include "app/window/DocumentWindow.h"
#include "app/window/MainMenu.h"
#include "canvas/CanvasView.h"
#include "canvas/CaptionEditor.h"
#include "ledgerline/core/Property.h"
#include "ledgerline/widgets/PropertyRowView.h"
#include "ledgerline/widgets/PropertyTableViewController.h"
#include "ledgerline/widgets/StringPropertyTableCellView.h"
#include "model/attributes/WarningProperty.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/languages/DocumentLanguages.h"
#include "model/languages/LanguageEditing.h"
#include "model/selection/DocumentSelection.h"
#include "store/ManagedObjectContext.h"
#include "templates/picker/TemplateViewController.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

class LanguageTest : public DocumentWindowFixture
{
protected:
    void SetUp() override
    {
        DocumentWindowFixture::SetUp();
        if (HasFatalFailure())
            return;

        store::ManagedObjectContext& context = *document->managedObjectContext();
        // Made whole before the list hears of it.
        auto* screenshot = model::Screenshot::insertInto(context);
        screenshot->setName("Welcome");
        screenshot->setSize({400, 300});
        caption =
            model::TextRect::insertInto(context, {0, 0, 400, 300}, "Hello", graphics::TextAlignment::center,
                                        model::VerticalAlignment::center);
        caption->setFont(graphics::Font("HelveticaNeue", 60));
        model::DrawableMapping::insert(*caption, *screenshot, context);
        context.processPendingChanges();
        ASSERT_TRUE(QTest::qWaitFor([&] { return document->selection().screenshot() == screenshot; }));
        base = languages().base;
    }

    model::DocumentLanguages languages() const
    {
        return model::DocumentLanguages::of(*document->managedObjectContext());
    }

    QString shownLanguage() const { return window->languageChoice()->current(); }

    QMenu* languageMenu() const { return window->documentActions()->languageMenu(); }

    // An item's text as it reads, without its mnemonic's mark and what stands beside it.
    static QString reading(const QString& text) { return QString(text).remove(u'&').section(u'\t', 0, 0); }

    QStringList menuItems() const
    {
        QStringList items;
        for (QAction* action : languageMenu()->actions()) {
            if (!action->isSeparator())
                items.append(reading(action->text()));
        }
        return items;
    }

    // Opens the menu from its toolbar button and clicks the item.
    void choose(const QString& item)
    {
        QMenu* menu = languageMenu();
        QTimer::singleShot(0, menu, [menu, item] {
            for (QAction* action : menu->actions()) {
                if (reading(action->text()) == reading(item)) {
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                    return;
                }
            }
            ADD_FAILURE() << "no item " << item.toStdString();
            menu->close();
        });
        auto* button = window->toolbar()->findChild<QAbstractButton*>("language");
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    // The canvas as drawn once everything asked for has been rendered.
    QImage shownCanvas() const
    {
        canvas::CanvasView* view = window->canvasView();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !view->needsRendering() && view->contents().has_value(); }));
        return view->contents() ? view->contents()->representations().front().bitmap() : QImage();
    }

    QImage shownThumbnail() const
    {
        app::ScreenshotListView* list = window->screenshotList();
        EXPECT_TRUE(QTest::qWaitFor([&] { return list->showsCurrentThumbnails(); }));
        const graphics::Image* picture = list->thumbnails().picture(*document->selection().screenshot());
        return picture ? picture->representations().front().bitmap() : QImage();
    }

    ledgerline::PropertyRowView* inspectorRow(const QString& keyPathOrIdentifier) const
    {
        for (ledgerline::PropertyRowView* row : window->inspector()->rowViews()) {
            const ledgerline::Property* property = row->objectValue();
            if (property && (property->valueKeyPath() == keyPathOrIdentifier ||
                             property->identifier() == keyPathOrIdentifier))
                return row;
        }
        return nullptr;
    }

    // The untranslated note while it shows.
    QString note() const
    {
        ledgerline::PropertyRowView* row = inspectorRow("untranslated");
        auto* warning = row ? qobject_cast<model::WarningProperty*>(row->objectValue()) : nullptr;
        return warning && !warning->isHidden() ? warning->message() : QString();
    }

    // Replaces what field holds by text, as typed; a text beyond ASCII arrives whole, as from an input
    // method.
    static void type(QWidget* field, const QString& text)
    {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QCoreApplication::sendEvent(field, &typed);
    }

    // Types text into the inspector's text row and leaves it, as the user does.
    void typeInInspector(const QString& text)
    {
        ledgerline::PropertyRowView* row = inspectorRow("text");
        ASSERT_NE(row, nullptr);
        QWidget* field = static_cast<ledgerline::StringPropertyTableCellView*>(row->cellView())->textView();
        field->setFocus();
        type(field, text);
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(field, &out);
    }

    QString inspectorText() const
    {
        ledgerline::PropertyRowView* row = inspectorRow("text");
        return row ? static_cast<ledgerline::StringPropertyTableCellView*>(row->cellView())
                         ->textView()
                         ->toPlainText()
                   : QString();
    }

    void editOnCanvas(const QString& text)
    {
        canvas::CanvasView* view = window->canvasView();
        const graphics::Rect frame = view->viewRect(*caption);
        QTest::mouseDClick(view, Qt::LeftButton, {},
                           QPoint(qRound(frame.midX()), qRound(view->height() - frame.midY())));
        ASSERT_NE(view->editor(), nullptr);
        type(view->editor(), text);
        QTest::keyClick(view->editor(), Qt::Key_Return);
    }

    // Adds code through Add Language…, typed into the search as the user does.
    void addLanguage(const QString& search)
    {
        choose("&Add Language…");
        app::AddLanguageDialog* dialog = window->languageCommands()->addLanguageDialog();
        ASSERT_NE(dialog, nullptr);
        QTest::keyClicks(dialog->searchField(), search);
        QTest::keyClick(dialog->searchField(), Qt::Key_Return);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return window->languageCommands()->addLanguageDialog() == nullptr; }));
    }

    model::TextRect* caption = nullptr;
    QString base;
};

TEST_F(LanguageTest, TheMenuAddsALanguageAndSwitchingShowsTheCaptionsInItOnCanvasAndList)
{
    // One language: the menu offers adding one, and the button names the base language.
    EXPECT_EQ(menuItems(), QStringList({"Add Language…"}));
    EXPECT_EQ(window->documentActions()->language()->iconText(), app::LanguageNames::nativeName(base));
    const QImage english = shownCanvas();
    const QImage englishThumbnail = shownThumbnail();

    // The dialog filters the locales as the user types; the arrow keys move through the matches, Escape
    // adds nothing, Return the one chosen, which is then shown.
    choose("&Add Language…");
    app::AddLanguageDialog* dialog = window->languageCommands()->addLanguageDialog();
    ASSERT_NE(dialog, nullptr);
    QTest::keyClicks(dialog->searchField(), "german (");
    EXPECT_EQ(dialog->chosenCode(), "de-AT");
    QTest::keyClick(dialog->searchField(), Qt::Key_Down);
    QTest::keyClick(dialog->searchField(), Qt::Key_Down);
    EXPECT_EQ(dialog->chosenCode(), "de-DE");
    QTest::keyClick(dialog->searchField(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->languageCommands()->addLanguageDialog() == nullptr; }));
    EXPECT_FALSE(languages().hasTranslations());
    addLanguage("de-DE");
    EXPECT_EQ(languages().codes, QStringList({base, "de-DE"}));
    EXPECT_EQ(shownLanguage(), "de-DE");
    EXPECT_TRUE(document->isEdited());
    QStringList items = app::LanguageNames::menuNames({base, "de-DE"});
    items << "Add Language…"
          << "Remove Language…"
          << "Set as Base Language";
    EXPECT_EQ(menuItems(), items);
    // The base is marked beside its name; every item has a letter of its own.
    EXPECT_EQ(languageMenu()->actions()[0]->text().section(u'\t', 1), "Base");
    EXPECT_EQ(languageMenu()->actions()[1]->text(), "&Deutsch");
    EXPECT_TRUE(languageMenu()->actions()[1]->isChecked());
    EXPECT_EQ(window->documentActions()->language()->iconText(), "Deutsch");

    // Without a translation the caption shows its base text.
    EXPECT_EQ(shownCanvas(), english);
    editOnCanvas("Hallo");
    EXPECT_EQ(caption->text("de-DE"), "Hallo");
    EXPECT_EQ(caption->text(), "Hello");
    const QImage german = shownCanvas();
    EXPECT_NE(german, english);
    const QImage germanThumbnail = shownThumbnail();
    EXPECT_NE(germanThumbnail, englishThumbnail);

    // Switching back shows the base text everywhere, and the German one again after.
    choose(app::LanguageNames::nativeName(base));
    EXPECT_EQ(shownLanguage(), base);
    EXPECT_EQ(shownCanvas(), english);
    EXPECT_EQ(shownThumbnail(), englishThumbnail);
    choose("Deutsch");
    EXPECT_EQ(shownCanvas(), german);
    EXPECT_EQ(shownThumbnail(), germanThumbnail);

    // Undo takes back the translation, then the language, which leaves the base shown.
    document->undoStack()->undo();
    EXPECT_EQ(caption->text("de-DE"), "Hello");
    EXPECT_EQ(shownCanvas(), english);
    document->undoStack()->undo();
    EXPECT_FALSE(languages().hasTranslations());
    EXPECT_EQ(shownLanguage(), base);
    EXPECT_EQ(menuItems(), QStringList({"Add Language…"}));
}

TEST_F(LanguageTest, EditsInALanguageLeaveTheOthersAndTheInspectorSaysWhatIsNotTranslated)
{
    addLanguage("de-DE");
    addLanguage("ja");
    ASSERT_EQ(shownLanguage(), "ja");
    window->canvasView()->setSelection(caption);

    // An untranslated caption shows the base text, with a note; typing makes the translation.
    const QString untranslated =
        QString("Not translated: showing %1").arg(app::LanguageNames::englishName(base));
    EXPECT_EQ(inspectorText(), "Hello");
    EXPECT_EQ(note(), untranslated);
    typeInInspector("こんにちは");
    EXPECT_EQ(caption->text("ja"), "こんにちは");
    EXPECT_EQ(note(), QString());

    // In German, the Japanese text stays where it is and the German one is made on the canvas.
    choose("Deutsch");
    EXPECT_EQ(inspectorText(), "Hello");
    EXPECT_EQ(note(), untranslated);
    editOnCanvas("Hallo");
    EXPECT_EQ(inspectorText(), "Hallo");
    EXPECT_EQ(note(), QString());
    EXPECT_EQ(caption->text(), "Hello");
    EXPECT_EQ(caption->text("ja"), "こんにちは");

    // The base text edited in the base language changes no translation, and shows where there is none.
    choose(app::LanguageNames::nativeName(base));
    EXPECT_EQ(note(), QString());
    typeInInspector("Hi");
    EXPECT_EQ(caption->translations(), (model::Translations{{"de-DE", "Hallo"}, {"ja", "こんにちは"}}));

    // Emptying a translation goes back to the base text.
    choose("日本語");
    typeInInspector("");
    EXPECT_FALSE(caption->translations().contains("ja"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return inspectorText() == "Hi"; }));
    EXPECT_EQ(note(), untranslated);
}

TEST_F(LanguageTest, RemovingAndMakingTheBaseAreOneStepEachAndTheWindowFallsBackToTheBase)
{
    addLanguage("de-DE");
    addLanguage("fr-FR");
    editOnCanvas("Bonjour");
    choose("Deutsch");
    editOnCanvas("Hallo");
    const int steps = document->undoStack()->count();

    // Deutsch becomes the base: the captions' texts swap, and the window shows the new base.
    choose("Set as &Base Language");
    EXPECT_EQ(languages().base, "de-DE");
    EXPECT_EQ(caption->text(), "Hallo");
    EXPECT_EQ(caption->text(base), "Hello");
    EXPECT_EQ(shownLanguage(), "de-DE");
    EXPECT_FALSE(window->documentActions()->setBaseLanguage()->isEnabled());

    // Removing the language shown asks which, offering it first, and takes its texts.
    choose("Français");
    choose("&Remove Language…");
    app::RemoveLanguageDialog* dialog = window->languageCommands()->removeLanguageDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->languages()->count(), 2);
    EXPECT_EQ(dialog->chosenCode(), "fr-FR");
    QTest::mouseClick(dialog->removeButton(), Qt::LeftButton);
    EXPECT_EQ(languages().codes, QStringList({base, "de-DE"}));
    EXPECT_FALSE(caption->translations().contains("fr-FR"));
    EXPECT_EQ(shownLanguage(), "de-DE");
    EXPECT_EQ(document->undoStack()->count(), steps + 2);

    document->undoStack()->undo();
    EXPECT_EQ(caption->text("fr-FR"), "Bonjour");
    document->undoStack()->undo();
    EXPECT_EQ(languages().base, base);
    EXPECT_EQ(caption->text(), "Hello");
    EXPECT_EQ(shownLanguage(), base);
}

TEST_F(LanguageTest, ANewBaseLackingTextsIsAskedForAndTheNoteNamesTheLanguageReallyShown)
{
    store::ManagedObjectContext& context = *document->managedObjectContext();
    ASSERT_TRUE(model::LanguageEditing::renameLanguage(context, base, "en-US"));
    window->languageChoice()->refresh();
    addLanguage("de-AT");
    addLanguage("fr-FR");
    addLanguage("en-GB");
    choose("Deutsch");
    const int steps = document->undoStack()->index();

    // Asked first, with how many captions keep their text; cancelled, nothing changes.
    choose("Set as &Base Language");
    QMessageBox* alert = window->languageCommands()->setBaseLanguageAlert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), "Make German the base language?");
    EXPECT_TRUE(
        alert->informativeText().startsWith("1 caption has no text in German: until translated, it keeps"))
        << alert->informativeText().toStdString();
    QTest::mouseClick(alert->button(QMessageBox::Cancel), Qt::LeftButton);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return window->languageCommands()->setBaseLanguageAlert() == nullptr; }));
    EXPECT_EQ(languages().base, "en-US");
    EXPECT_EQ(document->undoStack()->index(), steps);

    choose("Set as &Base Language");
    alert = window->languageCommands()->setBaseLanguageAlert();
    ASSERT_NE(alert, nullptr);
    QTest::keyClick(alert, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return languages().base == "de-AT"; }));
    EXPECT_EQ(caption->text(), "Hello");
    EXPECT_EQ(caption->text("en-US"), "Hello");
    EXPECT_EQ(document->undoStack()->index(), steps + 1);
    EXPECT_EQ(languageMenu()->actions()[1]->text().section(u'\t', 1), "Base");

    // Elsewhere the note names the English the caption still shows.
    choose("Français");
    window->canvasView()->setSelection(caption);
    EXPECT_EQ(note(), "Not translated: showing English (United States)");

    // One step takes it all back.
    window->documentActions()->validate();
    EXPECT_EQ(window->documentActions()->undo()->text(), "&Undo Set Base Language");
    window->documentActions()->undo()->trigger();
    EXPECT_EQ(languages().base, "en-US");
    EXPECT_TRUE(caption->translations().isEmpty());
    EXPECT_EQ(shownLanguage(), "fr-FR");
    EXPECT_EQ(note(), "Not translated: showing English (United States)");
}

TEST_F(LanguageTest, UndoOfAnEditInAnotherLanguageShowsThatLanguageAndTheEditMenuNamesIt)
{
    addLanguage("de-DE");
    editOnCanvas("Hallo");
    choose(app::LanguageNames::nativeName(base));
    editOnCanvas("Hi");
    QMenu* edit = window->mainMenu()->editMenu();
    emit edit->aboutToShow();
    EXPECT_EQ(window->documentActions()->undo()->text().toStdString(), "&Undo Edit Caption");

    // Ctrl+Z in German, which shows its own text, takes back the English edit, and shows English.
    choose("Deutsch");
    QApplication::setActiveWindow(window);
    window->canvasView()->setFocus();
    QTest::keySequence(window, QKeySequence::Undo);
    EXPECT_EQ(caption->text(), "Hello");
    EXPECT_EQ(shownLanguage(), base);
    emit edit->aboutToShow();
    EXPECT_EQ(window->documentActions()->redo()->text().toStdString(), "&Redo Edit Caption");

    // So does the redo; a step whose change shows in the language shown stays in it.
    choose("Deutsch");
    window->documentActions()->redo()->trigger();
    EXPECT_EQ(caption->text(), "Hi");
    EXPECT_EQ(shownLanguage(), base);
    choose("Deutsch");
    editOnCanvas("Servus");
    window->documentActions()->undo()->trigger();
    EXPECT_EQ(caption->text("de-DE"), "Hallo");
    EXPECT_EQ(shownLanguage(), "de-DE");
}

TEST_F(LanguageTest, APastedCaptionBringsItsTranslationsForLanguagesTheDocumentAddsLater)
{
    addLanguage("de-DE");
    editOnCanvas("Hallo");
    window->documentActions()->copy()->trigger();

    app::Document* target = newDocument();
    ASSERT_NE(target, nullptr);
    app::DocumentWindow* targetWindow = target->documentWindow();
    targetWindow->show();
    QApplication::setActiveWindow(targetWindow);
    ASSERT_TRUE(QTest::qWaitFor([&] { return targetWindow->commands()->templatePickerSheet() != nullptr; }));
    auto* targetPicker = qobject_cast<templates::TemplateViewController*>(
        targetWindow->commands()->templatePickerSheet()->contentViewController());
    QTest::mouseClick(targetPicker->cancelButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return targetWindow->commands()->templatePickerSheet() == nullptr; }));
    ASSERT_TRUE(targetWindow->documentActions()->paste()->isEnabled());
    targetWindow->documentActions()->paste()->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return target->selection().screenshot() != nullptr; }));
    targetWindow->documentActions()->validate();
    EXPECT_EQ(targetWindow->documentActions()->undo()->text(), "&Undo Paste");

    store::ManagedObjectContext& context = *target->managedObjectContext();
    const auto found = context.execute(model::TextRect::fetchRequest());
    ASSERT_TRUE(found && found->size() == 1);
    auto* pasted = dynamic_cast<model::TextRect*>(found->front());
    ASSERT_NE(pasted, nullptr);
    EXPECT_FALSE(model::DocumentLanguages::of(context).contains("de-DE"));
    ASSERT_TRUE(model::LanguageEditing::addLanguage(context, "de-DE"));
    EXPECT_EQ(pasted->text("de-DE"), "Hallo");
    EXPECT_EQ(pasted->text(), "Hello");
}

} // namespace
