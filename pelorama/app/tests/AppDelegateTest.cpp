// The application delegate: image registration, the web site and the acknowledgements window.
#include "app/AppDelegate.h"

#include "SilentDialogs.h"
#include "app/Acknowledgements.h"
#include "app/AcknowledgementsWindowController.h"
#include "app/Document.h"
#include "app/languages/LanguageChoice.h"
#include "app/languages/LanguageMenu.h"
#include "app/window/DocumentActions.h"
#include "app/window/DocumentCommands.h"
#include "app/window/DocumentWindow.h"
#include "app/window/MainMenu.h"
#include "app/window/ShareMenu.h"
#include "appkit/widgets/Mnemonics.h"
#include "graphics/Image.h"
#include "graphics/ImageDecoderRegistry.h"
#include "model/entities/Screenshot.h"
#include "model/languages/LanguageEditing.h"
#include "store/ManagedObjectContext.h"
#include "templates/picker/SheetWindow.h"
#include "templates/picker/TemplateViewController.h"

#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

TEST(AppDelegateTest, TheSealedImageDecoderIsRegisteredOncePerProcess)
{
    app::AppDelegate::initializeClass();
    app::AppDelegate::initializeClass();
    app::AppDelegate first;
    app::AppDelegate second;
    EXPECT_TRUE(graphics::ImageDecoderRegistry::isRegistered("ccc"));
    EXPECT_EQ(graphics::ImageDecoderRegistry::fileExtensions().count("ccc"), 1);
    // The sealed frames load like any other picture.
    const QStringList sealed = QDir(QStringLiteral(":/images")).entryList({QStringLiteral("*.ccc")});
    ASSERT_FALSE(sealed.isEmpty());
    const auto frame = graphics::Image::fromFile(QStringLiteral(":/images/") + sealed.first());
    ASSERT_TRUE(frame.has_value());
    EXPECT_FALSE(frame->isEmpty());
}

TEST(AppDelegateTest, PreviewsStartRenderingOnALaterPassAfterLaunching)
{
    app::AppDelegate delegate;
    int started = 0;
    delegate.setPreviewRenderer([&] {
        ++started;
        return QtFuture::makeReadyFuture();
    });
    delegate.applicationDidFinishLaunching();
    EXPECT_EQ(started, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return started == 1; }));
    EXPECT_TRUE(delegate.previewRendering().isFinished());
    QTest::qWait(10);
    EXPECT_EQ(started, 1);
}

TEST(AppDelegateTest, TheWebSiteComesFromTheEnvironmentTheSettingsOrTheBuiltInAddress)
{
    app::AppDelegate delegate;
    QList<QUrl> opened;
    delegate.setUrlOpener([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    qunsetenv(app::AppDelegate::websiteEnvironmentVariable);
    QSettings().remove(app::AppDelegate::websiteSettingKey);
    delegate.showWebsite();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.last().scheme(), "http");

    QSettings().setValue(app::AppDelegate::websiteSettingKey, "http://settings.example/");
    delegate.showWebsite();
    EXPECT_EQ(opened.last(), QUrl("http://settings.example/"));
    qputenv(app::AppDelegate::websiteEnvironmentVariable, "http://environment.example/");
    delegate.showWebsite();
    EXPECT_EQ(opened.last(), QUrl("http://environment.example/"));
    qunsetenv(app::AppDelegate::websiteEnvironmentVariable);
    QSettings().remove(app::AppDelegate::websiteSettingKey);
}

TEST(AppDelegateTest, AWebSiteNoBrowserTakesIsNamedInAnAlert)
{
    app::AppDelegate delegate;
    delegate.setUrlOpener([](const QUrl&) { return false; });
    qputenv(app::AppDelegate::websiteEnvironmentVariable, "http://environment.example/");
    QStringList seen;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* alert = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen << alert->text() << alert->informativeText();
            QTest::keyClick(alert, Qt::Key_Return);
        }
    });
    answer.start(5);
    delegate.showWebsite();
    qunsetenv(app::AppDelegate::websiteEnvironmentVariable);
    EXPECT_EQ(seen, (QStringList{
                        "The web site could not be opened",
                        "No web browser could be started. The address is “http://environment.example/”."}));
}

