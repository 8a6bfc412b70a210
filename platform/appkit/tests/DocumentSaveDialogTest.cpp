// The Save dialog as a user drives it: an existing package is replaced after a question, however it is
// chosen, and is never stepped into.
#include "appkit/widgets/DocumentSaveDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

namespace {

appkit::DocumentType packageType()
{
    return appkit::DocumentType{"test.package", "Test Package", {"tpkg"}, true, {}};
}

class DocumentSaveDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(m_folder.path()).mkpath("Shots.tpkg/StoreContent"));
        ASSERT_TRUE(QDir(m_folder.path()).mkpath("Draft.v2.tpkg/StoreContent"));
        ASSERT_TRUE(QDir(m_folder.path()).mkpath("Plain"));
        show(m_folder.filePath("Untitled.tpkg"));
    }

    void show(const QString& suggestedPath)
    {
        m_dialog = std::make_unique<appkit::DocumentSaveDialog>(packageType(), suggestedPath);
        m_dialog->open();
        // Active, so that a click gives the list the focus as it does on a desktop.
        m_dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
        // The folder is listed in the background.
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return item("Plain").isValid() && item("Shots.tpkg").isValid(); }));
    }

    void TearDown() override
    {
        if (m_answering)
            m_answering->stop();
    }

    QListView* list() const { return m_dialog->findChild<QListView*>("listView"); }
    QLineEdit* nameField() const { return m_dialog->findChild<QLineEdit*>("fileNameEdit"); }

    QPushButton* saveButton() const
    {
        auto* buttons = m_dialog->findChild<QDialogButtonBox*>("buttonBox");
        return buttons ? buttons->button(QDialogButtonBox::Save) : nullptr;
    }

    // Whether the button is labelled Save once it is drawn.
    bool saysSave() const
    {
        return QTest::qWaitFor([this] { return saveButton()->text().remove('&') == "Save"; });
    }

    // The list's item of the entry named name, in the dialog's folder.
    QModelIndex item(const QString& name) const
    {
        QAbstractItemModel* model = list()->model();
        const QModelIndex root = list()->rootIndex();
        for (int row = 0; row < model->rowCount(root); ++row) {
            const QModelIndex index = model->index(row, 0, root);
            if (index.data().toString() == name)
                return index;
        }
        return {};
    }

    QPoint centreOf(const QString& name) const { return list()->visualRect(item(name)).center(); }
    QPoint inWindow(QPoint inList) const { return list()->viewport()->mapTo(m_dialog.get(), inList); }

    // Answers every question the dialog asks from now on by clicking the button with answer's role, and
    // keeps what was asked.
    void answerQuestionsWith(QMessageBox::StandardButton answer)
    {
        m_answering = std::make_unique<QTimer>();
        QObject::connect(m_answering.get(), &QTimer::timeout, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            m_questions.append(box->text());
            QTest::mouseClick(box->button(answer), Qt::LeftButton);
        });
        m_answering->start(10);
    }

    void type(const QString& name)
    {
        nameField()->setFocus();
        nameField()->selectAll();
        QTest::keyClicks(nameField(), name);
        QTest::keyClick(nameField(), Qt::Key_Return);
    }

    void expectStillChoosingIn(const QString& folder)
    {
        EXPECT_TRUE(m_dialog->isVisible());
        EXPECT_EQ(m_dialog->directory().absolutePath(), QDir(folder).absolutePath());
    }

    QTemporaryDir m_folder;
    std::unique_ptr<appkit::DocumentSaveDialog> m_dialog;
    std::unique_ptr<QTimer> m_answering;
    QStringList m_questions;
};

TEST_F(DocumentSaveDialogTest, ATypedNameOfAnExistingPackageAsksToReplaceIt)
{
    answerQuestionsWith(QMessageBox::No);
    type("Shots");
    ASSERT_EQ(m_questions.size(), 1);
    EXPECT_TRUE(m_questions.first().startsWith("Shots.tpkg already exists."))
        << m_questions.first().toStdString();
    expectStillChoosingIn(m_folder.path());

    answerQuestionsWith(QMessageBox::Yes);
    type("Shots.tpkg");
    EXPECT_EQ(m_questions.size(), 2);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->chosenPath(), QDir::cleanPath(m_folder.filePath("Shots.tpkg")));
}

