// The program as a build script runs it, without a display: help, version, refusals, and the export of
// documents into a directory, which writes what Export All writes and leaves the packages as they were.
#include "app/export/CommandLine.h"

#include "FolderContents.h"
#include "app/DocumentLock.h"
#include "document/DocumentPackage.h"
#include "document/ExportJob.h"
#include "document/ExportPlan.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/languages/LanguageCode.h"
#include "model/languages/LanguageEditing.h"
#include "store/ManagedObjectContext.h"
#include "templates/Template.h"
#include "templates/TemplateCategory.h"
#include "tessaline/Shared/App.h"

#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>

using namespace pelorama;

namespace {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The built program, started with no display named, in a session that has its runtime directory (else Qt
// warns of it on every start), and allowed at most openFiles open files when given.
Outcome runProgram(const QStringList& arguments, std::optional<rlim_t> openFiles = std::nullopt)
{
    QProcess process;
    if (openFiles) {
        process.setChildProcessModifier([limit = *openFiles] {
            const rlimit files{limit, limit};
            setrlimit(RLIMIT_NOFILE, &files);
        });
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    const QTemporaryDir runtime;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PELORAMA_EXECUTABLE), arguments);
    EXPECT_TRUE(process.waitForFinished(90'000)) << arguments.join(' ').toStdString();
    Outcome run;
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A package at path with a template screenshot for each name in templated and a plain one of the given
// size for each in plain.
void makePackage(const QString& path, const QStringList& templated,
                 const QList<std::pair<QString, QSize>>& plain)
{
    document::DocumentPackage package;
    package.initializeNewDocument(document::DocumentPackage::typeName());
    store::ManagedObjectContext& context = *package.managedObjectContext();
    double order = 0;
    for (const QString& name : templated) {
        model::Screenshot& screenshot = templates::TemplateCategory::iPhone()
                                            .templateGroups()
                                            .front()
                                            .templates()
                                            .front()
                                            ->instantiateScreenshot(context);
        screenshot.setName(name);
        screenshot.setOrder(order++);
    }
    for (const auto& [name, size] : plain) {
        model::Screenshot* screenshot = model::Screenshot::insertInto(context);
        screenshot->setName(name);
        screenshot->setOrder(order++);
        screenshot->setSize({double(size.width()), double(size.height())});
        screenshot->setBackgroundType(model::BackgroundType::solid);
        screenshot->setSolidBackgroundColor(graphics::Color{0.2, 0.4, 0.6, 1});
    }
    ASSERT_TRUE(package.saveAs(path));
}

using testsupport::contentsOf;

QStringList filesIn(const QString& directory)
{
    return QDir(directory).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CommandLineTest : public testing::Test
{
protected:
    void SetUp() override
    {
        makePackage(m_package, {"Home"}, {{"Detail", {60, 40}}, {"Settings/Night", {20, 10}}});
        m_packageContents = contentsOf(m_package);
    }

    QTemporaryDir m_folder;
    const QString m_package = m_folder.filePath("App.pelorama");
    QStringList m_packageContents;
};

} // namespace

TEST(CommandLineOptionsTest, HelpVersionAndWhatMakesNoSense)
{
    const QString noDisplay =
        "pelorama: The windows need a display (DISPLAY or WAYLAND_DISPLAY); --export works without one.\n";
    const struct
    {
        QStringList arguments;
        int exitCode;
        QString out;
        QString err;
    } cases[] = {
        {{"--help"}, 0, "Usage: pelorama [DOCUMENT.pelorama ...]\n", ""},
        {{"-h", "Any.pelorama"}, 0, "  --screenshot <name>", ""},
        {{"--version"}, 0, "Pelorama " + tessaline::App::version() + '\n', ""},
        {{"--frobnicate"}, 2, "", "pelorama: Unknown option 'frobnicate'.\nTry 'pelorama --help'"},
        {{"--export"}, 2, "", "pelorama: Missing value after '--export'.\n"},
        {{"--export", "out"}, 2, "", "pelorama: --export needs at least one document.\n"},
        {{"--screenshot", "Home", "App.pelorama"}, 2, "", "pelorama: --screenshot needs --export.\n"},
        {{"--language", "de-DE", "App.pelorama"}, 2, "", "pelorama: --language needs --export.\n"},
        {{"--export", "out", "--language", "../de", "App.pelorama"},
         2,
         "",
         "pelorama: “../de” is not a language code.\n"},
        {{"--export", "a", "--export", "b", "App.pelorama"},
         2,
         "",
         "pelorama: --export may be given once.\n"},
        // Qt's own options, as a desktop or a user passes them, are Qt's.
        {{"-platform", "offscreen", "--version"}, 0, "Pelorama " + tessaline::App::version() + '\n', ""},
        {{"-style", "fusion", "--help"}, 0, "Usage: pelorama [DOCUMENT.pelorama ...]\n", ""},
        {{"-session", "1a2b3c", "--version"}, 0, "Pelorama ", ""},
        // The windows need a display; what follows "--" is documents, never an option of Qt's or ours.
        {{}, 2, "", noDisplay},
        {{"--", "-platform", "xcb", "Doc.pelorama"}, 2, "", noDisplay},
        {{"--", "--version"}, 2, "", noDisplay},
    };
    for (const auto& expected : cases) {
        const Outcome run = runProgram(expected.arguments);
        const std::string context = expected.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, expected.exitCode) << context;
        if (expected.out.isEmpty())
            EXPECT_EQ(run.out, "") << context;
        else
            EXPECT_TRUE(run.out.contains(expected.out)) << context << "\n" << run.out.toStdString();
        if (expected.err.isEmpty())
            EXPECT_EQ(run.err, "") << context;
        else
            EXPECT_TRUE(run.err.startsWith(expected.err)) << context << "\n" << run.err.toStdString();
    }
}

// Every option the help shows the manual page describes, and no other.
TEST(CommandLineOptionsTest, TheManualPageHasTheOptionsOfTheHelp)
{
    const auto optionsIn = [](const QString& text) {
        QStringList options;
        static const QRegularExpression option("(?<![\\w-])(--?[a-z][a-z-]*)");
        for (auto match = option.globalMatch(text); match.hasNext();)
            options.append(match.next().captured(1));
        options.removeDuplicates();
        options.sort();
        return options;
    };
    const QString help = optionsIn(app::CommandLine::helpText()).join(' ');
    EXPECT_TRUE(help.contains("--export") && help.contains("-h")) << help.toStdString();
    // Up to the examples, which run other commands too; the page's dashes are written "\\-".
    const QString page = QString::fromUtf8(bytesOf(PELORAMA_MANUAL_PAGE));
    EXPECT_EQ(optionsIn(page.left(page.indexOf(".SH EXAMPLES")).replace("\\-", "-")).join(' '), help);
}

TEST_F(CommandLineTest, ExportWritesWhatExportAllWritesAndLeavesThePackageAsItWas)
{
    // What the window's Export All writes, in this process.
    const QTemporaryDir exportAll;
    {
        auto package = document::DocumentPackage::openForReading(m_package);
        ASSERT_TRUE(package.hasValue());
        document::ExportJob job(
            document::ExportPlan::ofDocument(*(*package)->managedObjectContext(), exportAll.path()));
        QEventLoop loop;
        QObject::connect(&job, &document::ExportJob::finished, &loop, &QEventLoop::quit);
        job.start();
        loop.exec();
        ASSERT_EQ(job.alert(), std::nullopt);
    }
    const QStringList files{"Detail.png", "Home.png", "Settings-Night.png"};
    ASSERT_EQ(filesIn(exportAll.path()), files);

    const QTemporaryDir out;
    const Outcome run = runProgram({"--export", out.path(), m_package});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const char* line : {"[1/3] Home.png\n", "[2/3] Detail.png\n", "[3/3] Settings-Night.png\n"})
        EXPECT_TRUE(run.err.contains(line)) << run.err.toStdString();
    EXPECT_EQ(filesIn(out.path()), files);
    for (const QString& file : files) {
        const QByteArray written = bytesOf(QDir(out.path()).filePath(file));
        EXPECT_FALSE(written.isEmpty()) << file.toStdString();
        EXPECT_EQ(written, bytesOf(QDir(exportAll.path()).filePath(file))) << file.toStdString();
    }
    EXPECT_EQ(QImage(QDir(out.path()).filePath("Home.png")).size(), QSize(1242, 2208));
    EXPECT_EQ(QImage(QDir(out.path()).filePath("Detail.png")).size(), QSize(60, 40));
    EXPECT_EQ(QImage(QDir(out.path()).filePath("Settings-Night.png")).size(), QSize(20, 10));

    // Only the screenshots named.
    const QTemporaryDir some;
    const Outcome chosen = runProgram(
        {"--export", some.path(), "--screenshot", "Settings/Night", m_package, "--screenshot", "Detail"});
    EXPECT_EQ(chosen.exitCode, 0) << chosen.err.toStdString();
    EXPECT_EQ(filesIn(some.path()), (QStringList{"Detail.png", "Settings-Night.png"}));
    EXPECT_TRUE(chosen.err.contains("[2/2] Settings-Night.png\n")) << chosen.err.toStdString();

    // An export makes no widgets, yet the widgets' own options of Qt mean to it what they mean to the
    // windows: nothing that is the program's.
    const QTemporaryDir styled;
    const Outcome withStyle =
        runProgram({"-style", "fusion", "--stylesheet=none.qss", "--export=" + styled.path(), m_package});
    EXPECT_EQ(withStyle.exitCode, 0) << withStyle.err.toStdString();
    EXPECT_EQ(filesIn(styled.path()), files);

    EXPECT_EQ(contentsOf(m_package), m_packageContents);
}

// Whatever fails is named with its reason and makes the exit status 1; what can be written still is.
TEST_F(CommandLineTest, FailuresAreNamedAndTheRestIsStillWritten)
{
    const QString notes = m_folder.filePath("notes.txt");
    QFile(notes).open(QIODevice::WriteOnly);
    const QString twin = m_folder.filePath("Twin.pelorama");
    makePackage(twin, {}, {{"Detail", {10, 10}}, {"Other", {10, 10}}});
    const QString missing = m_folder.filePath("Missing.pelorama");
    const QStringList all{"Detail.png", "Home.png", "Settings-Night.png"};

    enum class Output
    {
        directory,
        file,
        nothing,
        linkAtHome,
        insidePackage
    };
    const struct
    {
        const char* name;
        Output output;
        QStringList arguments;
        QStringList messages;
        QStringList written;
    } cases[] = {
        {"missing document", Output::directory, {missing, m_package}, {missing + ": No such document"}, all},
        {"no document", Output::directory, {notes, m_package}, {notes + ": not a Pelorama document"}, all},
        {"output is a file", Output::file, {m_package}, {"” is not a directory."}, {}},
        {"output missing",
         Output::nothing,
         {m_package},
         {"pelorama: The directory “", "” does not exist."},
         {}},
        {"output inside the document",
         Output::insidePackage,
         {m_package},
         {m_package + ": The directory “", "” lies inside this document, which is only read."},
         {}},
        {"no such screenshot",
         Output::directory,
         {"--screenshot", "Nope", "--screenshot", "Detail", m_package},
         {m_package + ": No screenshot is named “Nope”."},
         {"Detail.png"}},
        {"link at a target name",
         Output::linkAtHome,
         {m_package},
         {m_package + ": “Home.png”: "},
         {"Detail.png", "Home.png", "Settings-Night.png"}},
        // Both would write Detail.png: neither is written, the rest is.
        {"same file from two documents",
         Output::directory,
         {m_package, twin, missing},
         {"Duplicate names: “Detail.png” would be written for more than one screenshot of " + m_package +
              " and " + twin + ".",
          missing + ": No such document"},
         {}},
    };
    for (const auto& expected : cases) {
        const QTemporaryDir parent;
        const QString output = expected.output == Output::insidePackage ? QDir(m_package).filePath("out")
                                                                        : parent.filePath("out");
        const QString elsewhere = parent.filePath("elsewhere.png");
        switch (expected.output) {
        case Output::directory:
            QDir().mkdir(output);
            break;
        case Output::insidePackage:
            QDir().mkdir(output);
            m_packageContents.append("out");
            m_packageContents.sort();
            break;
        case Output::file:
            QFile(output).open(QIODevice::WriteOnly);
            break;
        case Output::nothing:
            break;
        case Output::linkAtHome:
            QDir().mkdir(output);
            QFile(elsewhere).open(QIODevice::WriteOnly);
            QFile::link(elsewhere, QDir(output).filePath("Home.png"));
            break;
        }
        const Outcome run = runProgram(QStringList{"--export", output} + expected.arguments);

        EXPECT_EQ(run.exitCode, 1) << expected.name;
        for (const QString& message : expected.messages)
            EXPECT_TRUE(run.err.contains(message)) << expected.name << "\n" << run.err.toStdString();
        if (expected.output != Output::file && expected.output != Output::nothing) {
            EXPECT_EQ(filesIn(output), expected.written) << expected.name;
        }
        if (expected.output == Output::linkAtHome) {
            EXPECT_TRUE(QFileInfo(QDir(output).filePath("Home.png")).isSymLink());
            EXPECT_EQ(QFileInfo(elsewhere).size(), 0);
        }
    }
    EXPECT_EQ(contentsOf(m_package), m_packageContents);
}

// A document with several languages is written a folder per language, or in the languages asked for; a
// document that lacks one asked for is named and left out.
TEST_F(CommandLineTest, LanguagesAreWrittenAFolderEach)
{
    const QString translated = m_folder.filePath("Translated.pelorama");
    makePackage(translated, {}, {{"Greeting", {300, 80}}});
    {
        document::DocumentPackage package;
        ASSERT_TRUE(package.readFromPath(translated, document::DocumentPackage::typeName()));
        store::ManagedObjectContext& context = *package.managedObjectContext();
        ASSERT_TRUE(
            model::LanguageEditing::renameLanguage(context, model::LanguageCode::systemDefault(), "en-US"));
        ASSERT_TRUE(model::LanguageEditing::addLanguage(context, "de-DE"));
        ASSERT_TRUE(model::LanguageEditing::addLanguage(context, "ja"));
        auto* screenshot =
            dynamic_cast<model::Screenshot*>(context.execute(model::Screenshot::fetchRequest())->front());
        model::TextRect& caption =
            *model::TextRect::insertInto(context, {{0, 0}, {300, 80}}, "Hello", graphics::TextAlignment::left,
                                         model::VerticalAlignment::top);
        model::DrawableMapping::insert(caption, *screenshot, context);
        ASSERT_TRUE(caption.setText("Guten Tag", "de-DE"));
        ASSERT_TRUE(package.save());
    }
    const QStringList translatedContents = contentsOf(translated);

    const QTemporaryDir all;
    const Outcome everything = runProgram({"--export", all.path(), translated});
    EXPECT_EQ(everything.exitCode, 0) << everything.err.toStdString();
    EXPECT_EQ(filesIn(all.path()), (QStringList{"de-DE", "en-US", "ja"}));
    for (const char* line :
         {"[1/3] en-US/Greeting.png\n", "[2/3] de-DE/Greeting.png\n", "[3/3] ja/Greeting.png\n"})
        EXPECT_TRUE(everything.err.contains(line)) << everything.err.toStdString();
    const auto bytesIn = [](const QTemporaryDir& directory, const QString& file) {
        return bytesOf(QDir(directory.path()).filePath(file));
    };
    EXPECT_NE(bytesIn(all, "de-DE/Greeting.png"), bytesIn(all, "en-US/Greeting.png"));
    EXPECT_EQ(bytesIn(all, "ja/Greeting.png"), bytesIn(all, "en-US/Greeting.png"));

    // The languages asked for, also of a document with one; one a document lacks leaves it out.
    const QTemporaryDir chosen;
    const Outcome some =
        runProgram({"--export", chosen.path(), "--language", "de_de", translated, m_package});
    EXPECT_EQ(some.exitCode, 1);
    EXPECT_TRUE(some.err.contains(m_package + ": The document has no language “de-DE”"))
        << some.err.toStdString();
    EXPECT_EQ(filesIn(chosen.path()), QStringList{"de-DE"});
    EXPECT_EQ(filesIn(QDir(chosen.path()).filePath("de-DE")), QStringList{"Greeting.png"});
    EXPECT_EQ(bytesIn(chosen, "de-DE/Greeting.png"), bytesIn(all, "de-DE/Greeting.png"));

    EXPECT_EQ(contentsOf(translated), translatedContents);
    EXPECT_EQ(contentsOf(m_package), m_packageContents);
}

// Documents are opened one at a time, so their count is bounded by nothing the process holds open:
// more documents than the process may open files are all written, and every check before the first file
// still holds (two documents that would write one file are both left out).
TEST_F(CommandLineTest, MoreDocumentsThanOpenFilesAreAllWritten)
{
    constexpr int count = 120;
    QStringList documents;
    QStringList expected;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("S%1").arg(i, 3, 10, QChar(u'0'));
        documents.append(m_folder.filePath(name + ".pelorama"));
        makePackage(documents.back(), {}, {{name, {4, 4}}});
        expected.append(name + ".png");
    }
    const QString twin = m_folder.filePath("Twin.pelorama");
    makePackage(twin, {}, {{"S000", {4, 4}}});

    const QTemporaryDir out;
    const Outcome run = runProgram(QStringList{"--export", out.path()} + documents, 64);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(filesIn(out.path()), expected);

    const QTemporaryDir checked;
    const Outcome refused = runProgram(QStringList{"--export", checked.path(), twin} + documents, 64);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("Duplicate names: “S000.png” would be written for more than one "
                                     "screenshot of " +
                                     twin + " and " + documents.front() + "."))
        << refused.err.toStdString();
    expected.removeFirst();
    EXPECT_EQ(filesIn(checked.path()), expected);
}