TEST(AppDelegateTest, TheAcknowledgementsWindowIsMadeOnceAndBroughtBackEachTime)
{
    app::AppDelegate delegate;
    EXPECT_EQ(delegate.acknowledgementsWindowController(), nullptr);
    delegate.showAcknowledgements(nullptr);
    app::AcknowledgementsWindowController* controller = delegate.acknowledgementsWindowController();
    ASSERT_NE(controller, nullptr);
    QWidget* window = controller->window();
    EXPECT_TRUE(window->isVisible());
    const QString shown = controller->textView()->toPlainText();
    // Closed with either key, it comes back the same.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keySequence(window, key);
        EXPECT_FALSE(window->isVisible()) << key.toString().toStdString();
        delegate.showAcknowledgements(nullptr);
        EXPECT_EQ(delegate.acknowledgementsWindowController(), controller);
        EXPECT_EQ(controller->window(), window);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(controller->textView()->toPlainText(), shown);
    }
    window->close();
}

TEST(AppDelegateTest, TheAcknowledgementsShowBoldHeadingsWithoutTheirMarkupAtTheSmallSize)
{
    app::AcknowledgementsWindowController controller;
    controller.window();
    QTextDocument* text = controller.textView()->document();
    const QString plain = text->toPlainText();
    EXPECT_FALSE(plain.contains("**"));
    // Addresses keep their slashes: no line pairs two of them into italic markup.
    QString unmarked = app::acknowledgementsText();
    unmarked.remove(QStringLiteral("**"));
    EXPECT_EQ(plain.trimmed(), unmarked.trimmed());
    for (const char* credit :
         {"Qt", "SQLite", "SQLiteC++", "OpenSSL", "libplist", "zlib", "LZ4", "xz", "Zstandard", "libpng",
          "Inter", "Lato", "Roboto Condensed", "DejaVu Sans Mono"})
        EXPECT_TRUE(plain.contains(QString::fromLatin1(credit))) << credit;
    const QTextBlock heading = text->findBlockByNumber(0);
    EXPECT_EQ(heading.text(), "Device frames and artwork");
    const QTextBlock notice = text->findBlockByNumber(1);
    EXPECT_GT(heading.begin().fragment().charFormat().font().weight(),
              notice.begin().fragment().charFormat().font().weight());
    EXPECT_EQ(notice.begin().fragment().charFormat().font().pointSizeF(), 11);
    EXPECT_EQ(&app::acknowledgementsText(), &app::acknowledgementsText());
}

// Answers the unsaved-changes question as told.
class AnsweringDialogs : public SilentDialogs
{
public:
    UnsavedChangesAnswer askToSaveChanges(QWidget*, const QString&) override
    {
        ++questions;
        return answer;
    }
    UnsavedChangesAnswer answer = UnsavedChangesAnswer::cancel;
    int questions = 0;
};

// File ▸ Close's shortcut (Ctrl+W on the desktop, Ctrl+F4 under the offscreen platform), typed into
// the window once it is the active one.
void typeCloseShortcut(app::Document& document)
{
    QWidget* window = document.documentWindow();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    QTest::keySequence(window, document.documentWindow()->documentActions()->close()->shortcut());
}

