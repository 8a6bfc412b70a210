#include "document/DocumentsExportPlan.h"

#include "document/DocumentPackage.h"
#include "document/ExportFileNames.h"
#include "document/ExportPlan.h"
#include "model/entities/Screenshot.h"
#include "model/languages/DocumentLanguages.h"
#include "store/ManagedObjectContext.h"

#include <QFileInfo>
#include <QSet>

namespace pelorama::document {

namespace {

// Files written there would change a package, which an export of documents only reads: one of those
// exported, named as such, or any other.
QStringList insideDocuments(const QString& directory, const QStringList& paths)
{
    const QString canonical = QFileInfo(directory).canonicalFilePath();
    QStringList refusals;
    for (const QString& path : paths) {
        const QString package = QFileInfo(path).canonicalFilePath();
        if (!package.isEmpty() && (canonical + '/').startsWith(package + '/'))
            refusals.append(path + QStringLiteral(": The directory “%1” lies inside this document, which is "
                                                  "only read.")
                                       .arg(directory));
    }
    if (!refusals.isEmpty())
        return refusals;
    for (QString folder = canonical; folder.size() > 1; folder = QFileInfo(folder).path()) {
        if (QFileInfo(folder).suffix().compare(DocumentPackage::extension(), Qt::CaseInsensitive) == 0)
            return {QStringLiteral("The directory “%1” lies inside the document %2, which is only read.")
                        .arg(directory, folder)};
    }
    return {};
}

// The screenshots and languages of the document at path, opened to be read and closed again; or why it
// is left out.
std::optional<DocumentsExportPlan::Document> read(const QString& path, const QStringList& languagesAsked,
                                                  QStringList& refusals)
{
    const auto opened = DocumentPackage::openForReading(path);
    if (!opened) {
        refusals.append(path + QStringLiteral(": ") + opened.error().message());
        return std::nullopt;
    }
    store::ManagedObjectContext& context = *(*opened)->managedObjectContext();
    // In the order of the fetch, as the window's Export All writes them.
    const auto found = context.execute(model::Screenshot::fetchRequest());
    if (!found) {
        refusals.append(path + QStringLiteral(": Export error: ") + found.error().message());
        return std::nullopt;
    }
    DocumentsExportPlan::Document document{path, {}, {}};
    for (store::ManagedObject* object : *found) {
        if (auto* screenshot = dynamic_cast<model::Screenshot*>(object))
            document.screenshots.append({screenshot->objectID().uriRepresentation(), screenshot->name()});
    }
    const model::DocumentLanguages languages = model::DocumentLanguages::of(context);
    if (languagesAsked.isEmpty()) {
        if (languages.hasTranslations())
            document.languages = languages.codes;
        return document;
    }
    const auto lacking = std::find_if(languagesAsked.begin(), languagesAsked.end(),
                                      [&](const QString& code) { return !languages.contains(code); });
    if (lacking != languagesAsked.end()) {
        refusals.append(path + QStringLiteral(": The document has no language “%1”; it has %2.")
                                   .arg(*lacking, languages.codes.join(QStringLiteral(", "))));
        return std::nullopt;
    }
    document.languages = languagesAsked;
    return document;
}

// Keeps only the screenshots named; each name that matches none is refused once, in the order given,
// with the documents it was looked for in, as every other refusal names its document.
void choose(DocumentsExportPlan& plan, const QStringList& names)
{
    if (names.isEmpty())
        return;
    const QSet<QString> wanted(names.begin(), names.end());
    QSet<QString> found;
    QStringList searched;
    for (DocumentsExportPlan::Document& document : plan.documents) {
        searched.append(document.path);
        QList<QPair<QUrl, QString>> chosen;
        for (const auto& screenshot : document.screenshots) {
            if (wanted.contains(screenshot.second)) {
                chosen.append(screenshot);
                found.insert(screenshot.second);
            }
        }
        document.screenshots = chosen;
    }
    QSet<QString> reported;
    for (const QString& name : names) {
        if (!found.contains(name) && !reported.contains(name)) {
            reported.insert(name);
            plan.refusals.append(searched.join(QStringLiteral(", ")) +
                                 QStringLiteral(": No screenshot is named “%1”.").arg(name));
        }
    }
}

// Leaves out the documents whose screenshots would share a file, with any other document's or their own.
void refuseDuplicates(DocumentsExportPlan& plan)
{
    // The file of each screenshot, and the document it comes from.
    QStringList fileNames;
    QList<std::size_t> owners;
    for (std::size_t index = 0; index < plan.documents.size(); ++index) {
        const DocumentsExportPlan::Document& document = plan.documents[index];
        QStringList names;
        for (const auto& screenshot : document.screenshots)
            names.append(screenshot.second);
        const QStringList files = ExportPlan::fileNamesOf(names, document.languages);
        fileNames.append(files);
        owners.append(QList<std::size_t>(files.size(), index));
    }
    std::vector<bool> refused(plan.documents.size(), false);
    for (const ExportFileNames::Duplicate& duplicate :
         ExportFileNames::duplicateOccurrences(fileNames, ExportPlan::nameSensitivity(plan.directory))) {
        // Each document once (also one given twice), in the order its files come.
        QStringList documents;
        for (const qsizetype at : duplicate.occurrences) {
            const std::size_t owner = owners[at];
            refused[owner] = true;
            if (!documents.contains(plan.documents[owner].path))
                documents.append(plan.documents[owner].path);
        }
        plan.refusals.append(ExportPlan::duplicateNamesLine(duplicate.fileName, documents));
    }
    std::vector<DocumentsExportPlan::Document> kept;
    for (std::size_t index = 0; index < plan.documents.size(); ++index) {
        if (!refused[index])
            kept.push_back(std::move(plan.documents[index]));
    }
    plan.documents = std::move(kept);
}

} // namespace

DocumentsExportPlan DocumentsExportPlan::make(const QString& directory, const QStringList& paths,
                                              const QStringList& screenshotNames,
                                              const QStringList& languages)
{
    DocumentsExportPlan plan{directory, {}, {}, false};
    if (const std::optional<QString> refusal = ExportPlan::directoryRefusal(directory))
        plan.refusals.append(*refusal);
    else
        plan.refusals = insideDocuments(directory, paths);
    if (!plan.refusals.isEmpty()) {
        plan.directoryRefused = true;
        return plan;
    }
    // Only one document is open at a time: each is closed again once read.
    for (const QString& path : paths) {
        if (std::optional<Document> document = read(path, languages, plan.refusals))
            plan.documents.push_back(std::move(*document));
    }
    choose(plan, screenshotNames);
    refuseDuplicates(plan);
    return plan;
}

int DocumentsExportPlan::fileCount() const
{
    int count = 0;
    for (const Document& document : documents)
        count += int(document.screenshots.size()) * document.filesPerScreenshot();
    return count;
}

} // namespace pelorama::document