TEST_F(DocumentSaveDialogTest, ASelectedPackageIsNamedInTheFieldAndSavedToAfterTheQuestion)
{
    // Through the window, which moves the focus to the list as a click on a desktop does.
    QTest::mouseClick(m_dialog->windowHandle(), Qt::LeftButton, {}, inWindow(centreOf("Shots.tpkg")));
    EXPECT_EQ(nameField()->text(), "Shots.tpkg");
    ASSERT_NE(saveButton(), nullptr);
    EXPECT_TRUE(saveButton()->isEnabled());
    EXPECT_TRUE(saysSave());

    answerQuestionsWith(QMessageBox::Yes);
    QTest::mouseClick(saveButton(), Qt::LeftButton);
    EXPECT_EQ(m_questions.size(), 1);
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->chosenPath(), QDir::cleanPath(m_folder.filePath("Shots.tpkg")));
}

TEST_F(DocumentSaveDialogTest, ADoubleClickOrReturnOnAPackageAsksInsteadOfSteppingIn)
{
    answerQuestionsWith(QMessageBox::No);
    // Through the window, as the window system delivers a double-click: press, release, press, release.
    QTest::mouseDClick(m_dialog->windowHandle(), Qt::LeftButton, {}, inWindow(centreOf("Shots.tpkg")));
    EXPECT_EQ(m_questions.size(), 1);
    expectStillChoosingIn(m_folder.path());
    EXPECT_EQ(nameField()->text(), "Shots.tpkg");
    EXPECT_TRUE(saysSave());
    // The package is no place the dialog went to, so Back cannot lead into it.
    for (const QString& visited : m_dialog->history())
        EXPECT_FALSE(visited.endsWith(".tpkg")) << visited.toStdString();

    list()->setFocus();
    list()->setCurrentIndex(item("Shots.tpkg"));
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(m_questions.size(), 2);
    expectStillChoosingIn(m_folder.path());
}

TEST_F(DocumentSaveDialogTest, SavingADocumentAsStartsWithItsOwnPackageNamed)
{
    m_dialog.reset();
    show(m_folder.filePath("Shots.tpkg"));
    EXPECT_EQ(nameField()->text(), "Shots.tpkg");
    EXPECT_TRUE(saysSave());
    answerQuestionsWith(QMessageBox::Yes);
    QTest::keyClick(nameField(), Qt::Key_Return);
    EXPECT_EQ(m_questions.size(), 1);
    EXPECT_EQ(m_dialog->chosenPath(), QDir::cleanPath(m_folder.filePath("Shots.tpkg")));
}

TEST_F(DocumentSaveDialogTest, ANameTakesTheTypesExtensionAndIsAskedAboutAsSuch)
{
    // "Draft.v2" has an extension of its own; saved, it becomes "Draft.v2.tpkg", which exists.
    answerQuestionsWith(QMessageBox::Yes);
    type("Draft.v2");
    ASSERT_EQ(m_questions.size(), 1);
    EXPECT_TRUE(m_questions.first().startsWith("Draft.v2.tpkg already exists."));
    EXPECT_EQ(m_dialog->chosenPath(), QDir::cleanPath(m_folder.filePath("Draft.v2.tpkg")));
}

TEST_F(DocumentSaveDialogTest, ANewNameIsTakenWithoutAQuestionAndFoldersAreBrowsed)
{
    answerQuestionsWith(QMessageBox::Yes);
    type("Plain");
    expectStillChoosingIn(m_folder.filePath("Plain"));

    type("New.one");
    EXPECT_TRUE(m_questions.isEmpty());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog->chosenPath(), QDir::cleanPath(m_folder.filePath("Plain/New.one.tpkg")));
}

} // namespace
