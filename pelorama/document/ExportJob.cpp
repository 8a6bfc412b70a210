#include "document/ExportJob.h"

#include "document/ExportFileNames.h"
#include "document/ExportFileWriter.h"
#include "document/ScreenshotExporter.h"
#include "graphics/PngWriter.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/DetachedCanvas.h"
#include "store/ManagedObjectContext.h"

#include <QDir>
#include <QThreadPool>
#include <algorithm>
#include <mutex>
#include <utility>

namespace pelorama::document {

namespace {

const QString noPngReason = QStringLiteral("Screenshot has no PNG representation");

} // namespace

ExportJob::ExportJob(store::ManagedObjectContext& context, QString directory, QThreadPool& pool,
                     QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_directory(std::move(directory))
    , m_pool(pool)
    , m_workerCount(std::max(pool.maxThreadCount(), 1))
    , m_results(std::make_shared<Results>(*this, "collect"))
{}

ExportJob::~ExportJob()
{
    m_results->close();
}

void ExportJob::setWorkerCount(int count)
{
    m_workerCount = std::max(count, 1);
}

void ExportJob::start()
{
    const ScreenshotExporter exporter(m_context);
    if (std::optional<ActionAlert> refused = exporter.checkDirectory(m_directory)) {
        finish(std::move(refused));
        return;
    }
    const auto found = m_context.execute(model::Screenshot::fetchRequest());
    if (!found) {
        finish(ActionAlert{QStringLiteral("Export error"), found.error().message()});
        return;
    }
    for (store::ManagedObject* object : *found) {
        if (auto* screenshot = dynamic_cast<model::Screenshot*>(object))
            m_items.push_back(
                {screenshot, screenshot->name(), ExportFileNames::fileName(screenshot->name()), false, {}});
    }
    advance();
}

void ExportJob::advance()
{
    const int count = int(m_items.size());
    // One bitmap per render under way; finished files wait for their turn to be written, so no more than
    // a few encoded files are held at once.
    const int workers = std::clamp(m_workerCount, 1, std::max(count, 1));
    const int window = 2 * workers;
    // A screenshot whose name makes no file needs no render and is done at once; writing it may open
    // the window for more, so both steps are repeated. Afterwards, while files are still to be written,
    // the next one to write has been started and is under way: its end comes back here.
    for (;;) {
        writeReady();
        if (m_running >= workers || m_started >= count || m_started >= m_written + window)
            break;
        const int index = m_started++;
        Item& item = m_items[std::size_t(index)];
        if (!item.fileName) {
            item.done = true;
            continue;
        }
        if (!item.screenshot || item.screenshot->isDeleted()) {
            item.result.error = QStringLiteral("The screenshot no longer exists.");
            item.done = true;
            continue;
        }
        ++m_running;
        // Taken here, on the main thread: the render reads only the snapshot, never the document.
        auto snapshot = std::make_shared<const model::DetachedCanvas>(item.screenshot->makeCanvas());
        model::startOnPool(
            [results = m_results, index, snapshot] {
                const graphics::Image image =
                    snapshot->render(model::CanvasRenderingMode::exportImage, snapshot->size(), 1);
                const QImage pixels =
                    image.representations().empty() ? QImage() : image.representations().front().bitmap();
                const QByteArray png = pixels.isNull() ? QByteArray() : graphics::PngWriter::encode(pixels);
                results->deliver({index, png.isEmpty() ? Rendered{{}, noPngReason} : Rendered{png, {}}});
            },
            0, m_pool);
    }
    if (m_written == count)
        finish(m_failures.isEmpty()
                   ? std::nullopt
                   : std::optional<ActionAlert>(ScreenshotExporter::failureAlert(m_failures)));
}

void ExportJob::writeReady()
{
    const int count = int(m_items.size());
    while (m_written < count && m_items[std::size_t(m_written)].done) {
        Item& item = m_items[std::size_t(m_written)];
        if (!item.fileName) {
            m_failures.append({item.name, QStringLiteral("The name makes no file name.")});
        } else if (!item.result.error.isEmpty()) {
            m_failures.append({*item.fileName, item.result.error});
        } else if (const auto error =
                       ExportFileWriter::write(QDir(m_directory).filePath(*item.fileName), item.result.png)) {
            m_failures.append({*item.fileName, *error});
        }
        const bool rendered = item.fileName && item.result.error.isEmpty();
        item.result = {};
        ++m_written;
        if (rendered)
            emit progressChanged(m_written * 100.0 / count);
    }
}

void ExportJob::collect()
{
    std::vector<std::pair<int, Rendered>> ready = m_results->take();
    if (ready.empty())
        return;
    for (auto& [index, result] : ready) {
        Item& item = m_items[std::size_t(index)];
        item.result = std::move(result);
        item.done = true;
        --m_running;
    }
    advance();
}

void ExportJob::finish(std::optional<ActionAlert> alert)
{
    m_alert = std::move(alert);
    // Always from the event loop, so that whoever started the job hears of its end the same way.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_finished = true;
            emit finished();
        },
        Qt::QueuedConnection);
}

} // namespace pelorama::document
