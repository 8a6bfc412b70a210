#include "document/ScreenshotExporter.h"

#include "TestDocument.h"
#include "document/ExportFileNames.h"
#include "document/ExportJob.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/TextRect.h"
#include "model/languages/LanguageCode.h"
#include "model/languages/LanguageEditing.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/RenderPool.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace pelorama;
using document::ActionAlert;
using document::ExportJob;
using document::ScreenshotExporter;
namespace names = document::ExportFileNames;

namespace {

// What an export did: the alert at its end and the steps of its progress.
struct Exported
{
    std::optional<ActionAlert> alert;
    QList<double> steps;
};

// Starts job and runs the event loop, as the application does, until it has finished.
Exported runToEnd(ExportJob& job)
{
    Exported exported;
    QObject::connect(&job, &ExportJob::progressChanged,
                     [&](double percent) { exported.steps.append(percent); });
    QEventLoop loop;
    QObject::connect(&job, &ExportJob::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60'000, &loop, [&loop] { loop.exit(1); });
    job.start();
    EXPECT_EQ(loop.exec(), 0) << "the export never finished";
    EXPECT_TRUE(job.isFinished());
    exported.alert = job.alert();
    return exported;
}

Exported exportAll(TestDocument& document, const QString& directory, int workers = 0)
{
    ExportJob job(document.context(), directory);
    if (workers > 0)
        job.setWorkerCount(workers);
    return runToEnd(job);
}

std::optional<ActionAlert> exportOne(model::Screenshot& screenshot, const QString& path)
{
    ExportJob job(screenshot, path);
    return runToEnd(job).alert;
}

class ScreenshotExporterTest : public testing::Test
{
protected:
    model::Screenshot& add(const QString& name, graphics::Size size = {60, 40})
    {
        model::Screenshot& screenshot = m_document.addScreenshot(name, m_document.count<model::Screenshot>());
        screenshot.setSize(size);
        screenshot.setBackgroundType(model::BackgroundType::solid);
        screenshot.setSolidBackgroundColor(graphics::Color{1, 0, 0, 1});
        return screenshot;
    }

    QStringList files() const { return QDir(m_directory.path()).entryList(QDir::Files, QDir::Name); }

    TestDocument m_document;
    ScreenshotExporter m_exporter{m_document.context()};
    QTemporaryDir m_directory;
};

} // namespace

TEST(ExportFileNamesTest, NamesBecomeOneFileInTheChosenDirectory)
{
    EXPECT_EQ(names::fileName("Home"), "Home.png");
    EXPECT_EQ(names::fileName("a/b"), "a-b.png");
    EXPECT_EQ(names::fileName("../../etc/x"), "..-..-etc-x.png");
    EXPECT_EQ(names::fileName(QString("a") + QChar(u'\0') + "b"), "a-b.png");
    EXPECT_EQ(names::fileName("..."), "....png");
    EXPECT_EQ(names::fileName(" "), " .png");
    for (const char* refused : {"", ".", ".."})
        EXPECT_EQ(names::fileName(refused), std::nullopt) << refused;
}

TEST(ExportFileNamesTest, DuplicatesAreFoundAmongTheFileNames)
{
    EXPECT_EQ(names::duplicates({"Home.png", "home.png", "Detail.png"}, Qt::CaseSensitive), QStringList());
    EXPECT_EQ(names::duplicates({"Home.png", "home.png", "HOME.png", "Detail.png"}, Qt::CaseInsensitive),
              QStringList{"home.png"});
    EXPECT_EQ(names::duplicates({"a.png", "b.png", "a.png", "b.png", "a.png"}, Qt::CaseSensitive),
              (QStringList{"a.png", "b.png"}));
    // The file system this test runs on tells names apart by case.
    QTemporaryDir directory;
    EXPECT_TRUE(names::isCaseSensitive(directory.path()));
    EXPECT_TRUE(QDir(directory.path()).isEmpty());
}

TEST_F(ScreenshotExporterTest, ScreenshotsWhoseFilesWouldCoincideStopTheExportBeforeItStarts)
{
    add("Home");
    add("home");
    EXPECT_EQ(m_exporter.checkNames(), std::nullopt);
    add("Home");
    const ActionAlert duplicate{"Duplicate names",
                                "There are multiple screenshots with the same name. Please "
                                "change them so they are not written to the same filename."};
    EXPECT_EQ(m_exporter.checkNames(), duplicate);
    // Names that differ only by what cleaning replaces are duplicates too.
    TestDocument other;
    ScreenshotExporter otherExporter(other.context());
    other.addScreenshot("a/b", 0);
    other.addScreenshot("a-b", 1);
    EXPECT_EQ(otherExporter.checkNames(), duplicate);
}

TEST_F(ScreenshotExporterTest, EveryScreenshotIsWrittenAtItsSizeAndTheBarStepsAsEachFileLands)
{
    add("Home", {60, 40});
    add("home", {30, 50});
    add("Detail/Zoom", {750, 1334});
    const Exported exported = exportAll(m_document, m_directory.path());

    EXPECT_EQ(exported.alert, std::nullopt);
    const QList<double>& steps = exported.steps;
    ASSERT_EQ(steps.size(), 3);
    EXPECT_DOUBLE_EQ(steps[0], 100.0 / 3);
    EXPECT_DOUBLE_EQ(steps[1], 200.0 / 3);
    EXPECT_DOUBLE_EQ(steps[2], 100);
    EXPECT_EQ(files(), (QStringList{"Detail-Zoom.png", "Home.png", "home.png"}));
    const QImage home(m_directory.filePath("Home.png"));
    EXPECT_EQ(home.size(), QSize(60, 40));
    EXPECT_EQ(home.pixelColor(30, 20), QColor(255, 0, 0));
    EXPECT_EQ(QImage(m_directory.filePath("home.png")).size(), QSize(30, 50));
    // The built-in template size the export stretches to its store size.
    EXPECT_EQ(QImage(m_directory.filePath("Detail-Zoom.png")).size(), QSize(1242, 2208));
}

TEST_F(ScreenshotExporterTest, AnEarlierFileOfTheSameNameIsReplaced)
{
    QFile earlier(m_directory.filePath("Home.png"));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("old");
    earlier.close();
    add("Home");
    EXPECT_EQ(exportAll(m_document, m_directory.path()).alert, std::nullopt);
    EXPECT_EQ(QImage(m_directory.filePath("Home.png")).size(), QSize(60, 40));
}

TEST_F(ScreenshotExporterTest, FilesThatCannotBeWrittenAreNamedInOneAlertAndTheOthersAreWritten)
{
    add("");
    add("Home");
    add("Blocked");
    add("Empty", {0, 0});
    add("..");
    // A directory where the file should go: the file cannot replace it.
    ASSERT_TRUE(QDir(m_directory.path()).mkdir("Blocked.png"));
    const auto [alert, steps] = exportAll(m_document, m_directory.path());

    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->messageText, "Export failed");
    const QStringList lines = alert->informativeText.split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "These screenshots could not be exported:");
    EXPECT_EQ(lines[1], "“”: The name makes no file name.");
    EXPECT_TRUE(lines[2].startsWith("“Blocked.png”: "));
    EXPECT_EQ(lines[3], "“Empty.png”: Screenshot has no PNG representation");
    EXPECT_EQ(lines[4], "“..”: The name makes no file name.");
    EXPECT_EQ(files(), QStringList{"Home.png"});
    EXPECT_EQ(steps, (QList<double>{40, 60}));
}

