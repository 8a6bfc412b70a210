#pragma once

#include "document/ActionAlert.h"
#include "document/ExportFailure.h"
#include "store/StoreForward.h"

#include <QImage>
#include <QList>
#include <QString>
#include <optional>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {

// Export of screenshots as PNG files at their full size: the canvas rendered in export mode at scale 1,
// so one canvas point becomes one pixel. Here are the checks before a directory export (which ExportJob
// carries out) and the export of a single screenshot.
class ScreenshotExporter
{
public:
    explicit ScreenshotExporter(store::ManagedObjectContext& context);

    // Before the directory is chosen: whether two screenshots would be written to one file. The alert
    // "Error" when the screenshots cannot be fetched, "Duplicate names" when two file names are equal,
    // none when the export may go ahead.
    std::optional<ActionAlert> checkNames(Qt::CaseSensitivity sensitivity = Qt::CaseSensitive) const;

    // Once the directory is chosen, before the export starts: "Please select a directory" when it is no
    // existing directory; as checkNames, where names that its file system does not tell apart by letter
    // case are duplicates too. None when the export may start.
    std::optional<ActionAlert> checkDirectory(const QString& directory) const;

    // One screenshot to a file (the selected one, to a file the user named).
    static std::optional<ActionAlert> exportScreenshot(model::Screenshot& screenshot, const QString& path);

    // The pixels of a screenshot's export: empty when the canvas makes no bitmap (a zero size, say).
    static QImage render(model::Screenshot& screenshot);

    // The one alert that names every file an export could not write.
    static ActionAlert failureAlert(const QList<ExportFailure>& failures);

private:
    store::ManagedObjectContext& m_context;
};

} // namespace pelorama::document