TEST(AppDelegateTest, ClosingTheLastDocumentWindowQuitsOnceItsQuestionIsAnswered)
{
    app::AppDelegate delegate;
    auto dialogs = std::make_shared<AnsweringDialogs>();
    delegate.documentController().setDialogs(dialogs);
    delegate.openInitialDocuments({});
    ASSERT_EQ(delegate.documentController().documents().size(), 1);
    auto* document = static_cast<app::Document*>(delegate.documentController().documents().first());
    QWidget* window = document->documentWindow();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return document->documentWindow()->commands()->templatePickerSheet() != nullptr; }));
    auto* picker = qobject_cast<templates::TemplateViewController*>(
        document->documentWindow()->commands()->templatePickerSheet()->contentViewController());
    ASSERT_NE(picker, nullptr);
    QTest::mouseClick(picker->cancelButton(), Qt::LeftButton);
    model::Screenshot::insertInto(*document->managedObjectContext());
    EXPECT_TRUE(QTest::qWaitFor([&] { return document->isEdited(); }));

    // Closing, and the question is cancelled: the window stays and so does the application, until it is
    // told otherwise.
    QTimer::singleShot(0, window, [document] { typeCloseShortcut(*document); });
    QTimer::singleShot(300, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QCoreApplication::exec(), 7);
    EXPECT_EQ(dialogs->questions, 1);
    EXPECT_EQ(delegate.documentController().documents().size(), 1);
    EXPECT_TRUE(window->isVisible());

    // Closing, and the changes are let go: the last window closes and the application quits.
    dialogs->answer = AnsweringDialogs::UnsavedChangesAnswer::dontSave;
    QTimer::singleShot(0, window, [document] { typeCloseShortcut(*document); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(dialogs->questions, 2);
    EXPECT_TRUE(delegate.documentController().documents().isEmpty());
}

// Every item of menu and of its submenus has a mnemonic no other item of its menu has.
void expectUniqueMnemonics(QMenu& menu, const QString& path)
{
    // Menus filled as they open fill now.
    emit menu.aboutToShow();
    QHash<QChar, QString> taken;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        const QString item = path + " > " + action->text();
        const QChar mnemonic = appkit::Mnemonics::of(action->text());
        EXPECT_FALSE(mnemonic.isNull()) << item.toStdString() << " has no mnemonic";
        if (!mnemonic.isNull()) {
            EXPECT_FALSE(taken.contains(mnemonic))
                << item.toStdString() << " takes the mnemonic of " << taken.value(mnemonic).toStdString();
            taken.insert(mnemonic, item);
        }
        if (QMenu* submenu = action->menu())
            expectUniqueMnemonics(*submenu, item);
    }
}

TEST(AppDelegateTest, EveryMenuItemHasAMnemonicOfItsOwnWithinItsMenu)
{
    app::AppDelegate delegate;
    delegate.documentController().setDialogs(std::make_shared<SilentDialogs>());
    delegate.openInitialDocuments({});
    ASSERT_EQ(delegate.documentController().documents().size(), 1);
    auto* document = static_cast<app::Document*>(delegate.documentController().documents().first());
    app::DocumentWindow* window = document->documentWindow();
    // Languages whose names share letters with each other and with the language commands.
    for (const char* code : {"en-GB", "de-DE", "de-AT", "ar", "ja", "fr-FR"})
        ASSERT_TRUE(model::LanguageEditing::addLanguage(*document->managedObjectContext(), code));
    window->languageChoice()->refresh();
    ASSERT_GT(window->documentActions()->languageMenu()->actions().size(), 9);

    // The menu bar, the application's commands among the document's.
    QMenu bar;
    for (QAction* menu : window->menuBar()->actions())
        bar.addAction(menu);
    expectUniqueMnemonics(bar, "menu bar");
    EXPECT_NE(window->mainMenu()->openRecentMenu(), nullptr);

    // The undo commands keep theirs when they name a step.
    document->managedObjectContext()->processPendingChanges();
    window->documentActions()->validate();
    EXPECT_TRUE(window->documentActions()->undo()->text().startsWith("&Undo "));
    expectUniqueMnemonics(*window->mainMenu()->editMenu(), "Edit");

    app::ShareMenu share(model::Canvas({100, 100}, {}), "Home", QString(), window);
    expectUniqueMnemonics(share, "Share");
    document->close();
}

} // namespace