// However many workers render, names that make no file (first, between others, last or all of them)
// never keep the rest from being written, and the export always ends.
TEST_F(ScreenshotExporterTest, NamesThatMakeNoFileNeverHoldTheExportUpWhateverTheWorkerCount)
{
    const QList<QStringList> orders{{"", ".", "Home"}, {"Home", "", "."},        {"", "Home", "."},
                                    {"", ".", ".."},   {"A", "", "B", ".", "C"}, {"", ".", "..", "A"}};
    for (const int workers : {1, 2, QThread::idealThreadCount()}) {
        for (const QStringList& order : orders) {
            TestDocument document;
            QStringList written;
            QStringList nameless;
            for (const QString& name : order) {
                model::Screenshot& screenshot =
                    document.addScreenshot(name, document.count<model::Screenshot>());
                screenshot.setSize({20, 10});
                if (names::fileName(name))
                    written.append(*names::fileName(name));
                else
                    nameless.append(QStringLiteral("“%1”: The name makes no file name.").arg(name));
            }
            const QTemporaryDir directory;
            const auto [alert, steps] = exportAll(document, directory.path(), workers);

            const QString context = QString::number(workers) + " workers, " + order.join('|');
            ASSERT_TRUE(alert.has_value()) << context.toStdString();
            EXPECT_EQ(alert->informativeText.split('\n').mid(1), nameless) << context.toStdString();
            written.sort();
            EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files, QDir::Name), written)
                << context.toStdString();
            EXPECT_EQ(steps.size(), written.size()) << context.toStdString();
        }
    }
}

