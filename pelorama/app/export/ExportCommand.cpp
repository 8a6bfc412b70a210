#include "app/export/ExportCommand.h"

#include "app/export/ExportProgressPrinter.h"
#include "document/DocumentPackage.h"
#include "document/ExportFileNames.h"
#include "document/ExportJob.h"
#include "document/ExportPlan.h"
#include "model/entities/Screenshot.h"
#include "model/languages/DocumentLanguages.h"
#include "model/rendering/RenderPool.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QSet>
#include <QUrl>
#include <algorithm>

namespace pelorama::app {

namespace {

// How many screenshots of a document one job exports, per thread of the pool: enough to keep every
// thread busy between the slices' ends, few enough that their pictures take little memory.
constexpr int sliceLengthPerThread = 8;

} // namespace

// One document to export: where it was named, the screenshots of it that are written, each by its
// address in the store (which holds from one opening to the next) with its name, and the package while
// its turn lasts.
struct ExportCommand::Source
{
    QString path;
    QList<QPair<QUrl, QString>> screenshots;
    // The languages written, a folder each; none for one document language written straight into the
    // directory.
    QStringList languages;
    std::unique_ptr<document::DocumentPackage> package;
    // While the package is open: the ID of each screenshot in it, null for one it no longer has.
    QList<store::ManagedObjectID> ids;
    bool refused = false;

