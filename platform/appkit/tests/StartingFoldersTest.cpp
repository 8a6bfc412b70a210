// Where file dialogs start, by kind of file.
#include "appkit/core/StartingFolders.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace StartingFolders = appkit::StartingFolders;

TEST(StartingFoldersTest, EachKindStartsWhereItWasLastUsedElseBesideTheDocumentElseAtHome)
{
    QSettings().remove("StartingFolders");
    const QTemporaryDir directory;
    const QDir root(directory.path());
    ASSERT_TRUE(root.mkpath("documents") && root.mkpath("pictures") && root.mkpath("gone"));
    const QString document = root.filePath("documents/Shots.pelorama");

    EXPECT_EQ(StartingFolders::folderFor("Pictures", {}), QDir::homePath());
    EXPECT_EQ(StartingFolders::folderFor("Pictures", document), root.filePath("documents"));

    StartingFolders::remember("Pictures", root.filePath("pictures"));
    StartingFolders::remember("Translations", root.filePath("gone"));
    // Remembered for later runs, by kind.
    EXPECT_EQ(QSettings().value("StartingFolders/Pictures").toString(), root.filePath("pictures"));
    EXPECT_EQ(StartingFolders::folderFor("Pictures", document), root.filePath("pictures"));
    EXPECT_EQ(StartingFolders::folderFor("Pictures", {}), root.filePath("pictures"));
    EXPECT_EQ(StartingFolders::folderFor("Documents", document), root.filePath("documents"));

    // A folder that is gone is passed over, and none is remembered in its place.
    ASSERT_TRUE(QDir(root.filePath("gone")).removeRecursively());
    EXPECT_EQ(StartingFolders::folderFor("Translations", document), root.filePath("documents"));
    StartingFolders::remember("Pictures", root.filePath("gone"));
    EXPECT_EQ(StartingFolders::folderFor("Pictures", {}), root.filePath("pictures"));
    QSettings().remove("StartingFolders");
}
