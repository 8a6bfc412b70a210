#include "tessaline/Shared/Decryptor.h"
#include "tessaline/Shared/Encryptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Outcome
{
    int exitCode = -1;
    QString errors;
};

class ContainerToolTest : public testing::Test
{
protected:
    Outcome run(const QStringList& arguments, const QString& passphrase = QStringLiteral("frame artwork"))
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("PELORAMA_CONTAINER_PASSPHRASE"));
        if (!passphrase.isNull())
            environment.insert(QStringLiteral("PELORAMA_CONTAINER_PASSPHRASE"), passphrase);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(CONTAINERTOOL_PATH), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
    }

    QString path(const QString& name) const { return directory.filePath(name); }

    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir directory;
};

} // namespace

TEST_F(ContainerToolTest, SealsAndOpensAFile)
{
    QByteArray artwork;
    for (int i = 0; i < 3'000'000; ++i) // several read chunks
        artwork += char(i * 31 + i / 7);
    write("frame.png", artwork);
    EXPECT_EQ(run({"seal", path("frame.png"), path("frame.ccc")}).exitCode, 0);
    const QByteArray container = read("frame.ccc");
    EXPECT_EQ(container.size(), 68 + 16 * (artwork.size() / 16 + 1));
    EXPECT_EQ(tessaline::Decryptor::decrypt(container, "frame artwork"), artwork);

    EXPECT_EQ(run({"open", path("frame.ccc"), path("opened.png")}).exitCode, 0);
    EXPECT_EQ(read("opened.png"), artwork);
}

TEST_F(ContainerToolTest, SealsAnEmptyFileAndTakesThePassphraseFromAFile)
{
    write("empty", {});
    write("passphrase.txt", "from a file\n");
    EXPECT_EQ(run({"seal", "--passphrase-file", path("passphrase.txt"), path("empty"), path("empty.ccc")}, {})
                  .exitCode,
              0);
    EXPECT_EQ(read("empty.ccc").size(), 84);
    EXPECT_EQ(run({"open", path("empty.ccc"), path("empty.out")}, "from a file").exitCode, 0);
    EXPECT_TRUE(QFile::exists(path("empty.out")));
    EXPECT_TRUE(read("empty.out").isEmpty());
}

TEST_F(ContainerToolTest, RefusesAWrongPassphraseAndWritesNothing)
{
    write("secret", "secret artwork");
    ASSERT_EQ(run({"seal", path("secret"), path("secret.ccc")}).exitCode, 0);
    const Outcome outcome = run({"open", path("secret.ccc"), path("secret.out")}, "not the passphrase");
    EXPECT_EQ(outcome.exitCode, 5);
    EXPECT_TRUE(outcome.errors.contains("wrong passphrase")) << outcome.errors.toStdString();
    EXPECT_FALSE(QFile::exists(path("secret.out")));
}

TEST_F(ContainerToolTest, RefusesDamagedAndForeignInput)
{
    write("secret", QByteArray(100, 's'));
    ASSERT_EQ(run({"seal", path("secret"), path("secret.ccc")}).exitCode, 0);
    QByteArray container = read("secret.ccc");
    container[50] = char(container[50] ^ 1);
    write("damaged.ccc", container);
    EXPECT_EQ(run({"open", path("damaged.ccc"), path("out")}).exitCode, 5);

    write("picture.png", QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(100, 'x'));
    Outcome outcome = run({"open", path("picture.png"), path("out")});
    EXPECT_EQ(outcome.exitCode, 4);
    EXPECT_TRUE(outcome.errors.contains("is not an encrypted container")) << outcome.errors.toStdString();

    write("short", "short");
    EXPECT_EQ(run({"open", path("short"), path("out")}).exitCode, 4);
    EXPECT_FALSE(QFile::exists(path("out")));
}

