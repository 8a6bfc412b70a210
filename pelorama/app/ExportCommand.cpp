#include "app/ExportCommand.h"

#include "document/DocumentPackage.h"
#include "document/ExportFileNames.h"
#include "document/ExportJob.h"
#include "document/ScreenshotArrangement.h"
#include "model/entities/Screenshot.h"
#include "model/languages/DocumentLanguages.h"
#include "model/rendering/RenderPool.h"
#include "store/ManagedObjectContext.h"

#include <QFileInfo>
#include <QMetaObject>
#include <QSet>

namespace pelorama::app {

namespace {

// How many screenshots of a document one job exports, per thread of the pool: enough to keep every
// thread busy between the slices' ends, few enough that their pictures take little memory.
constexpr int sliceLengthPerThread = 8;

} // namespace

// One document to export: where it was named, the package while it is needed, and the screenshots of
// it that are written, each with its name.
struct ExportCommand::Source
{
    QString path;
    std::unique_ptr<document::DocumentPackage> package;
    QList<QPair<store::ManagedObjectID, QString>> screenshots;
    // The languages written, a folder each; none for one document language written straight into the
    // directory.
    QStringList languages;

    // How many files each screenshot makes.
    int filesPerScreenshot() const { return std::max(int(languages.size()), 1); }
};

ExportCommand::ExportCommand(Request request, QObject* parent)
    : QObject(parent)
    , m_request(std::move(request))
{}

ExportCommand::~ExportCommand() = default;

void ExportCommand::start()
{
    if (!checkDirectory()) {
        finishLater();
        return;
    }
    openDocuments();
    chooseScreenshots();
    chooseLanguages();
    refuseDuplicateFileNames();
    for (const Source& source : m_sources)
        m_total += int(source.screenshots.size()) * source.filesPerScreenshot();
    emit started(m_total);
    exportNext();
}

bool ExportCommand::checkDirectory()
{
    const QFileInfo directory(m_request.directory);
    if (directory.isDir())
        return true;
    if (directory.exists() || directory.isSymLink())
        fail(QStringLiteral("“%1” is not a directory.").arg(m_request.directory));
    else
        fail(QStringLiteral("The directory “%1” does not exist.").arg(m_request.directory));
    return false;
}

void ExportCommand::openDocuments()
{
    const QString directory = QFileInfo(m_request.directory).canonicalFilePath() + '/';
    for (const QString& path : m_request.documents) {
        const QString package = QFileInfo(path).canonicalFilePath();
        if (!package.isEmpty() && directory.startsWith(package + '/')) {
            fail(path + QStringLiteral(": The directory “%1” lies inside this document, which is only read.")
                            .arg(m_request.directory));
            continue;
        }
        auto opened = document::DocumentPackage::openForReading(path);
        if (!opened) {
            fail(path + QStringLiteral(": ") + opened.error().message());
            continue;
        }
        Source source{path, std::move(*opened), {}, {}};
        const auto found = document::ScreenshotArrangement::fetch(*source.package->managedObjectContext());
        if (!found) {
            fail(path + QStringLiteral(": Export error: ") + found.error().message());
            continue;
        }
        for (store::ManagedObject* object : *found) {
            if (auto* screenshot = dynamic_cast<model::Screenshot*>(object))
                source.screenshots.append({screenshot->objectID(), screenshot->name()});
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
        QList<QPair<store::ManagedObjectID, QString>> chosen;
        for (const auto& screenshot : source.screenshots) {
            if (wanted.contains(screenshot.second)) {
                chosen.append(screenshot);
                found.insert(screenshot.second);
            }
        }
        source.screenshots = chosen;
    }
    // Each name once, in the order given.
    QSet<QString> reported;
    for (const QString& name : m_request.screenshotNames) {
        if (!found.contains(name) && !reported.contains(name)) {
            reported.insert(name);
            fail(QStringLiteral("No screenshot is named “%1”.").arg(name));
        }
    }
}

void ExportCommand::chooseLanguages()
{
    for (Source& source : m_sources) {
        const model::DocumentLanguages languages =
            model::DocumentLanguages::of(*source.package->managedObjectContext());
        if (m_request.languages.isEmpty()) {
            if (languages.hasTranslations())
                source.languages = languages.codes;
            continue;
        }
        for (const QString& code : m_request.languages) {
            if (!languages.contains(code)) {
                fail(source.path + QStringLiteral(": The document has no language “%1”; it has %2.")
                                       .arg(code, languages.codes.join(QStringLiteral(", "))));
                source.package.reset();
                break;
            }
        }
        source.languages = m_request.languages;
    }
    std::erase_if(m_sources, [](const Source& source) { return !source.package; });
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
            for (const auto& [id, name] : source.screenshots) {
                const QString file = document::ExportFileNames::fileName(name).value_or(name);
                fileNames.append(folder.isEmpty() ? file : folder + '/' + file);
                owners.append(index);
            }
        }
    }
    QSet<std::size_t> refused;
    for (const QString& duplicate : document::ExportFileNames::duplicates(fileNames, sensitivity)) {
        QStringList documents;
        for (qsizetype at = 0; at < fileNames.size(); ++at) {
            if (fileNames[at].compare(duplicate, sensitivity) != 0)
                continue;
            refused.insert(owners[at]);
            if (!documents.contains(m_sources[owners[at]].path))
                documents.append(m_sources[owners[at]].path);
        }
        fail(QStringLiteral(
                 "Duplicate names: “%1” would be written for more than one screenshot of %2. Please "
                 "change them so they are not written to the same filename.")
                 .arg(duplicate, documents.join(QStringLiteral(" and "))));
    }
    for (std::size_t index : refused)
        m_sources[index] = {};
    std::erase_if(m_sources, [](const Source& source) { return !source.package; });
}