// A directory inside any document package, not only one exported, is refused before anything is
// written: files there would change the package.
TEST_F(CommandLineTest, ADirectoryInsideAnyDocumentIsRefused)
{
    const QString other = m_folder.filePath("Other.pelorama");
    makePackage(other, {}, {{"Elsewhere", {4, 4}}});
    const QString output = QDir(other).filePath("out");
    ASSERT_TRUE(QDir().mkdir(output));

    const Outcome run = runProgram({"--export", output, m_package});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("The directory “" + output + "” lies inside the document " +
                                 QFileInfo(other).canonicalFilePath() + ", which is only read."))
        << run.err.toStdString();
    EXPECT_EQ(filesIn(output), QStringList());
    EXPECT_EQ(contentsOf(m_package), m_packageContents);
}

// A document the same name is given twice for makes every file twice: it is named once.
TEST_F(CommandLineTest, ADocumentGivenTwiceIsNamedOnceAmongTheDuplicates)
{
    const QTemporaryDir out;
    const Outcome run = runProgram({"--export", out.path(), m_package, m_package});
    EXPECT_EQ(run.exitCode, 1);
    for (const char* file : {"Home.png", "Detail.png", "Settings-Night.png"})
        EXPECT_TRUE(
            run.err.contains(QStringLiteral("Duplicate names: “%1” would be written for more than one "
                                            "screenshot of %2. Please")
                                 .arg(file, m_package)))
            << run.err.toStdString();
    EXPECT_EQ(filesIn(out.path()), QStringList());
}

// A document open in a window elsewhere is still exported: the export only reads it.
TEST_F(CommandLineTest, ADocumentOpenInAWindowIsExported)
{
    const auto lock = app::DocumentLock::acquire(m_package);
    ASSERT_TRUE(lock.hasValue());
    const QTemporaryDir out;
    const Outcome run = runProgram({"--export", out.path(), m_package});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(filesIn(out.path()), (QStringList{"Detail.png", "Home.png", "Settings-Night.png"}));
}
