#include "appkit/widgets/DocumentWindows.h"

#include "FakeDocumentDialogs.h"
#include "TextDocument.h"
#include "appkit/widgets/WindowController.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

using Answer = appkit::DocumentDialogs::UnsavedChangesAnswer;

class DocumentWindowsTest : public testing::Test
{
protected:
    std::unique_ptr<TextDocument> openDocument(const QString& text)
    {
        const QString path = m_folder.filePath("Notes.txt");
        writeTextFile(path, text);
        auto document = std::make_unique<TextDocument>();
        appkit::DocumentWindows::of(*document).setDialogs(m_dialogs);
        EXPECT_TRUE(document->readFromPath(path, "Text"));
        return document;
    }

    QTemporaryDir m_folder;
    std::shared_ptr<FakeDocumentDialogs> m_dialogs = std::make_shared<FakeDocumentDialogs>();
};

TEST_F(DocumentWindowsTest, WindowTitleFollowsTheDocumentAndClosingTheWindowClosesIt)
{
    auto document = openDocument("one");
    appkit::DocumentWindows& windows = appkit::DocumentWindows::of(*document);
    windows.showWindows();
    ASSERT_EQ(windows.windowControllers().size(), 1);
    QWidget* window = windows.window();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Notes[*]");
    EXPECT_FALSE(window->isWindowModified());
    document->setText("two");
    EXPECT_TRUE(window->isWindowModified());
    ASSERT_TRUE(document->saveAs(m_folder.filePath("Renamed.txt")));
    EXPECT_EQ(window->windowTitle(), "Renamed[*]");
    EXPECT_FALSE(window->isWindowModified());

    document->setText("three");
    m_dialogs->unsavedChangesAnswer = Answer::cancel;
    window->close();
    QApplication::processEvents();
    EXPECT_FALSE(document->isClosed());
    EXPECT_TRUE(window->isVisible());

    m_dialogs->unsavedChangesAnswer = Answer::dontSave;
    QSignalSpy closed(document.get(), &appkit::Document::closed);
    window->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed.size() == 1; }));
    EXPECT_TRUE(windows.windowControllers().isEmpty());
}

TEST_F(DocumentWindowsTest, TheDocumentsQuestionsAreDialogsOverItsWindow)
{
    auto document = openDocument("saved");
    appkit::DocumentWindows& windows = appkit::DocumentWindows::of(*document);
    EXPECT_EQ(&appkit::DocumentWindows::of(*document), &windows) << "a document has one set of windows";
    EXPECT_EQ(document->userInterface(), &windows);
    windows.showWindows();

    document->setText("unsaved");
    ASSERT_TRUE(document->revertDocumentToSaved());
    EXPECT_EQ(m_dialogs->revertQuestions, 1);
    EXPECT_EQ(m_dialogs->lastParent, windows.window());
    EXPECT_EQ(document->text(), "saved");

    document->failWrites = true;
    document->setText("lost?");
    EXPECT_FALSE(document->saveDocument());
    EXPECT_EQ(m_dialogs->errors, QStringList({"The document “Notes” could not be saved. The disk is full."}));
    EXPECT_EQ(m_dialogs->lastParent, windows.window());
}

// Save As starts where a document was last saved, in this run or an earlier one.
TEST_F(DocumentWindowsTest, SaveAsStartsInTheFolderADocumentWasLastSavedIn)
{
    QSettings().remove("StartingFolders");
    const auto untitled = [&] {
        auto document = std::make_unique<TextDocument>();
        appkit::DocumentWindows::of(*document).setDialogs(m_dialogs);
        return document;
    };
    auto first = untitled();
    m_dialogs->saveLocation = m_folder.filePath("Shots/First.txt");
    ASSERT_TRUE(QDir(m_folder.path()).mkpath("Shots"));
    ASSERT_TRUE(first->saveDocumentAs());
    EXPECT_EQ(QFileInfo(m_dialogs->suggestedPath).absolutePath(), QDir::homePath());

    auto second = untitled();
    m_dialogs->saveLocation.clear();
    EXPECT_FALSE(second->saveDocumentAs());
    EXPECT_EQ(QFileInfo(m_dialogs->suggestedPath).absolutePath(), m_folder.filePath("Shots"));
    EXPECT_EQ(QFileInfo(m_dialogs->suggestedPath).fileName(), second->displayName() + ".txt");
    QSettings().remove("StartingFolders");
}

TEST_F(DocumentWindowsTest, TheWindowIsFilledOnceAndGoesWithItsDocument)
{
    auto document = openDocument("one");
    int loaded = 0;
    QObject::connect(&appkit::DocumentWindows::of(*document), &appkit::DocumentWindows::windowDidLoad,
                     [&](appkit::WindowController* controller) {
                         EXPECT_TRUE(controller->isWindowLoaded());
                         ++loaded;
                     });
    appkit::DocumentWindows::of(*document).showWindows();
    appkit::DocumentWindows::of(*document).showWindows();
    EXPECT_EQ(loaded, 1) << "the document fills its window once";
    QPointer<QWidget> window = appkit::DocumentWindows::of(*document).window();
    ASSERT_TRUE(window);
    document.reset();
    EXPECT_TRUE(window.isNull()) << "the window goes before the rest of its document";

    // A document closed from its window's own menu: the window hides and goes once the action is over.
    auto closed = openDocument("two");
    appkit::DocumentWindows::of(*closed).showWindows();
    QPointer<QMainWindow> closedWindow =
        appkit::DocumentWindows::of(*closed).windowControllers().front()->window();
    QAction* close = closedWindow->menuBar()->addAction("Close");
    bool aliveDuringAction = false;
    QObject::connect(close, &QAction::triggered, [&] {
        closed->closeWithoutAsking();
        aliveDuringAction = !closedWindow.isNull();
    });
    close->trigger();
    EXPECT_TRUE(aliveDuringAction);
    ASSERT_FALSE(closedWindow.isNull());
    EXPECT_FALSE(closedWindow->isVisible());
    QCoreApplication::processEvents();
    EXPECT_TRUE(closedWindow.isNull());
    // A closed document shows no window again.
    appkit::DocumentWindows::of(*closed).showWindows();
    EXPECT_EQ(appkit::DocumentWindows::of(*closed).window(), nullptr);
}

} // namespace
