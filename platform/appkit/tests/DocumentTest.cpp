#include "ScriptedUserInterface.h"
#include "TextDocument.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using Answer = appkit::DocumentUserInterface::UnsavedChangesAnswer;

class DocumentTest : public testing::Test
{
protected:
    std::unique_ptr<TextDocument> makeDocument(bool autosaves = false)
    {
        auto document = std::make_unique<TextDocument>(autosaves);
        document->setUserInterface(std::make_unique<ScriptedUserInterface>(m_user));
        document->initializeNewDocument("Text");
        return document;
    }

    std::unique_ptr<TextDocument> openDocument(const QString& text, bool autosaves = false)
    {
        const QString path = m_folder.filePath("Notes.txt");
        writeTextFile(path, text);
        auto document = std::make_unique<TextDocument>(autosaves);
        document->setUserInterface(std::make_unique<ScriptedUserInterface>(m_user));
        EXPECT_TRUE(document->readFromPath(path, "Text"));
        return document;
    }

    QTemporaryDir m_folder;
    std::shared_ptr<UserScript> m_user = std::make_shared<UserScript>();
};

TEST_F(DocumentTest, NewDocumentIsUntitledAndUnedited)
{
    auto document = makeDocument();
    EXPECT_TRUE(document->isUntitled());
    EXPECT_FALSE(document->isEdited());
    EXPECT_EQ(document->displayName(), "Untitled");
    EXPECT_EQ(document->fileType(), "Text");
    EXPECT_FALSE(document->save()) << "an untitled document has no place to save to";
}

TEST_F(DocumentTest, EditedFollowsTheUndoStackAcrossSaves)
{
    auto document = openDocument("one");
    QSignalSpy edited(document.get(), &appkit::Document::editedChanged);
    document->setText("two");
    EXPECT_TRUE(document->isEdited());
    ASSERT_TRUE(document->save());
    EXPECT_FALSE(document->isEdited());
    document->undoStack()->undo();
    EXPECT_TRUE(document->isEdited());
    EXPECT_EQ(document->text(), "one");
    document->undoStack()->redo();
    EXPECT_FALSE(document->isEdited());
    ASSERT_EQ(edited.size(), 4);
    EXPECT_EQ(edited[0][0].toBool(), true);
    EXPECT_EQ(edited[3][0].toBool(), false);
}

TEST_F(DocumentTest, SaveOfAnUntitledDocumentAsksWhere)
{
    auto document = makeDocument();
    document->setText("hello");
    m_user->saveLocation = "";
    EXPECT_FALSE(document->saveDocument());
    EXPECT_TRUE(document->isUntitled());

    m_user->saveLocation = m_folder.filePath("Greeting");
    QSignalSpy saved(document.get(), &appkit::Document::saved);
    ASSERT_TRUE(document->saveDocument());
    EXPECT_EQ(m_user->saveQuestions, 2);
    EXPECT_EQ(document->filePath(), m_folder.filePath("Greeting.txt"));
    EXPECT_EQ(document->displayName(), "Greeting");
    EXPECT_EQ(textOfFile(document->filePath()), "hello");
    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(saved[0][1].value<appkit::SaveOperation>(), appkit::SaveOperation::saveAs);

    // Saving again stays where it is.
    document->setText("hello again");
    ASSERT_TRUE(document->saveDocument());
    EXPECT_EQ(m_user->saveQuestions, 2);
    EXPECT_EQ(textOfFile(m_folder.filePath("Greeting.txt")), "hello again");
}

TEST_F(DocumentTest, FailedSaveIsPresentedAndKeepsTheDocumentEdited)
{
    auto document = openDocument("one");
    document->setText("two");
    document->failWrites = true;
    EXPECT_FALSE(document->saveDocument());
    ASSERT_EQ(m_user->errors.size(), 1);
    EXPECT_EQ(m_user->errors.first(), "The document “Notes” could not be saved. The disk is full.");
    EXPECT_TRUE(document->isEdited());
    EXPECT_EQ(document->text(), "two");
}

TEST_F(DocumentTest, RevertAsksAndGoesBackToTheFile)
{
    auto document = openDocument("saved");
    document->setText("unsaved");
    m_user->revertAnswer = false;
    EXPECT_FALSE(document->revertDocumentToSaved());
    EXPECT_EQ(document->text(), "unsaved");

    m_user->revertAnswer = true;
    QSignalSpy reverted(document.get(), &appkit::Document::reverted);
    ASSERT_TRUE(document->revertDocumentToSaved());
    EXPECT_EQ(document->text(), "saved");
    EXPECT_FALSE(document->isEdited());
    EXPECT_EQ(document->undoStack()->count(), 0);
    EXPECT_EQ(reverted.size(), 1);
}

TEST_F(DocumentTest, AutosavesInPlaceAfterTheDelay)
{
    auto document = openDocument("one", true);
    document->setAutosaveDelay(std::chrono::milliseconds(10));
    document->setText("two");
    document->setText("three");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !document->isEdited(); }));
    EXPECT_EQ(document->writes, 1);
    EXPECT_EQ(textOfFile(document->filePath()), "three");

    // Untitled documents have no place to autosave to.
    auto untitled = makeDocument(true);
    untitled->setAutosaveDelay(std::chrono::milliseconds(10));
    untitled->setText("new");
    QThread::msleep(30);
    QCoreApplication::processEvents();
    EXPECT_TRUE(untitled->isEdited());
    EXPECT_EQ(untitled->writes, 0);
}

