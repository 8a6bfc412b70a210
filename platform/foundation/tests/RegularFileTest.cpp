#include "foundation/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

using foundation::RegularFile;
using foundation::RegularFileError;

TEST(FoundationTest, OnlyARegularFileOfAtMostTheSizeAskedForIsRead)
{
    QTemporaryDir folder;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    };
    write("small", "seven b");
    write("large", "eight by");
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder"));

    const struct
    {
        const char* name;
        std::optional<RegularFileError::Code> refusal;
        QString message;
    } cases[] = {
        {"small", {}, {}},
        {"large", RegularFileError::Code::tooLarge,
         "The file is too large (8 bytes); files of up to 7 bytes "
         "can be opened."},
        // Refused at once: nothing waits for a writer to open the other end.
        {"pipe", RegularFileError::Code::notRegularFile,
         "It is not a regular file but a device, pipe or socket."},
        {"folder", RegularFileError::Code::notRegularFile, "It is a folder, not a file."},
        {"missing", RegularFileError::Code::unreadable, "No such file or directory"},
    };
    for (const auto& file : cases) {
        SCOPED_TRACE(file.name);
        const auto read = RegularFile::readAll(folder.filePath(file.name), 7);
        ASSERT_EQ(read.hasValue(), !file.refusal);
        if (!file.refusal) {
            EXPECT_EQ(*read, "seven b");
            continue;
        }
        EXPECT_EQ(read.error().code(), *file.refusal);
        EXPECT_EQ(read.error().message(), file.message);
    }
}

TEST(FoundationTest, ARegularFileThatGrowsWhileItIsReadIsRefused)
{
    QTemporaryDir folder;
    QFile file(folder.filePath("growing"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("0123456789") == 10 && file.flush());
    auto opened = RegularFile::open(file.fileName(), 100);
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->readNext(4).value(), "0123");
    ASSERT_TRUE(file.write("more") == 4 && file.flush());
    QByteArray data = "read:";
    const auto rest = opened->appendRest(data);
    ASSERT_FALSE(rest);
    EXPECT_EQ(rest.error().code(), RegularFileError::Code::unreadable);
    EXPECT_EQ(rest.error().message(), "The file changed while it was being read.");
}
