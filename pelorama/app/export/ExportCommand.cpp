#include "app/export/ExportCommand.h"

#include "app/export/ExportProgressPrinter.h"
#include "document/DocumentPackage.h"
#include "document/DocumentsExportPlan.h"
#include "document/ExportJob.h"
#include "document/ExportPlan.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/RenderPool.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QMetaObject>
#include <QUrl>
#include <algorithm>

namespace pelorama::app {

namespace {

// How many screenshots of a document one job exports, per thread of the pool: enough to keep every
// thread busy between the slices' ends, few enough that their pictures take little memory.
constexpr int sliceLengthPerThread = 8;

} // namespace

// One document of the plan to export, and its package while its turn lasts.
struct ExportCommand::Source
{
    document::DocumentsExportPlan::Document planned;
    std::unique_ptr<document::DocumentPackage> package;
    // While the package is open: the ID of each screenshot in it, null for one it no longer has.
    QList<store::ManagedObjectID> ids;
};

ExportCommand::ExportCommand(Request request, ExportProgressPrinter& printer, QObject* parent)
    : QObject(parent)
    , m_request(std::move(request))
    , m_printer(printer)
{}

ExportCommand::~ExportCommand() = default;

void ExportCommand::start()
{
    document::DocumentsExportPlan plan = document::DocumentsExportPlan::make(
        m_request.directory, m_request.documents, m_request.screenshotNames, m_request.languages);
    for (const QString& refusal : plan.refusals)
        fail(refusal);
    if (plan.directoryRefused) {
        finishLater();
        return;
    }
    m_total = plan.fileCount();
    for (document::DocumentsExportPlan::Document& planned : plan.documents)
        m_sources.push_back(Source{std::move(planned), {}, {}});
    m_printer.begin(m_total);
    exportNext();
}

bool ExportCommand::openForExport(Source& source)
{
    auto opened = document::DocumentPackage::openForReading(source.planned.path);
    if (!opened) {
        // Changed since it was checked; its files count as done.
        m_done += int(source.planned.screenshots.size()) * source.planned.filesPerScreenshot();
        fail(source.planned.path + QStringLiteral(": ") + opened.error().message());
        return false;
    }
    source.package = std::move(*opened);
    store::PersistentStoreCoordinator& coordinator =
        *source.package->managedObjectContext()->persistentStoreCoordinator();
    source.ids.clear();
    for (const auto& [address, name] : source.planned.screenshots)
        source.ids.append(
            coordinator.managedObjectIDForURIRepresentation(address).value_or(store::ManagedObjectID()));
    return true;
}

void ExportCommand::exportNext()
{
    m_job.reset();
    Source* source = nullptr;
    while (m_next < m_sources.size()) {
        Source& candidate = m_sources[m_next];
        if (m_nextScreenshot < candidate.planned.screenshots.size() &&
            (candidate.package || openForExport(candidate))) {
            source = &candidate;
            break;
        }
        // Done: its pictures and its files go.
        candidate.package.reset();
        candidate.ids.clear();
        ++m_next;
        m_nextScreenshot = 0;
    }
    if (!source) {
        finishLater();
        return;
    }
    store::ManagedObjectContext& context = *source->package->managedObjectContext();
    // The objects of the last slice go, with their pictures.
    context.reset();
    const qsizetype length = sliceLengthPerThread * std::max(model::renderPool().maxThreadCount(), 1);
    QList<model::Screenshot*> slice;
    for (const qsizetype end = std::min(m_nextScreenshot + length, source->planned.screenshots.size());
         m_nextScreenshot < end; ++m_nextScreenshot) {
        const store::ManagedObjectID& id = source->ids[m_nextScreenshot];
        if (auto* screenshot =
                id.isNull() ? nullptr : dynamic_cast<model::Screenshot*>(context.objectWithID(id)))
            slice.append(screenshot);
        else
            gone(*source, source->planned.screenshots[m_nextScreenshot].second);
    }

    // Checked before the first document was written.
    m_job = std::make_unique<document::ExportJob>(
        document::ExportPlan::ofScreenshots(slice, m_request.directory, source->planned.languages));
    m_filesFailed = false;
    connect(m_job.get(), &document::ExportJob::fileWritten, this,
            [this](const QString& fileName) { m_printer.fileWritten(++m_done, m_total, fileName); });
    connect(m_job.get(), &document::ExportJob::fileFailed, this,
            [this, path = source->planned.path](const document::ExportFailure& failure) {
                ++m_done;
                m_filesFailed = true;
                fail(QStringLiteral("%1: “%2”: %3").arg(path, failure.fileName, failure.reason));
            });
    connect(m_job.get(), &document::ExportJob::finished, this, &ExportCommand::jobFinished);
    m_job->start();
}

void ExportCommand::gone(const Source& source, const QString& name)
{
    m_done += source.planned.filesPerScreenshot();
    fail(QStringLiteral("%1: “%2”: The screenshot no longer exists.").arg(source.planned.path, name));
}

void ExportCommand::jobFinished()
{
    // What stopped the whole slice, when no file was to blame.
    if (m_job->alert() && !m_filesFailed)
        fail(QStringLiteral("%1: %2: %3")
                 .arg(m_sources[m_next].planned.path, m_job->alert()->messageText,
                      m_job->alert()->informativeText));
    // Not inside the job's own signal.
    QMetaObject::invokeMethod(this, &ExportCommand::exportNext, Qt::QueuedConnection);
}

void ExportCommand::fail(const QString& message)
{
    m_failed = true;
    m_printer.failed(message);
}

void ExportCommand::finishLater()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_printer.finish();
            emit finished(m_failed ? 1 : 0);
        },
        Qt::QueuedConnection);
}

} // namespace pelorama::app
