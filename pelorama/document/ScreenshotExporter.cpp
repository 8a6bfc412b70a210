#include "document/ScreenshotExporter.h"

#include "document/ExportFileNames.h"
#include "model/entities/Screenshot.h"
#include "store/ManagedObjectContext.h"

#include <QFileInfo>

namespace pelorama::document {

namespace {

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

} // namespace

ScreenshotExporter::ScreenshotExporter(store::ManagedObjectContext& context)
    : m_context(context)
{}

std::optional<ActionAlert> ScreenshotExporter::checkNames() const
{
    const auto screenshots = fetchScreenshots(m_context);
    if (!screenshots)
        return alert(QStringLiteral("Error"), QStringLiteral("Could not scan Screenshots for duplicates. (") +
                                                  screenshots.error().message() + ')');
    return checkNames(*screenshots, Qt::CaseSensitive);
}

std::optional<ActionAlert> ScreenshotExporter::checkNames(const QList<model::Screenshot*>& screenshots,
                                                          Qt::CaseSensitivity sensitivity)
{
    if (!ExportFileNames::duplicates(fileNamesOf(screenshots), sensitivity).isEmpty())
        return alert(
            QStringLiteral("Duplicate names"),
            QStringLiteral("There are multiple screenshots with the same name. Please change them so "
                           "they are not written to the same filename."));
    return std::nullopt;
}

std::optional<ActionAlert> ScreenshotExporter::checkDirectory(const QString& directory) const
{
    const auto screenshots = fetchScreenshots(m_context);
    if (!screenshots)
        return alert(QStringLiteral("Error"), QStringLiteral("Could not scan Screenshots for duplicates. (") +
                                                  screenshots.error().message() + ')');
    return checkDirectory(directory, *screenshots);
}

std::optional<ActionAlert> ScreenshotExporter::checkDirectory(const QString& directory,
                                                              const QList<model::Screenshot*>& screenshots)
{
    if (!QFileInfo(directory).isDir())
        return alert(QStringLiteral("Export failed"), QStringLiteral("Please select a directory"));
    return checkNames(screenshots,
                      ExportFileNames::isCaseSensitive(directory) ? Qt::CaseSensitive : Qt::CaseInsensitive);
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
