#include "appkit/widgets/DocumentController.h"

#include "FakeDocumentDialogs.h"
#include "TextDocument.h"
#include "appkit/widgets/DocumentWindows.h"
#include "appkit/widgets/WindowPlacement.h"

#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Lists of paths print as text when they differ.
std::string joined(const QStringList& paths)
{
    return paths.join('\n').toStdString();
}

class DocumentControllerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
        m_controller.addDocumentType(TextDocument::documentType());
        m_controller.setDialogs(m_dialogs);
    }

    QString makeFile(const QString& name, const QString& text = "text")
    {
        QString path = m_folder.filePath(name);
        writeTextFile(path, text);
        return path;
    }

    QTemporaryDir m_settings;
    QTemporaryDir m_folder;
    std::shared_ptr<FakeDocumentDialogs> m_dialogs = std::make_shared<FakeDocumentDialogs>();
    appkit::DocumentController m_controller;
};

TEST_F(DocumentControllerTest, NewDocumentsAreNumberedUntitledDocumentsWithWindows)
{
    appkit::Document* first = m_controller.newDocument();
    appkit::Document* second = m_controller.newDocument();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->displayName(), "Untitled");
    EXPECT_EQ(second->displayName(), "Untitled 2");
    EXPECT_TRUE(appkit::DocumentWindows::of(*first).window()->isVisible());
    EXPECT_EQ(m_controller.documents(), QList<appkit::Document*>({first, second}));

    QSignalSpy removed(&m_controller, &appkit::DocumentController::documentRemoved);
    ASSERT_TRUE(first->close());
    EXPECT_EQ(removed.size(), 1);
    EXPECT_EQ(m_controller.documents(), QList<appkit::Document*>({second}));
    EXPECT_EQ(m_controller.newDocument()->displayName(), "Untitled");
    QApplication::processEvents();
}

TEST_F(DocumentControllerTest, OpeningAnOpenDocumentBringsItForward)
{
    const QString path = makeFile("Notes.txt", "hello");
    auto opened = m_controller.openDocument(path);
    ASSERT_TRUE(opened);
    EXPECT_EQ(static_cast<TextDocument*>(*opened)->text(), "hello");
    auto other = m_controller.openDocument(makeFile("Other.txt"));
    ASSERT_TRUE(other);

    appkit::DocumentWindows::of(**opened).window()->hide();
    auto again = m_controller.openDocument(m_folder.path() + "/./Notes.txt");
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, *opened);
    EXPECT_EQ(m_controller.documents().size(), 2);
    EXPECT_TRUE(appkit::DocumentWindows::of(**opened).window()->isVisible());
    EXPECT_EQ(m_controller.documentForPath(path), *opened);
}

TEST_F(DocumentControllerTest, AnOpenedDocumentTakesThePlaceOfTheOnlyDocumentWhenItIsUntitledAndUntouched)
{
    const auto windowOf = [](appkit::Document* document) {
        return appkit::DocumentWindows::of(*document).window();
    };
    appkit::Document* untouched = m_controller.newDocument();
    windowOf(untouched)->setGeometry(60, 50, 400, 300);
    auto opened = m_controller.openDocument(makeFile("Notes.txt"));
    ASSERT_TRUE(opened);
    EXPECT_EQ(m_controller.documents(), QList<appkit::Document*>({*opened}));
    EXPECT_EQ(windowOf(*opened)->geometry(), QRect(60, 50, 400, 300));
    ASSERT_TRUE((*opened)->close());

    // Something done in it, even undone, and it stays; so do two untitled documents.
    auto* touched = static_cast<TextDocument*>(m_controller.newDocument());
    touched->setText("draft");
    touched->undoStack()->undo();
    ASSERT_FALSE(touched->isEdited());
    auto second = m_controller.openDocument(makeFile("Second.txt"));
    ASSERT_TRUE(second);
    EXPECT_EQ(m_controller.documents(), QList<appkit::Document*>({touched, *second}));
    ASSERT_TRUE((*second)->close());
    appkit::Document* another = m_controller.newDocument();
    touched->undoStack()->clear();
    auto third = m_controller.openDocument(makeFile("Third.txt"));
    ASSERT_TRUE(third);
    EXPECT_EQ(m_controller.documents(), QList<appkit::Document*>({touched, another, *third}));
    QApplication::processEvents();
}

TEST_F(DocumentControllerTest, ANewWindowOpensWhollyOnTheScreenOfTheActiveWindow)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // Larger than the screen, and first of all: in the middle of it, made to fit.
    appkit::Document* first = m_controller.newDocument();
    QWidget* firstWindow = appkit::DocumentWindows::of(*first).window();
    EXPECT_TRUE(screen.contains(firstWindow->frameGeometry()));
    // (as near as the frame's guessed width allows)
    EXPECT_LE(std::abs(firstWindow->frameGeometry().center().x() - screen.center().x()), 8);

    // A step down and right of the active window, as far as the screen allows.
    for (const QPoint corner : {screen.topLeft() + QPoint(10, 10), screen.bottomRight() - QPoint(300, 250)}) {
        QWidget active;
        active.setGeometry(QRect(corner, QSize(280, 220)));
        active.show();
        active.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&active));
        QWidget next;
        next.resize(280, 220);
        appkit::WindowPlacement::cascadeFrom(next, &active);
        next.show();
        EXPECT_TRUE(screen.contains(next.frameGeometry()));
        EXPECT_GT(next.frameGeometry().left(), active.frameGeometry().left());
        if (corner == screen.topLeft() + QPoint(10, 10)) {
            EXPECT_EQ(next.frameGeometry().topLeft(), active.frameGeometry().topLeft() + QPoint(24, 24));
        }
    }
    QApplication::processEvents();
}

