#include "document/ExportPlan.h"

#include "document/ExportFileNames.h"
#include "model/entities/Screenshot.h"
#include "model/languages/DocumentLanguages.h"
#include "store/ManagedObjectContext.h"

#include <QFileInfo>

namespace pelorama::document {

namespace {

const QString changeNames =
    QStringLiteral("Please change them so they are not written to the same filename.");

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

ActionAlert scanFailed(const store::Error& error)
{
    return {QStringLiteral("Error"),
            QStringLiteral("Could not scan Screenshots for duplicates. (") + error.message() + ')'};
}

// "Duplicate names" when two of screenshots would be written to one file, with names compared as
// sensitivity says; a name that makes no file counts as itself.
std::optional<ActionAlert> duplicateNames(const QList<model::Screenshot*>& screenshots,
                                          Qt::CaseSensitivity sensitivity)
{
    QStringList names;
    for (model::Screenshot* screenshot : screenshots)
        names.append(screenshot->name());
    if (ExportFileNames::duplicates(ExportPlan::fileNamesOf(names, {}), sensitivity).isEmpty())
        return std::nullopt;
    return ActionAlert{QStringLiteral("Duplicate names"),
                       QStringLiteral("There are multiple screenshots with the same name. ") + changeNames};
}

} // namespace

ExportPlan ExportPlan::ofDocument(store::ManagedObjectContext& context, const QString& directory)
{
    const auto screenshots = fetchScreenshots(context);
    if (!screenshots)
        return ExportPlan{directory, {}, {}, false, scanFailed(screenshots.error())};
    if (directoryRefusal(directory))
        return ExportPlan{directory, {}, {}, false, noDirectory()};
    if (std::optional<ActionAlert> refused = duplicateNames(*screenshots, nameSensitivity(directory)))
        return ExportPlan{directory, {}, {}, false, std::move(refused)};
    const model::DocumentLanguages languages = model::DocumentLanguages::of(context);
    return ofScreenshots(*screenshots, directory,
                         languages.hasTranslations() ? languages.codes : QStringList());
}

ExportPlan ExportPlan::ofScreenshots(const QList<model::Screenshot*>& screenshots, const QString& directory,
                                     const QStringList& languages)
{
    ExportPlan plan{directory, languages, {}, false, std::nullopt};
    const auto item = [](model::Screenshot* screenshot, const QString& folder) {
        std::optional<QString> fileName = ExportFileNames::fileName(screenshot->name());
        const QString leafName = fileName.value_or(QString());
        if (fileName && !folder.isEmpty())
            fileName = folder + '/' + *fileName;
        return Item{screenshot, screenshot->name(), fileName, folder, leafName, folder};
    };
    for (model::Screenshot* screenshot : screenshots) {
        if (languages.isEmpty())
            plan.items.push_back(item(screenshot, {}));
        for (const QString& language : languages)
            plan.items.push_back(item(screenshot, language));
    }
    return plan;
}

ExportPlan ExportPlan::ofScreenshot(model::Screenshot& screenshot, const QString& path,
                                    const QString& language)
{
    const QFileInfo file(path);
    ExportPlan plan{file.absolutePath(), {}, {}, true, std::nullopt};
    plan.items.push_back(
        Item{&screenshot, screenshot.name(), file.fileName(), {}, file.fileName(), language});
    return plan;
}

std::optional<ActionAlert> ExportPlan::checkNames(store::ManagedObjectContext& context)
{
    const auto screenshots = fetchScreenshots(context);
    if (!screenshots)
        return scanFailed(screenshots.error());
    return duplicateNames(*screenshots, Qt::CaseSensitive);
}

ActionAlert ExportPlan::noDirectory()
{
    return {QStringLiteral("Export failed"), QStringLiteral("Please select a directory")};
}

std::optional<QString> ExportPlan::directoryRefusal(const QString& directory)
{
    const QFileInfo place(directory);
    if (place.isDir())
        return std::nullopt;
    if (place.exists() || place.isSymLink())
        return QStringLiteral("“%1” is not a directory.").arg(directory);
    return QStringLiteral("The directory “%1” does not exist.").arg(directory);
}

Qt::CaseSensitivity ExportPlan::nameSensitivity(const QString& directory)
{
    return ExportFileNames::isCaseSensitive(directory) ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

QStringList ExportPlan::fileNamesOf(const QStringList& names, const QStringList& languages)
{
    QStringList files;
    for (const QString& folder : languages.isEmpty() ? QStringList{QString()} : languages) {
        for (const QString& name : names) {
            const QString file = ExportFileNames::fileName(name).value_or(name);
            files.append(folder.isEmpty() ? file : folder + '/' + file);
        }
    }
    return files;
}

QString ExportPlan::duplicateNamesLine(const QString& fileName, const QStringList& documents)
{
    return QStringLiteral("Duplicate names: “%1” would be written for more than one screenshot of %2. ")
               .arg(fileName, documents.join(QStringLiteral(" and "))) +
           changeNames;
}

ActionAlert ExportPlan::failureAlert(const QList<ExportFailure>& failures)
{
    QStringList lines{failures.size() == 1 ? QStringLiteral("This screenshot could not be exported:")
                                           : QStringLiteral("These screenshots could not be exported:")};
    for (const ExportFailure& failure : failures)
        lines.append(QStringLiteral("“%1”: %2").arg(failure.fileName, failure.reason));
    return {QStringLiteral("Export failed"), lines.join('\n')};
}

} // namespace pelorama::document
