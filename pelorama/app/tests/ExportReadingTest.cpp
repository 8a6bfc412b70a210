// What the program reads when it exports from the command line: documents reached through linked
// folders, and packages that stay byte for byte as they were, also when a cut-short save left a journal.
#include "FolderContents.h"
#include "document/DocumentPackage.h"
#include "model/entities/Screenshot.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace pelorama;

namespace {

struct Outcome
{
    int exitCode = -1;
    QString err;
};

Outcome exportDocument(const QString& directory, const QString& package)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PELORAMA_EXECUTABLE), {"--export", directory, package});
    EXPECT_TRUE(process.waitForFinished(90'000));
    Outcome run;
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void makePackage(const QString& path)
{
    document::DocumentPackage package;
    package.initializeNewDocument(document::DocumentPackage::typeName());
    model::Screenshot* screenshot = model::Screenshot::insertInto(*package.managedObjectContext());
    screenshot->setName("Home");
    screenshot->setSize({20, 10});
    ASSERT_TRUE(package.saveAs(path));
}

using testsupport::contentsOf;

} // namespace

TEST(ExportReadingTest, ADocumentUnderALinkedFolderIsExported)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("real"));
    ASSERT_TRUE(QDir(folder.path()).mkpath("out"));
    ASSERT_TRUE(QFile::link(folder.filePath("real"), folder.filePath("linked")));
    makePackage(folder.filePath("real/Doc.pelorama"));

    const Outcome run = exportDocument(folder.filePath("out"), folder.filePath("linked/Doc.pelorama"));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo(folder.filePath("out/Home.png")).isFile());
}

// Rolling the journal back would rewrite the store and remove the journal; the export refuses the
// document instead, saying where it is recovered.
TEST(ExportReadingTest, AJournalOfACutShortSaveIsLeftAsItIs)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("out"));
    const QString package = folder.filePath("Doc.pelorama");
    makePackage(package);
    const QString store = document::DocumentPackage::persistentStorePath(package);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(store).constData(), &db), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(db,
                     "CREATE TABLE Padding (bytes BLOB); INSERT INTO Padding VALUES (randomblob(20000)); "
                     "PRAGMA cache_size = 2; BEGIN; UPDATE Padding SET bytes = randomblob(20000)",
                     nullptr, nullptr, nullptr),
        SQLITE_OK);
    // The files as a save killed at this point leaves them.
    ASSERT_TRUE(QFile::copy(store, store + ".cut"));
    ASSERT_TRUE(QFile::copy(store + "-journal", store + ".cut-journal"));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_TRUE(QFile::remove(store));
    ASSERT_TRUE(QFile::rename(store + ".cut", store));
    ASSERT_TRUE(QFile::rename(store + ".cut-journal", store + "-journal"));
    const QStringList before = contentsOf(package);

    const Outcome run = exportDocument(folder.filePath("out"), package);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("a save that was cut short left its journal")) << run.err.toStdString();
    EXPECT_EQ(contentsOf(package), before);
}