// While the export renders on the pool, the main thread goes on with its events, drawing windows too,
// which Qt spreads over the same pool. However many renders run at once, neither waits for ever.
TEST_F(ScreenshotExporterTest, WindowsKeepDrawingWhileTheWorkersRender)
{
    for (int i = 0; i < 12; ++i)
        m_document.addFilledScreenshot("Filled " + QString::number(i), i).setSize({300, 200});
    int paints = 0;
    QTimer drawing;
    QObject::connect(&drawing, &QTimer::timeout, [&paints] {
        QImage window(1600, 1000, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&window);
        painter.fillRect(window.rect(), QColor(10, 20, 30, 128));
        ++paints;
    });
    for (const int workers : {1, QThread::idealThreadCount()}) {
        const QTemporaryDir directory;
        drawing.start(0);
        EXPECT_EQ(exportAll(m_document, directory.path(), workers).alert, std::nullopt);
        drawing.stop();
        EXPECT_EQ(QDir(directory.path()).entryList(QDir::Files).size(), 12);
    }
    EXPECT_GT(paints, 0);
}

// Whatever was planted in the directory under a screenshot's file name (a link to a file elsewhere, a
// link to nothing yet, a folder, a pipe) is left as it is and named; nothing outside is written.
TEST_F(ScreenshotExporterTest, OnlyRegularFilesInTheChosenDirectoryAreWritten)
{
    const QTemporaryDir elsewhere;
    const QString outside = QDir(elsewhere.path()).filePath("outside.png");
    QFile outsideFile(outside);
    ASSERT_TRUE(outsideFile.open(QIODevice::WriteOnly));
    outsideFile.write("kept");
    outsideFile.close();
    const QString dangling = QDir(elsewhere.path()).filePath("made.png");
    const QDir directory(m_directory.path());
    ASSERT_TRUE(QFile::link(outside, directory.filePath("Link.png")));
    ASSERT_TRUE(QFile::link(dangling, directory.filePath("Dangling.png")));
    ASSERT_TRUE(directory.mkdir("Folder.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(directory.filePath("Pipe.png")).constData(), 0600), 0);
    for (const char* name : {"Link", "Dangling", "Folder", "Pipe", "Home"})
        add(name);

    const std::optional<ActionAlert> alert = exportAll(m_document, m_directory.path()).alert;

    ASSERT_TRUE(alert.has_value());
    const QStringList lines = alert->informativeText.split('\n');
    ASSERT_EQ(lines.size(), 5) << alert->informativeText.toStdString();
    EXPECT_TRUE(lines[1].startsWith("“Link.png”: ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("“Dangling.png”: ")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith("“Folder.png”: ")) << lines[3].toStdString();
    EXPECT_TRUE(lines[4].startsWith("“Pipe.png”: ")) << lines[4].toStdString();
    EXPECT_EQ(QFileInfo(directory.filePath("Link.png")).symLinkTarget(), outside);
    EXPECT_EQ(QFileInfo(directory.filePath("Dangling.png")).symLinkTarget(), dangling);
    EXPECT_TRUE(QFileInfo(directory.filePath("Folder.png")).isDir());
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files), QStringList{"outside.png"});
    ASSERT_TRUE(outsideFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(outsideFile.readAll(), "kept");
    EXPECT_EQ(QImage(directory.filePath("Home.png")).size(), QSize(60, 40));
    // Nothing half-written stays behind.
    EXPECT_EQ(
        directory.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).size(), 5);

    // The file of a single export too.
    const std::optional<ActionAlert> single =
        exportOne(*m_document.arrangedScreenshots().front(), directory.filePath("Link.png"));
    ASSERT_TRUE(single.has_value());
    EXPECT_TRUE(single->informativeText.contains("“Link.png”: ")) << single->informativeText.toStdString();
    EXPECT_TRUE(QFileInfo(directory.filePath("Link.png")).isSymLink());
    outsideFile.seek(0);
    EXPECT_EQ(outsideFile.readAll(), "kept");
}

TEST_F(ScreenshotExporterTest, AReadOnlyDirectoryReportsEveryFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into read-only directories";
    add("Home");
    add("Detail");
    ASSERT_TRUE(QFile::setPermissions(m_directory.path(), QFile::ReadOwner | QFile::ExeOwner));
    const std::optional<ActionAlert> alert = exportAll(m_document, m_directory.path()).alert;
    QFile::setPermissions(m_directory.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->informativeText.split('\n').size(), 3);
}

TEST_F(ScreenshotExporterTest, OnlyAnExistingDirectoryIsExportedInto)
{
    add("Home");
    const ActionAlert selectDirectory{"Export failed", "Please select a directory"};
    EXPECT_EQ(exportAll(m_document, m_directory.filePath("missing")).alert, selectDirectory);
    QFile file(m_directory.filePath("plain"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(exportAll(m_document, file.fileName()).alert, selectDirectory);
    EXPECT_EQ(files(), QStringList{"plain"});
}

TEST_F(ScreenshotExporterTest, TheSelectedScreenshotIsWrittenToTheNamedFile)
{
    model::Screenshot& screenshot = add("Home", {80, 20});
    const QString path = m_directory.filePath("chosen.png");
    EXPECT_EQ(exportOne(screenshot, path), std::nullopt);
    EXPECT_EQ(QImage(path).size(), QSize(80, 20));

    const std::optional<ActionAlert> unwritable =
        exportOne(screenshot, m_directory.filePath("missing/chosen.png"));
    ASSERT_TRUE(unwritable.has_value());
    EXPECT_TRUE(
        unwritable->informativeText.startsWith("This screenshot could not be exported:\n“chosen.png”: "));

    model::Screenshot& empty = add("Empty", {0, 10});
    EXPECT_EQ(exportOne(empty, path), (ActionAlert{"Export failed", "Screenshot has no PNG representation"}));
}

TEST_F(ScreenshotExporterTest, WorkersRenderWhatTheDocumentShows)
{
    model::Screenshot& filled = m_document.addFilledScreenshot("Filled", 0);
    add("Plain");
    const QImage expected = ScreenshotExporter::render(filled).convertToFormat(QImage::Format_ARGB32);

    EXPECT_EQ(exportAll(m_document, m_directory.path()).alert, std::nullopt);

    EXPECT_EQ(QImage(m_directory.filePath("Filled.png")).convertToFormat(QImage::Format_ARGB32), expected);
}

// With several languages every screenshot is written once per language, into a folder named by its code,
// as it renders in that language alone, whatever is drawn below and above its captions; a folder's name
// that something else holds fails that language's files alone.
TEST_F(ScreenshotExporterTest, EachLanguageIsWrittenIntoAFolderOfItsOwn)
{
    store::ManagedObjectContext& context = m_document.context();
    ASSERT_TRUE(
        model::LanguageEditing::renameLanguage(context, model::LanguageCode::systemDefault(), "en-US"));
    ASSERT_TRUE(model::LanguageEditing::addLanguage(context, "de-DE"));
    model::Screenshot& greeting = add("Greeting");
    add("Plain");
    model::TextRect& caption = *model::TextRect::insertInto(
        context, {{0, 0}, {60, 40}}, "Hi", graphics::TextAlignment::left, model::VerticalAlignment::top);
    caption.setFont(graphics::Font("HelveticaNeue", 12));
    model::DrawableMapping::insert(caption, greeting, context);
    ASSERT_TRUE(caption.setText("Hallo", "de-DE"));
    model::Image& above = *model::Image::insertInto(context, graphics::Image::fromData(smallPng()),
                                                    {{12, 0}, {30, 40}}, model::FillMode::stretch);
    model::DrawableMapping::insert(above, greeting, context);
    const auto rendered = [&](const QString& language) {
        return ScreenshotExporter::render(model::DetachedCanvas(greeting.makeCanvas(), language))
            .convertToFormat(QImage::Format_ARGB32);
    };
    const auto written = [&](const QString& file) {
        return QImage(m_directory.filePath(file)).convertToFormat(QImage::Format_ARGB32);
    };

    const Exported exported = exportAll(m_document, m_directory.path());
    EXPECT_EQ(exported.alert, std::nullopt);
    EXPECT_EQ(exported.steps, (QList<double>{25, 50, 75, 100}));
    EXPECT_EQ(QDir(m_directory.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"de-DE", "en-US"}));
    for (const char* folder : {"de-DE", "en-US"})
        EXPECT_EQ(QDir(m_directory.filePath(folder)).entryList(QDir::Files, QDir::Name),
                  (QStringList{"Greeting.png", "Plain.png"}));
    EXPECT_EQ(written("de-DE/Greeting.png"), rendered("de-DE"));
    EXPECT_EQ(written("en-US/Greeting.png"), rendered(""));
    EXPECT_NE(rendered("de-DE"), rendered(""));

    // Export Current writes the language it is given.
    ExportJob one(greeting, m_directory.filePath("one.png"));
    one.setLanguage("de-DE");
    EXPECT_EQ(runToEnd(one).alert, std::nullopt);
    EXPECT_EQ(written("one.png"), rendered("de-DE"));

    // A link in the place of a folder is left as it is, and nothing goes where it leads.
    ASSERT_TRUE(model::LanguageEditing::addLanguage(context, "ja"));
    const QTemporaryDir elsewhere;
    ASSERT_EQ(symlink(elsewhere.path().toLocal8Bit().constData(), m_directory.filePath("ja").toLocal8Bit()),
              0);
    const Exported linked = exportAll(m_document, m_directory.path());
    ASSERT_TRUE(linked.alert.has_value());
    EXPECT_TRUE(linked.alert->informativeText.contains("“ja/Greeting.png”: A symbolic link has this name"))
        << linked.alert->informativeText.toStdString();
    EXPECT_TRUE(linked.alert->informativeText.contains("“ja/Plain.png”"));
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
    EXPECT_EQ(linked.steps.size(), 4);
}

// Set PELORAMA_EXPORT_DIRECTORY to a small or read-only file system to see every file reported.
TEST_F(ScreenshotExporterTest, ADirectoryThatFillsUpReportsEveryFailedFile)
{
    const QString directory = qEnvironmentVariable("PELORAMA_EXPORT_DIRECTORY");
    if (directory.isEmpty())
        GTEST_SKIP() << "no small file system given";
    for (int i = 0; i < 6; ++i)
        add("Large " + QString::number(i), {1242, 2208});
    const std::optional<ActionAlert> alert = exportAll(m_document, directory).alert;
    ASSERT_TRUE(alert.has_value());
    // Each file is either written whole or named with the reason the system gave.
    int failed = 0;
    for (int i = 0; i < 6; ++i) {
        const QString fileName = "Large " + QString::number(i) + ".png";
        if (alert->informativeText.contains(fileName)) {
            ++failed;
            EXPECT_FALSE(QFileInfo::exists(QDir(directory).filePath(fileName))) << fileName.toStdString();
        } else {
            EXPECT_EQ(QImage(QDir(directory).filePath(fileName)).size(), QSize(1242, 2208))
                << fileName.toStdString();
        }
    }
    EXPECT_GT(failed, 0);
    EXPECT_FALSE(alert->informativeText.contains("Unknown error")) << alert->informativeText.toStdString();
}

// The files land one after the other in the order of the screenshots, each whole before the next.
TEST_F(ScreenshotExporterTest, FilesAreWrittenInOrderAsTheBarSteps)
{
    const QStringList order{"Third", "First", "Second", "Fourth"};
    for (const QString& name : order)
        add(name, {400, 300});
    ExportJob job(m_document.context(), m_directory.path());
    QList<QStringList> seen;
    QObject::connect(&job, &ExportJob::progressChanged, [&] { seen.append(files()); });

    EXPECT_EQ(runToEnd(job).alert, std::nullopt);

    ASSERT_EQ(seen.size(), 4);
    for (int step = 0; step < 4; ++step) {
        QStringList expected;
        for (const QString& name : order.mid(0, step + 1))
            expected.append(name + ".png");
        expected.sort();
        EXPECT_EQ(seen[step], expected) << step;
    }
}

// On a single processor the pool has one thread, which renders everything alone. Screenshots large
// enough that Qt converts their pictures in parts on that pool are still all written.
TEST_F(ScreenshotExporterTest, AnExportEndsWhenThePoolHasASingleThread)
{
    for (int i = 0; i < 3; ++i)
        m_document.addFilledScreenshot("Filled " + QString::number(i), i).setSize({600, 800});
    QThreadPool& global = model::renderPool();
    const int threads = global.maxThreadCount();
    global.setMaxThreadCount(1);
    const Exported exported = exportAll(m_document, m_directory.path());
    global.setMaxThreadCount(threads);
    EXPECT_EQ(exported.alert, std::nullopt);
    EXPECT_EQ(files().size(), 3);
}

// A language's folder swapped for a link to somewhere else while the export runs: the files still to go
// there are refused, naming the folder; nothing is written where the link leads, nor into the folder
// where it was moved.
TEST_F(ScreenshotExporterTest, ALanguageFolderReplacedWhileTheExportRunsIsNotFollowed)
{
    store::ManagedObjectContext& context = m_document.context();
    ASSERT_TRUE(
        model::LanguageEditing::renameLanguage(context, model::LanguageCode::systemDefault(), "en-US"));
    ASSERT_TRUE(model::LanguageEditing::addLanguage(context, "de-DE"));
    const QStringList names{"A", "B", "C", "D", "E", "F"};
    for (const QString& name : names)
        add(name);
    const QTemporaryDir elsewhere;
    const QString folder = m_directory.filePath("de-DE");
    const QString moved = m_directory.filePath("moved");
    ExportJob job(context, m_directory.path());
    job.setWorkerCount(1);
    bool swapped = false;
    QObject::connect(&job, &ExportJob::fileWritten, [&](const QString& fileName) {
        if (swapped || fileName != "en-US/A.png")
            return;
        swapped = true;
        ASSERT_TRUE(QDir().rename(folder, moved));
        ASSERT_EQ(symlink(elsewhere.path().toLocal8Bit().constData(), folder.toLocal8Bit().constData()), 0);
    });

    const std::optional<ActionAlert> alert = runToEnd(job).alert;

    ASSERT_TRUE(swapped);
    ASSERT_TRUE(alert.has_value());
    for (const QString& name : names)
        EXPECT_TRUE(alert->informativeText.contains(
            QStringLiteral("“de-DE/%1.png”: The folder “de-DE” was moved or replaced").arg(name)))
            << alert->informativeText.toStdString();
    EXPECT_TRUE(QDir(elsewhere.path()).isEmpty());
    EXPECT_TRUE(QDir(moved).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    QStringList written;
    for (const QString& name : names)
        written.append(name + ".png");
    EXPECT_EQ(QDir(m_directory.filePath("en-US")).entryList(QDir::Files, QDir::Name), written);
}

// A screenshot removed while the export runs (before its turn) is named; the others are written.
TEST_F(ScreenshotExporterTest, AScreenshotRemovedBeforeItsTurnIsNamed)
{
    add("Home");
    model::Screenshot& removed = add("Detail");
    add("Settings");
    ExportJob job(m_document.context(), m_directory.path());
    job.setWorkerCount(1);
    QObject::connect(&job, &ExportJob::progressChanged, [&](double percent) {
        if (percent < 50)
            m_document.context().deleteObject(&removed);
    });

    const std::optional<ActionAlert> alert = runToEnd(job).alert;

    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->informativeText,
              "This screenshot could not be exported:\n“Detail.png”: The screenshot no longer exists.");
    EXPECT_EQ(files(), (QStringList{"Home.png", "Settings.png"}));
}

// A job let go of halfway stops: what it rendered meanwhile is dropped, nothing more is written. The
// job renders on a pool of one thread, which the test holds at a gate once the first file is in place,
// so the renders still to come wait until the job is gone, however loaded the machine.
TEST_F(ScreenshotExporterTest, AJobDeletedWhileItRendersWritesNothingMore)
{
    for (int i = 0; i < 8; ++i)
        m_document.addFilledScreenshot("Filled " + QString::number(i), i).setSize({1242, 2208});
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    std::promise<void> gate;
    std::shared_future<void> opened = gate.get_future().share();
    auto job = std::make_unique<ExportJob>(m_document.context(), m_directory.path(), pool);
    job->setWorkerCount(4);
    QEventLoop loop;
    bool held = false;
    QObject::connect(job.get(), &ExportJob::progressChanged, &loop, [&] {
        // Before the renders the job starts next: they queue behind the gate.
        if (!std::exchange(held, true))
            pool.start([opened] { opened.wait(); }, 1);
        loop.quit();
    });
    job->start();
    loop.exec();
    const QStringList written = files();
    job.reset();

    gate.set_value();
    pool.waitForDone();
    QCoreApplication::processEvents();
    EXPECT_GE(written.size(), 1);
    EXPECT_LT(written.size(), 8);
    EXPECT_EQ(files(), written);
    EXPECT_EQ(QDir(m_directory.path()).entryList(QDir::Files | QDir::Hidden).size(), written.size())
        << "a file rendered after the job was deleted was left beside its name";
}

// The files an export writes are pinned to the byte: a faster road to them must give the same files. A
// filled screenshot (a caption, a picture and a device) opaque, over a clear background, and stretched to
// a built-in output size; each is exported alone and as part of a document.
TEST_F(ScreenshotExporterTest, ExportedFilesKeepTheirBytes)
{
    const auto filled = [&](const QString& name, graphics::Size size, graphics::Color background) {
        model::Screenshot& screenshot =
            m_document.addFilledScreenshot(name, m_document.count<model::Screenshot>());
        screenshot.setSize(size);
        screenshot.setBackgroundType(model::BackgroundType::solid);
        screenshot.setSolidBackgroundColor(background);
        return &screenshot;
    };
    const struct
    {
        model::Screenshot* screenshot;
        const char* sha256;
    } cases[] = {
        {filled("Opaque", {240, 180}, {0.2, 0.4, 0.9, 1}),
         "0b4895610bd3b3c4a7d7107753e7eabe04ffc2ae3504c70545cb871d2add2ab0"},
        {filled("Clear", {240, 180}, {0, 0, 0, 0}),
         "0d2cfe9d64a437ccbc36052b4c71f964efdc2885d1e8c0a7fa301e19fda0a923"},
        {filled("Stretched", {750, 1334}, {1, 0.5, 0, 1}),
         "58c24d49e2e194c1a93eeb4409e63ec4a2790649154e0b2def9da3bfc965bad3"},
    };
    const auto hashOf = [](const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex().toStdString();
    };
    EXPECT_EQ(exportAll(m_document, m_directory.path()).alert, std::nullopt);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.screenshot->name().toStdString());
        EXPECT_EQ(hashOf(m_directory.filePath(test.screenshot->name() + ".png")), test.sha256);
        const QString alone = m_directory.filePath("alone.png");
        EXPECT_EQ(exportOne(*test.screenshot, alone), std::nullopt);
        EXPECT_EQ(hashOf(alone), test.sha256);
    }
}
