#include "document/ScreenshotExporter.h"

#include "document/ExportFileNames.h"
#include "document/ExportFileWriter.h"
#include "graphics/PngWriter.h"
#include "model/Canvas.h"
#include "model/DetachedCanvas.h"
#include "model/Screenshot.h"
#include "store/ManagedObjectContext.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <vector>

namespace pelorama::document {

namespace {

const QString noPngReason = QStringLiteral("Screenshot has no PNG representation");

ActionAlert alert(const QString& message, const QString& informative)
{
    return {message, informative};
}

store::Result<QList<model::Screenshot*>> fetchScreenshots(store::ManagedObjectContext& context)
{
    const auto found = context.execute(model::Screenshot::fetchRequest());
    if (!found)
        return store::failure(found.error());
    QList<model::Screenshot*> screenshots;
    for (store::ManagedObject* object : *found) {
        if (auto* screenshot = dynamic_cast<model::Screenshot*>(object))
            screenshots.append(screenshot);
    }
    return screenshots;
}

// The file name of each screenshot, or the screenshot's own name where it makes none.
QStringList fileNamesOf(const QList<model::Screenshot*>& screenshots)
{
    QStringList names;
    for (model::Screenshot* screenshot : screenshots)
        names.append(ExportFileNames::fileName(screenshot->name()).value_or(screenshot->name()));
    return names;
}

struct Rendered
{
    QByteArray png;
    QString error;
};

// On a worker: the screenshot read in a child context of its own, rendered and encoded.
Rendered renderAndEncode(store::ManagedObjectContext& document, const store::ManagedObjectID& id)
{
    store::ManagedObjectContext child(store::ManagedObjectContext::ConcurrencyType::PrivateQueue);
    child.setParentContext(&document);
    QImage pixels;
    bool found = false;
    child.performAndWait([&] {
        if (auto* screenshot = dynamic_cast<model::Screenshot*>(child.objectWithID(id))) {
            found = true;
            pixels = ScreenshotExporter::render(*screenshot);
        }
    });
    if (!found)
        return {{}, QStringLiteral("The screenshot no longer exists.")};
    if (pixels.isNull())
        return {{}, noPngReason};
    QByteArray png = graphics::PngWriter::encode(pixels);
    if (png.isEmpty())
        return {{}, noPngReason};
    return {std::move(png), {}};
}

} // namespace

ScreenshotExporter::ScreenshotExporter(store::ManagedObjectContext& context)
    : m_context(context)
    , m_workerCount(QThread::idealThreadCount())
{}

void ScreenshotExporter::setWorkerCount(int count)
{
    m_workerCount = std::max(count, 1);
}

std::optional<ActionAlert> ScreenshotExporter::checkNames(Qt::CaseSensitivity sensitivity) const
{
    const auto screenshots = fetchScreenshots(m_context);
    if (!screenshots)
        return alert(QStringLiteral("Error"), QStringLiteral("Could not scan Screenshots for duplicates. (") +
                                                  screenshots.error().message() + ')');
    if (!ExportFileNames::duplicates(fileNamesOf(*screenshots), sensitivity).isEmpty())
        return alert(
            QStringLiteral("Duplicate names"),
            QStringLiteral("There are multiple screenshots with the same name. Please change them so "
                           "they are not written to the same filename."));
    return std::nullopt;
}

std::optional<ActionAlert> ScreenshotExporter::checkDirectory(const QString& directory) const
{
    if (!QFileInfo(directory).isDir())
        return alert(QStringLiteral("Export failed"), QStringLiteral("Please select a directory"));
    return checkNames(ExportFileNames::isCaseSensitive(directory) ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

std::optional<ActionAlert> ScreenshotExporter::exportAll(const QString& directory, const Progress& progress)
{
    if (std::optional<ActionAlert> refused = checkDirectory(directory))
        return refused;
    const auto screenshots = fetchScreenshots(m_context);
    if (!screenshots)
        return alert(QStringLiteral("Export error"), screenshots.error().message());
    const QList<ExportFailure> failures = exportScreenshots(*screenshots, directory, progress);
    if (failures.isEmpty())
        return std::nullopt;
    return failureAlert(failures);
}

QList<ExportFailure> ScreenshotExporter::exportScreenshots(const QList<model::Screenshot*>& screenshots,
                                                           const QString& directory, const Progress& progress)
{
    struct Job
    {
        store::ManagedObjectID id;
        QString name;
        std::optional<QString> fileName;
        bool done = false;
        Rendered result;
    };
    std::vector<Job> jobs;
    for (model::Screenshot* screenshot : screenshots)
        jobs.push_back({screenshot->objectID(),
                        screenshot->name(),
                        ExportFileNames::fileName(screenshot->name()),
                        false,
                        {}});
    const int count = int(jobs.size());
    // One bitmap per worker; finished files wait for their turn to be written, so no more than a few
    // encoded files are held at once.
    const int workers = std::clamp(m_workerCount, 1, std::max(count, 1));
    const int window = 2 * workers;

    QList<ExportFailure> failures;
    QEventLoop loop;
    int started = 0;
    int written = 0;
    int running = 0;

    const auto writeReady = [&] {
        while (written < count && jobs[written].done) {
            Job& job = jobs[written];
            if (!job.fileName) {
                failures.append({job.name, QStringLiteral("The name makes no file name.")});
            } else if (!job.result.error.isEmpty()) {
                failures.append({*job.fileName, job.result.error});
            } else if (const auto error =
                           ExportFileWriter::write(QDir(directory).filePath(*job.fileName), job.result.png)) {
                failures.append({*job.fileName, *error});
            }
            const bool rendered = job.fileName && job.result.error.isEmpty();
            job.result = {};
            ++written;
            // A screenshot that made no picture does not advance the bar.
            if (progress && rendered)
                progress(written * 100.0 / count);
        }
    };
    // The workers wait for this thread whenever they read the document, and this thread's own drawing
    // and image work waits for the global pool: workers on a pool of their own never hold up what they
    // wait for.
    QThreadPool pool;
    pool.setMaxThreadCount(workers);

    // Writes what is ready, in order, then starts what the window allows, over and over until neither
    // moves. A screenshot whose name makes no file needs no worker and is done at once; writing it may
    // open the window for more, so both steps are repeated. Afterwards, while files are still to be
    // written, some worker is running (the next file to write was started, and is either running or
    // written), and its end comes back here.
    std::function<void()> advance = [&] {
        for (;;) {
            writeReady();
            if (running >= workers || started >= count || started >= written + window)
                break;
            Job& job = jobs[started];
            const int index = started++;
            if (!job.fileName) {
                job.done = true;
                continue;
            }
            ++running;
            pool.start([this, &jobs, &running, &advance, index, id = job.id] {
                Rendered result = renderAndEncode(m_context, id);
                // Everything but index and result lives in exportScreenshots, which outlasts the call.
                QMetaObject::invokeMethod(
                    this,
                    [&jobs, &running, &advance, index, result = std::move(result)]() mutable {
                        jobs[index].result = std::move(result);
                        jobs[index].done = true;
                        --running;
                        advance();
                    },
                    Qt::QueuedConnection);
            });
        }
        if (written == count)
            loop.quit();
    };
    advance();
    // The loop also serves the workers' reads of the document.
    if (written < count)
        loop.exec();
    return failures;
}

std::optional<ActionAlert> ScreenshotExporter::exportScreenshot(model::Screenshot& screenshot,
                                                                const QString& path)
{
    const QImage pixels = render(screenshot);
    if (pixels.isNull())
        return alert(QStringLiteral("Export failed"), noPngReason);
    const QByteArray png = graphics::PngWriter::encode(pixels);
    if (png.isEmpty())
        return alert(QStringLiteral("Export failed"), noPngReason);
    if (const std::optional<QString> error = ExportFileWriter::write(path, png))
        return failureAlert({{QFileInfo(path).fileName(), *error}});
    return std::nullopt;
}

QImage ScreenshotExporter::render(model::Screenshot& screenshot)
{
    const model::DetachedCanvas canvas(screenshot.makeCanvas());
    const graphics::Image image = canvas.render(model::CanvasRenderingMode::exportImage, canvas.size(), 1);
    if (image.representations().empty())
        return {};
    return image.representations().front().bitmap();
}

ActionAlert ScreenshotExporter::failureAlert(const QList<ExportFailure>& failures)
{
    QStringList lines{failures.size() == 1 ? QStringLiteral("This screenshot could not be exported:")
                                           : QStringLiteral("These screenshots could not be exported:")};
    for (const ExportFailure& failure : failures)
        lines.append(QStringLiteral("“%1”: %2").arg(failure.fileName, failure.reason));
    return alert(QStringLiteral("Export failed"), lines.join('\n'));
}

} // namespace pelorama::document
