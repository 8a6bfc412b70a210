#include "document/ExportJob.h"

#include "document/ExportFileNames.h"
#include "document/ExportFileWriter.h"
#include "document/ScreenshotExporter.h"
#include "graphics/PngWriter.h"
#include "model/entities/Screenshot.h"
#include "model/languages/DocumentLanguages.h"
#include "model/rendering/DetachedCanvas.h"
#include "store/ManagedObjectContext.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThreadPool>
#include <algorithm>
#include <malloc.h>
#include <utility>

namespace pelorama::document {

namespace {

const QString noPngReason = QStringLiteral("Screenshot has no PNG representation");

// The thread of a render that has the machine to itself, the export of one screenshot: outside the worker
// pool, because Qt splits the fills and blends of a large picture over that pool only for a thread outside
// it and does them alone on a thread of its own (a render of 2880 x 1800 took half again as long there).
// The loops of the render itself still spread over the pool. It goes with the application, whose threads
// it must not outlive; asked for on the main thread only.
QThreadPool& soleRenderThread()
{
    static QPointer<QThreadPool> pool;
    if (!pool) {
        pool = new QThreadPool(QCoreApplication::instance());
        pool->setMaxThreadCount(1);
    }
    return *pool;
}

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
        const QFileInfo file(*m_singleFilePath);
        auto folder = ExportFileWriter::Folder::open(file.absolutePath());
        Item made{screenshot,      screenshot ? screenshot->name() : QString(),
                  file.fileName(), {},
                  file.fileName(), m_language,
                  false,           {}};
        if (folder)
            made.folder = std::move(*folder);
        else
            made.result.error = folder.error();
        m_items.push_back(std::move(made));
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
    // Each folder is opened once, for every file that goes into it.
    using Place = foundation::Expected<ExportFileWriter::Folder, QString>;
    const Place directory = ExportFileWriter::Folder::open(m_directory);
    const auto item = [&](model::Screenshot* screenshot, const QString& folderName, const QString& language,
                          const Place& folder) {
        std::optional<QString> fileName = ExportFileNames::fileName(screenshot->name());
        const QString leafName = fileName.value_or(QString());
        if (fileName && !folderName.isEmpty())
            fileName = folderName + '/' + *fileName;
        Item made{screenshot, screenshot->name(), fileName, {}, leafName, language, false, {}};
        if (folder)
            made.folder = *folder;
        else
            made.result.error = folder.error();
        return made;
    };
    if (!folders) {
        for (model::Screenshot* screenshot : screenshots)
            m_items.push_back(item(screenshot, {}, m_language, directory));
        return std::nullopt;
    }
    std::vector<Place> languageFolders;
    for (const QString& language : *folders)
        languageFolders.push_back(directory ? directory->makeFolder(language) : Place(directory));
    // A screenshot in one language after another, so that what its languages share is drawn and
    // compressed once.
    for (model::Screenshot* screenshot : screenshots) {
        for (qsizetype index = 0; index < folders->size(); ++index)
            m_items.push_back(item(screenshot, folders->at(index), folders->at(index),
                                   languageFolders[std::size_t(index)]));
    }
    m_languageCount = int(folders->size());
    return std::nullopt;
}

void ExportJob::advance()
{
    const int count = int(m_items.size());
    // One render under way per worker, each of a screenshot in every language; finished files wait for
    // their turn to be written, so no more than a few encoded files are held at once.
    const int workers = std::clamp(m_workerCount, 1, std::max(count / m_languageCount, 1));
    const int window = 2 * workers * m_languageCount;
    // A screenshot whose name makes no file needs no render and is done at once; writing it may open
    // the window for more, so both steps are repeated. Afterwards, while files are still to be written,
    // the next one to write has been started and is under way: its end comes back here.
    for (;;) {
        writeReady();
        if (m_running >= workers || m_started >= count || m_started >= m_written + window)
            break;
        // The items of one screenshot, one per language, follow each other.
        const int first = m_started;
        while (m_started < count && (m_started == first || m_items[std::size_t(m_started)].screenshot ==
                                                               m_items[std::size_t(first)].screenshot))
            ++m_started;
        std::vector<model::DetachedCanvas> canvases;
        std::vector<Target> targets;
        for (int index = first; index < m_started; ++index) {
            Item& item = m_items[std::size_t(index)];
            if (!item.fileName || !item.result.error.isEmpty()) {
                item.done = true;
            } else if (!item.screenshot || item.screenshot->isDeleted()) {
                item.result.error = QStringLiteral("The screenshot no longer exists.");
                item.done = true;
            } else {
                // Taken here, on the main thread: the render reads only the snapshot, never the
                // document.
                canvases.emplace_back(item.screenshot->makeCanvas(), item.language);
                targets.push_back({index, *item.folder, item.leafName});
            }
        }
        if (targets.empty())
            continue;
        // Nothing else of the export renders beside it: see soleRenderThread.
        const bool alone = first == 0 && m_started == count && &m_pool == &model::renderPool();
        ++m_running;
        model::startOnPool(
            [results = m_results, canvases = std::move(canvases), targets = std::move(targets)]() mutable {
                // The last delivery waits until the pictures and snapshots are let go of, so that what
                // the export freed is free when its end is heard of.
                std::optional<Delivery> lastDelivery;
                {
                    graphics::PngStrips kept;
                    ScreenshotExporter::renderEach(canvases, [&](std::size_t turn, const QImage& pixels) {
                        const Target& target = targets[turn];
                        const bool last = turn + 1 == targets.size();
                        const QByteArray png =
                            pixels.isNull() ? QByteArray() : graphics::PngWriter::encode(pixels, kept);
                        Delivery delivery{target.index, Rendered{std::nullopt, noPngReason, false}, last};
                        if (!png.isEmpty()) {
                            auto staged = ExportFileWriter::stage(target.folder, target.name, png);
                            delivery.rendered = staged ? Rendered{std::move(staged.value()), {}, true}
                                                       : Rendered{std::nullopt, staged.error(), true};
                        }
                        if (last)
                            lastDelivery = std::move(delivery);
                        else
                            results->deliver(std::move(delivery));
                    });
                }
                canvases = {};
                if (lastDelivery)
                    results->deliver(std::move(*lastDelivery));
            },
            0, alone ? soleRenderThread() : m_pool);
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
    std::vector<Delivery> ready = m_results->take();
    if (ready.empty())
        return;
    for (Delivery& delivery : ready) {
        Item& item = m_items[std::size_t(delivery.index)];
        item.result = std::move(delivery.rendered);
        item.done = true;
        if (delivery.endsRender)
            --m_running;
    }
    advance();
}

void ExportJob::finish(std::optional<ActionAlert> alert)
{
    m_alert = std::move(alert);
    // The pictures were made and freed by the pool's threads, whose heaps keep what was freed in them for
    // later: several times the memory the window holds otherwise. It goes back to the system now, on the
    // pool, so the main thread does not wait while the heaps are searched.
    if (m_started > 0)
        model::startOnPool([] { malloc_trim(0); });
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
