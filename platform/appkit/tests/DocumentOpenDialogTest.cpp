// The Open dialog as a user drives it: packages open by a typed path, by Open and by a double-click.
#include "appkit/widgets/DocumentOpenDialog.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

appkit::DocumentType packageType()
{
    return appkit::DocumentType{"test.package", "Test Package", {"tpkg"}, true, {}};
}

class DocumentOpenDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(m_folder.path()).mkpath("Shots.tpkg/StoreContent"));
        ASSERT_TRUE(QDir(m_folder.path()).mkpath("Plain"));
        QFile inside(m_folder.filePath("Shots.tpkg/StoreContent/persistentStore"));
        ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
        m_dialog.setDirectory(m_folder.path());
        m_dialog.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dialog));
        // The folder is listed in the background.
        ASSERT_TRUE(
            QTest::qWaitFor([this] { return item("Plain").isValid() && item("Shots.tpkg").isValid(); }));
    }

    QListView* list() const { return m_dialog.findChild<QListView*>("listView"); }
    QLineEdit* nameField() const { return m_dialog.findChild<QLineEdit*>("fileNameEdit"); }

    QPushButton* openButton() const
    {
        auto* buttons = m_dialog.findChild<QDialogButtonBox*>("buttonBox");
        return buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    }

    // The list's item of the entry named name, in the dialog's folder.
    QModelIndex item(const QString& name, int column = 0) const
    {
        QAbstractItemModel* model = list()->model();
        const QModelIndex root = list()->rootIndex();
        for (int row = 0; row < model->rowCount(root); ++row) {
            const QModelIndex index = model->index(row, 0, root);
            if (index.data().toString() == name)
                return index.siblingAtColumn(column);
        }
        return {};
    }

    QPoint centreOf(const QString& name) const { return list()->visualRect(item(name)).center(); }

    void expectPackageChosen()
    {
        EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(m_dialog.isVisible());
        EXPECT_EQ(m_dialog.chosenPaths(), QStringList{QDir::cleanPath(m_folder.filePath("Shots.tpkg"))});
        // The next dialog starts beside the package, not inside it.
        EXPECT_EQ(m_dialog.directory().absolutePath(), QDir(m_folder.path()).absolutePath());
    }

    QTemporaryDir m_folder;
    appkit::DocumentOpenDialog m_dialog{{packageType()}};
};

TEST_F(DocumentOpenDialogTest, APackageIsListedAsADocumentOfItsType)
{
    EXPECT_EQ(item("Shots.tpkg", 2).data().toString(), "Test Package");
    EXPECT_NE(item("Plain", 2).data().toString(), "Test Package");
    EXPECT_FALSE(item("Plain", 2).data().toString().isEmpty());
}

TEST_F(DocumentOpenDialogTest, ATypedPathAndEnterOpenThePackage)
{
    QTest::keyClicks(nameField(), m_folder.filePath("Shots.tpkg"));
    QTest::keyClick(nameField(), Qt::Key_Return);
    expectPackageChosen();
}

TEST_F(DocumentOpenDialogTest, OpenWithThePackageSelectedOpensIt)
{
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, centreOf("Shots.tpkg"));
    ASSERT_TRUE(list()->selectionModel()->isSelected(item("Shots.tpkg")));
    ASSERT_NE(openButton(), nullptr);
    ASSERT_TRUE(openButton()->isEnabled());
    QTest::mouseClick(openButton(), Qt::LeftButton);
    expectPackageChosen();
}

TEST_F(DocumentOpenDialogTest, ADoubleClickOpensThePackage)
{
    // Through the window, as the window system delivers a double-click: press, release, press, release.
    const QPoint position = list()->viewport()->mapTo(&m_dialog, centreOf("Shots.tpkg"));
    QTest::mouseDClick(m_dialog.windowHandle(), Qt::LeftButton, {}, position);
    expectPackageChosen();
}

TEST_F(DocumentOpenDialogTest, OtherFoldersAreStillBrowsed)
{
    QTest::keyClicks(nameField(), m_folder.filePath("Plain"));
    QTest::keyClick(nameField(), Qt::Key_Return);
    EXPECT_TRUE(m_dialog.isVisible());
    EXPECT_EQ(m_dialog.directory().absolutePath(), QDir(m_folder.filePath("Plain")).absolutePath());

    m_dialog.reject();
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected);
}

} // namespace
