// A save killed at any moment leaves a package that opens with the old or the new content.

#include "TestDocument.h"
#include "store/ManagedObject.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <random>
#include <signal.h> // NOLINT(modernize-deprecated-headers): kill is POSIX, not C++

namespace {

constexpr qsizetype assetSize = 64 * 1024;

// Starts the helper and kills it at a random moment after its first save.
void runAndKill(const QStringList& arguments, std::mt19937& random)
{
    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(CRASH_HELPER_PATH, arguments);
    ASSERT_TRUE(helper.waitForStarted(10000));
    QByteArray output;
    while (!output.contains("saving\n")) {
        ASSERT_TRUE(helper.waitForReadyRead(10000)) << "the helper stopped before saving";
        output += helper.readAllStandardOutput();
    }
    QThread::usleep(std::uniform_int_distribution<unsigned>(0, 25000)(random));
    ::kill(pid_t(helper.processId()), SIGKILL);
    ASSERT_TRUE(helper.waitForFinished(10000));
    EXPECT_EQ(helper.exitStatus(), QProcess::CrashExit) << "the helper ended by itself";
}

TEST(CrashTest, KilledSavesInPlaceLeaveTheOldOrTheNewContent)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Crash.pelorama");
    {
        TestDocument document;
        document.initializeNewDocument(TestDocument::typeName);
        for (int index = 0; index < 3; ++index)
            document.addScreenshot("0", index, QByteArray(assetSize, 0));
        ASSERT_TRUE(document.saveAs(path));
    }

    std::mt19937 random(18);
    int lastGeneration = 0;
    for (int kill = 0; kill < 50; ++kill) {
        runAndKill({"in-place", path}, random);
        if (testing::Test::HasFatalFailure())
            return;

        TestDocument document;
        auto read = document.readFromPath(path, TestDocument::typeName);
        ASSERT_TRUE(read) << "after kill " << kill << ": " << read.error().message().toStdString();
        const QList<store::ManagedObject*> screenshots = document.screenshots();
        ASSERT_EQ(screenshots.size(), 3);
        const int generation = document.captions().value(0).toInt();
        EXPECT_EQ(document.captions(), QStringList(3, QString::number(generation))) << "after kill " << kill;
        EXPECT_GE(generation, lastGeneration);
        // The asset written with the captions is there with them, whole.
        const QByteArray asset =
            screenshots[generation % 3]->relatedObject("asset")->valueForKey("data").toByteArray();
        EXPECT_EQ(asset, QByteArray(assetSize, char(generation % 256))) << "after kill " << kill;
        // "Metadata" is written after the store, each file on its own.
        const int metadataGeneration = document.metadata().dictionary().value("Generation", 0).toInt();
        EXPECT_TRUE(metadataGeneration == generation || metadataGeneration == generation - 1)
            << "store " << generation << ", metadata " << metadataGeneration;
        lastGeneration = generation;
    }
    EXPECT_GT(lastGeneration, 50) << "the helper hardly saved";

    // The next save clears away what the killed saves left behind.
    TestDocument document;
    ASSERT_TRUE(document.readFromPath(path, TestDocument::typeName));
    for (store::ManagedObject* screenshot : document.screenshots())
        screenshot->setValueForKey(QString::number(lastGeneration + 1), "caption");
    document.metadata().setDictionary({{"Generation", lastGeneration + 1}});
    ASSERT_TRUE(document.save());
    EXPECT_EQ(QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"Metadata", "StoreContent"}));
    EXPECT_EQ(QDir(path + "/StoreContent").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"persistentStore"}));
}

TEST(CrashTest, KilledSaveAsLeavesWholePackagesOrNone)
{
    QTemporaryDir folder;
    std::mt19937 random(6120);
    for (int kill = 0; kill < 10; ++kill) {
        const QString round = folder.filePath(QString::number(kill));
        ASSERT_TRUE(QDir().mkpath(round));
        runAndKill({"save-as", round}, random);
        if (testing::Test::HasFatalFailure())
            return;
        const QStringList packages = QDir(round).entryList({"Copy-*.pelorama"}, QDir::Dirs);
        ASSERT_FALSE(packages.isEmpty());
        for (const QString& name : packages) {
            TestDocument document;
            auto read = document.readFromPath(QDir(round).filePath(name), TestDocument::typeName);
            ASSERT_TRUE(read) << name.toStdString() << ": " << read.error().message().toStdString();
            const QString number = name.mid(5).section('.', 0, 0);
            EXPECT_EQ(document.captions(), QStringList(3, number));
            EXPECT_EQ(document.metadata().dictionary().value("FileVersion").toInt(), 1);
        }
    }
}

} // namespace