TEST_F(DocumentTest, FailingAutosavesArePresentedOncePerStreak)
{
    auto document = openDocument("one", true);
    document->setAutosaveDelay(std::chrono::milliseconds(5));
    document->failWrites = true;
    document->setText("two");
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_user->errors.size() == 1; }));
    document->setText("three");
    QThread::msleep(30);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_user->errors.size(), 1);
    EXPECT_TRUE(document->isEdited());

    document->failWrites = false;
    ASSERT_TRUE(document->save());
    document->failWrites = true;
    document->setText("four");
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_user->errors.size() == 2; }));
}

TEST_F(DocumentTest, ClosingAsksAboutUnsavedChangesUnlessItCanAutosave)
{
    auto unedited = makeDocument();
    QSignalSpy closed(unedited.get(), &appkit::Document::closed);
    EXPECT_TRUE(unedited->close());
    EXPECT_EQ(closed.size(), 1);
    EXPECT_EQ(m_user->unsavedChangesQuestions, 0);

    auto untitled = makeDocument(true);
    untitled->setText("draft");
    m_user->unsavedChangesAnswer = Answer::cancel;
    EXPECT_FALSE(untitled->close());
    m_user->unsavedChangesAnswer = Answer::save;
    m_user->saveLocation = "";
    EXPECT_FALSE(untitled->close()) << "cancelling the save dialog keeps the document open";
    m_user->unsavedChangesAnswer = Answer::dontSave;
    EXPECT_TRUE(untitled->close());
    EXPECT_EQ(untitled->writes, 0);
    EXPECT_EQ(m_user->unsavedChangesQuestions, 3);

    auto autosaving = openDocument("one", true);
    autosaving->setText("two");
    EXPECT_TRUE(autosaving->close());
    EXPECT_EQ(m_user->unsavedChangesQuestions, 3);
    EXPECT_EQ(textOfFile(autosaving->filePath()), "two");

    auto manual = openDocument("one", false);
    manual->setText("three");
    m_user->unsavedChangesAnswer = Answer::save;
    EXPECT_TRUE(manual->close());
    EXPECT_EQ(m_user->unsavedChangesQuestions, 4);
    EXPECT_EQ(textOfFile(manual->filePath()), "three");
}

TEST_F(DocumentTest, SavingAndClosingTakeWhatAnOpenEditorHolds)
{
    auto saved = openDocument("one");
    saved->editorText = "typed";
    EXPECT_TRUE(saved->saveDocument());
    EXPECT_EQ(textOfFile(saved->filePath()), "typed");
    EXPECT_FALSE(saved->isEdited());

    auto closed = openDocument("one", true);
    closed->editorText = "typed before closing";
    EXPECT_TRUE(closed->close());
    EXPECT_EQ(textOfFile(closed->filePath()), "typed before closing");
    EXPECT_EQ(m_user->unsavedChangesQuestions, 0);

    auto asked = openDocument("one", false);
    asked->editorText = "typed, then cancelled";
    m_user->unsavedChangesAnswer = Answer::cancel;
    EXPECT_FALSE(asked->close()) << "the editor's text is a change worth asking about";
    EXPECT_EQ(m_user->unsavedChangesQuestions, 1);
    EXPECT_EQ(asked->text(), "typed, then cancelled");
}

TEST_F(DocumentTest, ClosingAfterAFailedAutosaveOffersToSaveElsewhere)
{
    auto document = openDocument("one", true);
    document->setText("two");
    document->failWrites = true;
    m_user->unsavedChangesAnswer = Answer::save;
    m_user->saveLocation = "";
    EXPECT_FALSE(document->close());
    EXPECT_EQ(m_user->errors.size(), 1);
    EXPECT_EQ(m_user->saveQuestions, 1);
    EXPECT_FALSE(document->isClosed());
    EXPECT_TRUE(document->isEdited());
}

TEST_F(DocumentTest, WithoutAUserInterfaceNothingIsAskedAndNothingIsLost)
{
    auto untitled = std::make_unique<TextDocument>();
    untitled->initializeNewDocument("Text");
    untitled->setText("draft");
    EXPECT_FALSE(untitled->saveDocument()) << "no one says where to save it";
    EXPECT_FALSE(untitled->close()) << "no one can agree to dropping the changes";
    EXPECT_FALSE(untitled->isClosed());
    EXPECT_TRUE(untitled->isEdited());

    const QString path = m_folder.filePath("Notes.txt");
    writeTextFile(path, "saved");
    TextDocument opened;
    ASSERT_TRUE(opened.readFromPath(path, "Text"));
    opened.setText("unsaved");
    EXPECT_FALSE(opened.revertDocumentToSaved());
    EXPECT_EQ(opened.text(), "unsaved");

    opened.failWrites = true;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(opened.saveDocument());
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Warning: The document “Notes” could not be saved. The disk is full.\n");
    EXPECT_TRUE(opened.isEdited());
}

} // namespace
