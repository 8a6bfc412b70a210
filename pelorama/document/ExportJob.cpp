#include "document/ExportJob.h"

#include "document/ExportFileNames.h"
#include "document/ExportFileWriter.h"
#include "document/ScreenshotExporter.h"
#include "graphics/PngWriter.h"
#include "model/entities/Screenshot.h"
#include "model/languages/DocumentLanguages.h"
#include "model/rendering/DetachedCanvas.h"
#include "store/ManagedObjectContext.h"

#include <QDir>
#include <QFileInfo>
#include <QThreadPool>
#include <algorithm>
#include <utility>

namespace pelorama::document {

namespace {

const QString noPngReason = QStringLiteral("Screenshot has no PNG representation");

} // namespace

ExportJob::ExportJob(QThreadPool& pool, QObject* parent)
    : QObject(parent)
    , m_pool(pool)
    , m_workerCount(std::max(pool.maxThreadCount(), 1))
    , m_results(std::make_shared<Results>(*this, &ExportJob::collect))
{}

ExportJob::ExportJob(store::ManagedObjectContext& context, QString directory, QThreadPool& pool,
                     QObject* parent)
    : ExportJob(pool, parent)
{
    m_context = &context;
    m_directory = std::move(directory);
}

ExportJob::ExportJob(QList<model::Screenshot*> screenshots, QString directory, QThreadPool& pool,
                     QObject* parent)
    : ExportJob(pool, parent)
{
    m_chosen.emplace(screenshots.begin(), screenshots.end());
    m_directory = std::move(directory);
}

ExportJob::ExportJob(model::Screenshot& screenshot, QString path, QThreadPool& pool, QObject* parent)
    : ExportJob(pool, parent)
{
    m_chosen = QList<QPointer<model::Screenshot>>{&screenshot};
    m_singleFilePath = std::move(path);
}

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
    if (m_singleFilePath) {
        model::Screenshot* screenshot = m_chosen->front();
        m_items.push_back({screenshot,
                           screenshot ? screenshot->name() : QString(),
                           QFileInfo(*m_singleFilePath).fileName(),
                           *m_singleFilePath,
                           m_language,
                           false,
                           {}});
    } else if (std::optional<ActionAlert> refused = planDirectoryExport()) {
        finish(std::move(refused));
        return;
    }
    advance();
}

std::optional<ActionAlert> ExportJob::planDirectoryExport()
{
    QList<model::Screenshot*> screenshots;
    if (m_chosen) {
        for (const QPointer<model::Screenshot>& chosen : *m_chosen) {
            if (chosen)
                screenshots.append(chosen);
        }
    } else {
        const auto found = m_context->execute(model::Screenshot::fetchRequest());
        if (!found)
            return ActionAlert{QStringLiteral("Export error"), found.error().message()};
        for (store::ManagedObject* object : *found) {
            if (auto* screenshot = dynamic_cast<model::Screenshot*>(object))
                screenshots.append(screenshot);
        }
    }
    if (std::optional<ActionAlert> refused = ScreenshotExporter::checkDirectory(m_directory, screenshots))
        return refused;
    std::optional<QStringList> folders = m_languageFolders;
    store::ManagedObjectContext* context = m_context ? m_context
                                           : screenshots.isEmpty()
                                               ? nullptr
                                               : screenshots.front()->managedObjectContext();
    if (!folders && context) {
        if (const model::DocumentLanguages languages = model::DocumentLanguages::of(*context);
            languages.hasTranslations())
            folders = languages.codes;
    }
    const auto addItems = [&](const QString& folder, const QString& language, const QString& folderProblem) {
        const QDir directory(folder.isEmpty() ? m_directory : QDir(m_directory).filePath(folder));
        for (model::Screenshot* screenshot : screenshots) {
            std::optional<QString> fileName = ExportFileNames::fileName(screenshot->name());
            const QString path = fileName ? directory.filePath(*fileName) : QString();
            if (fileName && !folder.isEmpty())
                fileName = folder + '/' + *fileName;
            Item item{screenshot, screenshot->name(), fileName, path, language, false, {}};
            item.result.error = folderProblem;
            m_items.push_back(std::move(item));
        }
    };
    if (!folders) {
        addItems({}, m_language, {});
        return std::nullopt;
    }
    for (const QString& language : *folders)
        addItems(language, language, ExportFileWriter::makeFolder(m_directory, language).value_or(QString()));
    return std::nullopt;
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
        if (!item.fileName || !item.result.error.isEmpty()) {
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
        auto snapshot =
            std::make_shared<const model::DetachedCanvas>(item.screenshot->makeCanvas(), item.language);
        model::startOnPool(
            [results = m_results, index, snapshot, path = item.path] {
                const QImage pixels = ScreenshotExporter::render(*snapshot);
                const QByteArray png = pixels.isNull() ? QByteArray() : graphics::PngWriter::encode(pixels);
                if (png.isEmpty()) {
                    results->deliver({index, Rendered{std::nullopt, noPngReason, false}});
                    return;
                }
                auto staged = ExportFileWriter::stage(path, png);
                results->deliver({index, staged ? Rendered{std::move(staged.value()), {}, true}
                                                : Rendered{std::nullopt, staged.error(), true}});
            },
            0, m_pool);
    }
    if (m_written < count)
        return;
    // A single screenshot that made no picture says so as the export of one always has.
    if (m_singleFilePath && m_failures.size() == 1 && m_failures.front().reason == noPngReason)
        finish(ActionAlert{QStringLiteral("Export failed"), noPngReason});
    else
        finish(m_failures.isEmpty()
                   ? std::nullopt
                   : std::optional<ActionAlert>(ScreenshotExporter::failureAlert(m_failures)));
}

void ExportJob::writeReady()
{
    const int count = int(m_items.size());
    while (m_written < count && m_items[std::size_t(m_written)].done) {
        Item& item = m_items[std::size_t(m_written)];
        std::optional<ExportFailure> failure;
        if (!item.fileName)
            failure = ExportFailure{item.name, QStringLiteral("The name makes no file name.")};
        else if (!item.result.error.isEmpty())
            failure = ExportFailure{*item.fileName, item.result.error};
        else if (const auto error = item.result.file->putInPlace())
            failure = ExportFailure{*item.fileName, *error};
        const bool rendered = item.result.pictured;
        item.result = {};
        ++m_written;
        if (failure) {
            m_failures.append(*failure);
            emit fileFailed(*failure);
        } else {
            emit fileWritten(*item.fileName);
        }
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