TEST_F(DocumentControllerTest, OpenAsksForDocumentsAndPresentsFailures)
{
    const QString good = makeFile("Good.txt");
    m_dialogs->pathsToOpen = {good, m_folder.filePath("Missing.txt"), makeFile("Picture.png")};
    const QList<appkit::Document*> opened = m_controller.openDocuments();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first()->filePath(), good);
    ASSERT_EQ(m_dialogs->errors.size(), 2);
    EXPECT_EQ(m_dialogs->errors[0], "The document “Missing.txt” could not be opened. The file “" +
                                        m_folder.filePath("Missing.txt") + "” does not exist.");
    EXPECT_TRUE(m_dialogs->errors[1].contains("are not documents of this application"));
}

TEST_F(DocumentControllerTest, RecentDocumentsAreKeptNewestFirstInTheSettings)
{
    QStringList paths;
    for (int index = 0; index < 12; ++index)
        paths.append(makeFile("File " + QString::number(index) + ".txt"));
    for (const QString& path : paths)
        ASSERT_TRUE(m_controller.openDocument(path, false));
    ASSERT_TRUE(m_controller.openDocument(paths[5], false));

    QStringList expected{paths[11], paths[10], paths[9], paths[8], paths[7],
                         paths[6],  paths[4],  paths[3], paths[2]};
    expected.prepend(paths[5]);
    EXPECT_EQ(joined(m_controller.recentDocumentPaths()), joined(expected));
    EXPECT_EQ(joined(QSettings().value("RecentDocuments").toStringList()), joined(expected));

    // Save As puts the new place on the list.
    appkit::Document* untitled = m_controller.newDocument();
    ASSERT_TRUE(untitled->saveAs(m_folder.filePath("Saved.txt")));
    EXPECT_EQ(m_controller.recentDocumentPaths().first(), m_folder.filePath("Saved.txt"));

    // A recent document that went away leaves the list when it fails to open, and not the menu.
    ASSERT_TRUE(m_controller.closeAllDocuments());
    ASSERT_TRUE(QFile::remove(paths[4]));
    QMenu menu;
    m_controller.fillOpenRecentMenu(&menu);
    QStringList titles;
    for (QAction* action : menu.actions())
        titles.append(QString(action->text()).remove(u'&'));
    EXPECT_FALSE(titles.contains("File 4.txt"));
    EXPECT_EQ(titles.first(), "Saved.txt");
    EXPECT_EQ(titles.last(), "Clear Menu");

    EXPECT_FALSE(m_controller.openDocumentPresentingErrors(paths[4]));
    EXPECT_FALSE(m_controller.recentDocumentPaths().contains(paths[4]));
    EXPECT_EQ(m_dialogs->errors.size(), 1);

    m_controller.clearRecentDocuments();
    EXPECT_TRUE(m_controller.recentDocumentPaths().isEmpty());
}

TEST_F(DocumentControllerTest, SaveAsRefusesThePlaceOfADocumentOpenInAnotherWindow)
{
    const QString notes = makeFile("Notes.txt", "kept");
    auto* open = static_cast<TextDocument*>(*m_controller.openDocument(notes));
    auto* other = static_cast<TextDocument*>(m_controller.newDocument());
    other->setText("other");

    m_dialogs->saveLocation = m_folder.path() + "/./Notes.txt";
    EXPECT_FALSE(other->saveDocumentAs());
    ASSERT_EQ(m_dialogs->errors.size(), 1);
    EXPECT_EQ(m_dialogs->errors[0].toStdString(),
              "The document “Untitled” could not be saved. The document “Notes” is open "
              "in another window at that place; close it first and try again.");
    EXPECT_EQ(textOfFile(notes), "kept");
    EXPECT_TRUE(other->isUntitled());
    EXPECT_TRUE(other->isEdited());

    // A document saves over its own place, and over the place of one that has closed.
    open->setText("again");
    m_dialogs->saveLocation = notes;
    EXPECT_TRUE(open->saveDocumentAs());
    EXPECT_EQ(textOfFile(notes), "again");
    ASSERT_TRUE(open->close());
    EXPECT_TRUE(other->saveDocumentAs());
    EXPECT_EQ(textOfFile(notes), "other");
    EXPECT_EQ(m_dialogs->errors.size(), 1);
    QApplication::processEvents();
}

TEST_F(DocumentControllerTest, ClosingAllStopsAtTheFirstDocumentKeptOpen)
{
    appkit::Document* saved = *m_controller.openDocument(makeFile("Saved.txt"), false);
    auto* edited = static_cast<TextDocument*>(m_controller.newDocument());
    appkit::Document* last = m_controller.newDocument();
    edited->setText("unsaved");
    EXPECT_TRUE(m_controller.hasEditedDocuments());

    m_dialogs->unsavedChangesAnswer = appkit::DocumentDialogs::UnsavedChangesAnswer::cancel;
    EXPECT_FALSE(m_controller.closeAllDocuments());
    EXPECT_EQ(m_controller.documents(), QList<appkit::Document*>({edited, last}));
    EXPECT_NE(saved, nullptr);

    m_dialogs->unsavedChangesAnswer = appkit::DocumentDialogs::UnsavedChangesAnswer::dontSave;
    EXPECT_TRUE(m_controller.closeAllDocuments());
    EXPECT_TRUE(m_controller.documents().isEmpty());
    QApplication::processEvents();
}

} // namespace