void ExportCommand::exportNext()
{
    m_job.reset();
    if (m_next < m_sources.size() && m_nextScreenshot == m_sources[m_next].screenshots.size()) {
        // Its pictures are no longer needed.
        m_sources[m_next].package.reset();
        ++m_next;
        m_nextScreenshot = 0;
    }
    if (m_next == m_sources.size()) {
        finishLater();
        return;
    }
    Source& source = m_sources[m_next];
    store::ManagedObjectContext& context = *source.package->managedObjectContext();
    // The objects of the last slice go, with their pictures.
    context.reset();
    const qsizetype length = sliceLengthPerThread * std::max(model::renderPool().maxThreadCount(), 1);
    QList<model::Screenshot*> slice;
    for (const auto& [id, name] : source.screenshots.mid(m_nextScreenshot, length))
        slice.append(dynamic_cast<model::Screenshot*>(context.objectWithID(id)));
    m_nextScreenshot += slice.size();

    m_job = std::make_unique<document::ExportJob>(slice, m_request.directory);
    if (!source.languages.isEmpty())
        m_job->setLanguageFolders(source.languages);
    m_filesFailed = false;
    connect(m_job.get(), &document::ExportJob::fileWritten, this,
            [this](const QString& fileName) { emit fileWritten(++m_done, m_total, fileName); });
    connect(m_job.get(), &document::ExportJob::fileFailed, this,
            [this, path = source.path](const document::ExportFailure& failure) {
                ++m_done;
                m_filesFailed = true;
                fail(QStringLiteral("%1: “%2”: %3").arg(path, failure.fileName, failure.reason));
            });
    connect(m_job.get(), &document::ExportJob::finished, this, &ExportCommand::jobFinished);
    m_job->start();
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
    emit failed(message);
}

void ExportCommand::finishLater()
{
    QMetaObject::invokeMethod(
        this, [this] { emit finished(m_failed ? 1 : 0); }, Qt::QueuedConnection);
}

} // namespace pelorama::app