TEST_F(ContainerToolTest, ReportsFileAndUsageErrors)
{
    Outcome outcome = run({"seal", path("missing"), path("out")});
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_TRUE(outcome.errors.contains("cannot read")) << outcome.errors.toStdString();

    write("input", "x");
    EXPECT_EQ(run({"seal", path("input"), path("no/such/directory/out")}).exitCode, 3);

    EXPECT_EQ(run({}).exitCode, 2);
    EXPECT_EQ(run({"wrap", path("input"), path("out")}).exitCode, 2);
    EXPECT_EQ(run({"seal", path("input")}).exitCode, 2);
    EXPECT_EQ(run({"seal", path("input"), path("out"), "--verbose"}).exitCode, 2);
    outcome = run({"seal", path("input"), path("out")}, {});
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_TRUE(outcome.errors.contains("no passphrase")) << outcome.errors.toStdString();
    EXPECT_EQ(run({"seal", path("input"), path("out")}, "").exitCode, 2);
    EXPECT_EQ(run({"seal", "--passphrase-file", path("missing"), path("input"), path("out")}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("out")));
    EXPECT_EQ(run({"--help"}).exitCode, 0);
}

TEST_F(ContainerToolTest, NeverWritesOverItsInput)
{
    const QByteArray artwork = "frame artwork";
    write("frame.png", artwork);
    ASSERT_EQ(run({"seal", path("frame.png"), path("frame.ccc")}).exitCode, 0);
    const QByteArray container = read("frame.ccc");
    ASSERT_TRUE(QFile::link(path("frame.png"), path("symlink.png")));
    ASSERT_EQ(::link(QFile::encodeName(path("frame.ccc")).constData(),
                     QFile::encodeName(path("hardlink.ccc")).constData()),
              0);

    for (const QString& output :
         {path("frame.png"), path("symlink.png"), directory.path() + "/./frame.png"}) {
        const Outcome outcome = run({"seal", path("frame.png"), output});
        EXPECT_EQ(outcome.exitCode, 3) << output.toStdString();
        EXPECT_TRUE(outcome.errors.contains("is the input file")) << outcome.errors.toStdString();
    }
    for (const QString& output : {path("frame.ccc"), path("hardlink.ccc")}) {
        const Outcome outcome = run({"open", path("frame.ccc"), output});
        EXPECT_EQ(outcome.exitCode, 3) << output.toStdString();
        EXPECT_TRUE(outcome.errors.contains("is the input file")) << outcome.errors.toStdString();
    }
    EXPECT_EQ(read("frame.png"), artwork);
    EXPECT_EQ(read("frame.ccc"), container);
    EXPECT_TRUE(QFileInfo(path("symlink.png")).isSymLink());
}

TEST_F(ContainerToolTest, ReplacesOnlyRegularFiles)
{
    write("frame.png", "frame artwork");
    ASSERT_EQ(run({"seal", path("frame.png"), path("frame.ccc")}).exitCode, 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(path("pipe"), path("link-to-pipe")));
    ASSERT_TRUE(QDir(directory.path()).mkdir("folder"));

    for (const QString& output : {path("pipe"), path("link-to-pipe"), path("folder")}) {
        for (const char* command : {"seal", "open"}) {
            const QString input = QLatin1String(command) == "seal" ? path("frame.png") : path("frame.ccc");
            const Outcome outcome = run({command, input, output});
            EXPECT_EQ(outcome.exitCode, 3) << command << " " << output.toStdString();
            EXPECT_TRUE(outcome.errors.contains("is not a regular file")) << outcome.errors.toStdString();
        }
    }
    struct stat pipe;
    ASSERT_EQ(::lstat(QFile::encodeName(path("pipe")).constData(), &pipe), 0);
    EXPECT_TRUE(S_ISFIFO(pipe.st_mode));
    EXPECT_TRUE(QFileInfo(path("link-to-pipe")).isSymLink());
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());

    // An existing regular file is replaced as before.
    write("old.png", "old");
    EXPECT_EQ(run({"open", path("frame.ccc"), path("old.png")}).exitCode, 0);
    EXPECT_EQ(read("old.png"), "frame artwork");
}