    // How many files each screenshot makes.
    int filesPerScreenshot() const { return std::max(int(languages.size()), 1); }
};

ExportCommand::ExportCommand(Request request, ExportProgressPrinter& printer, QObject* parent)
    : QObject(parent)
    , m_request(std::move(request))
    , m_printer(printer)
{}

ExportCommand::~ExportCommand() = default;

void ExportCommand::start()
{
    if (!checkDirectory()) {
        finishLater();
        return;
    }
    checkDocuments();
    chooseScreenshots();
    refuseDuplicateFileNames();
    for (const Source& source : m_sources)
        m_total += int(source.screenshots.size()) * source.filesPerScreenshot();
    m_printer.begin(m_total);
    exportNext();
}

bool ExportCommand::checkDirectory()
{
    const QFileInfo directory(m_request.directory);
    if (!directory.isDir()) {
        if (directory.exists() || directory.isSymLink())
            fail(QStringLiteral("“%1” is not a directory.").arg(m_request.directory));
        else
            fail(QStringLiteral("The directory “%1” does not exist.").arg(m_request.directory));
        return false;
    }
    // Files written there would change a package, which an export only reads: one of those exported,
    // named as such, or any other.
    const QString canonical = directory.canonicalFilePath();
    bool inside = false;
    for (const QString& path : m_request.documents) {
        const QString package = QFileInfo(path).canonicalFilePath();
        if (!package.isEmpty() && (canonical + '/').startsWith(package + '/')) {
            fail(path + QStringLiteral(": The directory “%1” lies inside this document, which is only read.")
                            .arg(m_request.directory));
            inside = true;
        }
    }
    if (inside)
        return false;
    for (QString folder = canonical; folder.size() > 1; folder = QFileInfo(folder).path()) {
        if (QFileInfo(folder).suffix().compare(document::DocumentPackage::extension(), Qt::CaseInsensitive) ==
            0) {
            fail(QStringLiteral("The directory “%1” lies inside the document %2, which is only read.")
                     .arg(m_request.directory, folder));
            return false;
        }
    }
    return true;
}

void ExportCommand::checkDocuments()
{
    for (const QString& path : m_request.documents) {
        // Closed again at the end of the turn: only one document is open at a time.
        const auto opened = document::DocumentPackage::openForReading(path);
        if (!opened) {
            fail(path + QStringLiteral(": ") + opened.error().message());
            continue;
        }
        store::ManagedObjectContext& context = *(*opened)->managedObjectContext();
        // In the order of the fetch, as the window's Export All writes them.
        const auto found = context.execute(model::Screenshot::fetchRequest());
        if (!found) {
            fail(path + QStringLiteral(": Export error: ") + found.error().message());
            continue;
        }
        Source source{path, {}, {}, {}, {}, false};
        for (store::ManagedObject* object : *found) {
            if (auto* screenshot = dynamic_cast<model::Screenshot*>(object))
                source.screenshots.append({screenshot->objectID().uriRepresentation(), screenshot->name()});
        }
        const model::DocumentLanguages languages = model::DocumentLanguages::of(context);
        if (m_request.languages.isEmpty()) {
            if (languages.hasTranslations())
                source.languages = languages.codes;
        } else {
            const auto lacking = std::find_if(m_request.languages.begin(), m_request.languages.end(),
                                              [&](const QString& code) { return !languages.contains(code); });
            if (lacking != m_request.languages.end()) {
                fail(path + QStringLiteral(": The document has no language “%1”; it has %2.")
                                .arg(*lacking, languages.codes.join(QStringLiteral(", "))));
                continue;
            }
            source.languages = m_request.languages;
        }
        m_sources.push_back(std::move(source));
    }
}

void ExportCommand::chooseScreenshots()
{
    if (m_request.screenshotNames.isEmpty())
        return;
    const QSet<QString> wanted(m_request.screenshotNames.begin(), m_request.screenshotNames.end());
    QSet<QString> found;
    for (Source& source : m_sources) {
        QList<QPair<QUrl, QString>> chosen;
        for (const auto& screenshot : source.screenshots) {
            if (wanted.contains(screenshot.second)) {
                chosen.append(screenshot);
                found.insert(screenshot.second);
            }
        }
        source.screenshots = chosen;
    }
    // Each name once, in the order given, with the documents it was looked for in, as every other
    // failure names its document.
    QStringList searched;
    for (const Source& source : m_sources)
        searched.append(source.path);
    QSet<QString> reported;
    for (const QString& name : m_request.screenshotNames) {
        if (!found.contains(name) && !reported.contains(name)) {
            reported.insert(name);
            fail(searched.join(QStringLiteral(", ")) +
                 QStringLiteral(": No screenshot is named “%1”.").arg(name));
        }
    }
}

void ExportCommand::refuseDuplicateFileNames()
{
    const Qt::CaseSensitivity sensitivity = document::ExportFileNames::isCaseSensitive(m_request.directory)
                                                ? Qt::CaseSensitive
                                                : Qt::CaseInsensitive;
    // The file of each screenshot, and the document it comes from.
    QStringList fileNames;
    QList<std::size_t> owners;
    for (std::size_t index = 0; index < m_sources.size(); ++index) {
        const Source& source = m_sources[index];
        // Each file by its name inside the directory: only files of one folder can meet.
        for (const QString& folder : source.languages.isEmpty() ? QStringList{QString()} : source.languages) {
            for (const auto& [address, name] : source.screenshots) {
                const QString file = document::ExportFileNames::fileName(name).value_or(name);
                fileNames.append(folder.isEmpty() ? file : folder + '/' + file);
                owners.append(index);
            }
        }
    }
    for (const document::ExportFileNames::Duplicate& duplicate :
         document::ExportFileNames::duplicateOccurrences(fileNames, sensitivity)) {
        // Each document once (also one given twice), in the order its files come.
        QStringList documents;
        QSet<QString> named;
        for (const qsizetype at : duplicate.occurrences) {
            Source& owner = m_sources[owners[at]];
            owner.refused = true;
            if (!named.contains(owner.path)) {
                named.insert(owner.path);
                documents.append(owner.path);
            }
        }
        fail(document::ExportPlan::duplicateNamesLine(duplicate.fileName, documents));
    }
    std::erase_if(m_sources, [](const Source& source) { return source.refused; });
}

bool ExportCommand::openForExport(Source& source)
{
    auto opened = document::DocumentPackage::openForReading(source.path);
    if (!opened) {
        // Changed since it was checked; its files count as done.
        m_done += int(source.screenshots.size()) * source.filesPerScreenshot();
        fail(source.path + QStringLiteral(": ") + opened.error().message());
        return false;
    }
    source.package = std::move(*opened);
    store::PersistentStoreCoordinator& coordinator =
        *source.package->managedObjectContext()->persistentStoreCoordinator();
    source.ids.clear();
    for (const auto& [address, name] : source.screenshots)
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
        if (m_nextScreenshot < candidate.screenshots.size() &&
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
    for (const qsizetype end = std::min(m_nextScreenshot + length, source->screenshots.size());
         m_nextScreenshot < end; ++m_nextScreenshot) {
        const store::ManagedObjectID& id = source->ids[m_nextScreenshot];
        if (auto* screenshot =
                id.isNull() ? nullptr : dynamic_cast<model::Screenshot*>(context.objectWithID(id)))
            slice.append(screenshot);
        else
            gone(*source, source->screenshots[m_nextScreenshot].second);
    }

    // Checked before the first document was written.
    m_job = std::make_unique<document::ExportJob>(
        document::ExportPlan::ofScreenshots(slice, m_request.directory, source->languages));
    m_filesFailed = false;
    connect(m_job.get(), &document::ExportJob::fileWritten, this,
            [this](const QString& fileName) { m_printer.fileWritten(++m_done, m_total, fileName); });
    connect(m_job.get(), &document::ExportJob::fileFailed, this,
            [this, path = source->path](const document::ExportFailure& failure) {
                ++m_done;
                m_filesFailed = true;
                fail(QStringLiteral("%1: “%2”: %3").arg(path, failure.fileName, failure.reason));
            });
    connect(m_job.get(), &document::ExportJob::finished, this, &ExportCommand::jobFinished);
    m_job->start();
}

void ExportCommand::gone(const Source& source, const QString& name)
{
    m_done += source.filesPerScreenshot();
    fail(QStringLiteral("%1: “%2”: The screenshot no longer exists.").arg(source.path, name));
}

void ExportCommand::jobFinished()
{
    // What stopped the whole slice, when no file was to blame.
    if (m_job->alert() && !m_filesFailed)
        fail(QStringLiteral("%1: %2: %3")
                 .arg(m_sources[m_next].path, m_job->alert()->messageText, m_job->alert()->informativeText));
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
