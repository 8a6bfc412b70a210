#include "document/ExportJob.h"

#include "document/ExportFileWriter.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/ExportPicture.h"
#include "model/rendering/RenderResources.h"

#include <QThreadPool>
#include <algorithm>
#include <utility>

namespace pelorama::document {

namespace {

const QString noPngReason = QStringLiteral("Screenshot has no PNG representation");

} // namespace

ExportJob::ExportJob(ExportPlan plan, QThreadPool& pool, QObject* parent)
    : QObject(parent)
    , m_plan(std::move(plan))
    , m_pool(pool)
    , m_workerCount(std::max(pool.maxThreadCount(), 1))
    , m_renders(*this, &ExportJob::collect)
{}

ExportJob::~ExportJob() = default;

void ExportJob::setWorkerCount(int count)
{
    m_workerCount = std::max(count, 1);
}

void ExportJob::start()
{
    if (m_plan.refusal) {
        finish(m_plan.refusal);
        return;
    }
    openFolders();
    advance();
}

void ExportJob::openFolders()
{
    using Place = foundation::Expected<ExportFileWriter::Folder, QString>;
    const Place directory = ExportFileWriter::Folder::open(m_plan.directory);
    std::vector<Place> languageFolders;
    for (const QString& language : m_plan.languageFolders)
        languageFolders.push_back(directory ? directory->makeFolder(language) : Place(directory));
    for (const ExportPlan::Item& planned : m_plan.items) {
        const qsizetype at = planned.folder.isEmpty() ? -1 : m_plan.languageFolders.indexOf(planned.folder);
        const Place& folder = at < 0 ? directory : languageFolders[std::size_t(at)];
        Item item{planned, {}, false, {}};
        if (folder)
            item.folder = *folder;
        else
            item.result.error = folder.error();
        m_items.push_back(std::move(item));
    }
}

void ExportJob::advance()
{
    const int count = int(m_items.size());
    // One render under way per worker, each of a screenshot in every language; finished files wait for
    // their turn to be written, so no more than a few encoded files are held at once.
    const int languageCount = m_plan.filesPerScreenshot();
    const int workers = std::clamp(m_workerCount, 1, std::max(count / languageCount, 1));
    const int window = 2 * workers * languageCount;
    // A screenshot whose name makes no file needs no render and is done at once; writing it may open
    // the window for more, so both steps are repeated. Afterwards, while files are still to be written,
    // the next one to write has been started and is under way: its end comes back here.
    for (;;) {
        writeReady();
        if (int(m_renders.currentCount()) >= workers || m_started >= count || m_started >= m_written + window)
            break;
        // The items of one screenshot, one per language, follow each other.
        const int first = m_started;
        while (m_started < count &&
               (m_started == first || m_items[std::size_t(m_started)].planned.screenshot ==
                                          m_items[std::size_t(first)].planned.screenshot))
            ++m_started;
        std::vector<model::DetachedCanvas> canvases;
        std::vector<Target> targets;
        for (int index = first; index < m_started; ++index) {
            Item& item = m_items[std::size_t(index)];
            const ExportPlan::Item& planned = item.planned;
            if (!planned.fileName || !item.result.error.isEmpty()) {
                item.done = true;
            } else if (!planned.screenshot || planned.screenshot->isDeleted()) {
                item.result.error = QStringLiteral("The screenshot no longer exists.");
                item.done = true;
            } else {
                // Taken here, on the main thread: the render reads only the snapshot, never the
                // document.
                canvases.emplace_back(planned.screenshot->makeCanvas(), planned.language);
                targets.push_back({index, *item.folder, planned.leafName});
            }
        }
        if (targets.empty())
            continue;
        // Nothing else of the export renders beside it: see RenderResources::soleRenderThread.
        const bool alone = first == 0 && m_started == count && &m_pool == &model::renderPool();
        // The last delivery comes with the render's end, once the pictures and snapshots are let go of,
        // so that what the export freed is free when its end is heard of.
        m_renders.start(
            {},
            [heaps = m_heaps, canvases = std::move(canvases),
             targets = std::move(targets)](std::monostate&, const Renders::Deliver& deliver) {
                heaps->enlist();
                model::ExportPicture::encodeEach(canvases, [&](std::size_t turn, const QByteArray& png) {
                    const Target& target = targets[turn];
                    Delivery delivery{target.index, Rendered{std::nullopt, noPngReason, false}};
                    if (!png.isEmpty()) {
                        auto staged = ExportFileWriter::stage(target.folder, target.name, png);
                        delivery.rendered = staged ? Rendered{std::move(staged.value()), {}, true}
                                                   : Rendered{std::nullopt, staged.error(), true};
                    }
                    deliver(std::move(delivery));
                });
            },
            alone ? model::RenderResources::shared().soleRenderThread() : m_pool);
    }
    if (m_written < count)
        return;
    // A single screenshot that made no picture says so as the export of one always has.
    if (m_plan.toNamedFile && m_failures.size() == 1 && m_failures.front().reason == noPngReason)
        finish(ActionAlert{QStringLiteral("Export failed"), noPngReason});
    else
        finish(m_failures.isEmpty() ? std::nullopt
                                    : std::optional<ActionAlert>(ExportPlan::failureAlert(m_failures)));
}

void ExportJob::writeReady()
{
    const int count = int(m_items.size());
    while (m_written < count && m_items[std::size_t(m_written)].done) {
        Item& item = m_items[std::size_t(m_written)];
        std::optional<ExportFailure> failure;
        const ExportPlan::Item& planned = item.planned;
        if (!planned.fileName)
            failure = ExportFailure{planned.name, QStringLiteral("The name makes no file name.")};
        else if (!item.result.error.isEmpty())
            failure = ExportFailure{*planned.fileName, item.result.error};
        else if (const auto error = item.result.file->putInPlace())
            failure = ExportFailure{*planned.fileName, *error};
        const bool rendered = item.result.pictured;
        item.result = {};
        ++m_written;
        if (failure) {
            m_failures.append(*failure);
            emit fileFailed(*failure);
        } else {
            emit fileWritten(*planned.fileName);
        }
        if (rendered)
            emit progressChanged(m_written * 100.0 / count);
    }
}

void ExportJob::collect()
{
    std::vector<Renders::Returned> ready = m_renders.take();
    if (ready.empty())
        return;
    for (Renders::Returned& returned : ready) {
        if (!returned.result)
            continue;
        Item& item = m_items[std::size_t(returned.result->index)];
        item.result = std::move(returned.result->rendered);
        item.done = true;
    }
    advance();
}

void ExportJob::finish(std::optional<ActionAlert> alert)
{
    m_alert = std::move(alert);
    // The pictures were made and freed by the pool's threads, whose heaps keep what was freed in them for
    // later: several times the memory the window holds otherwise. It goes back to the system now, on the
    // pool, so the main thread does not wait while the heaps are searched; so do the shadow layers of the
    // full-size pictures, which no render of the window draws. One picture leaves no more than itself
    // there, and giving it back would have the next export fault its pages in afresh (a sixth of the time
    // of a full-size export).
    if (m_started > 1) {
        model::RenderResources::shared().shadowBands().forgetExactLayers();
        model::startOnPool([heaps = m_heaps] { heaps->release(); });
    }
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
