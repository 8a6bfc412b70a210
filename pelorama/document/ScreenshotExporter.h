#pragma once

#include "document/ActionAlert.h"
#include "document/ExportFailure.h"
#include "store/StoreForward.h"

#include <QImage>
#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace pelorama::model {
class DetachedCanvas;
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {

// Export of screenshots as PNG files at their full size: the canvas rendered in export mode at scale 1,
// so one canvas point becomes one pixel. Here are the checks before a directory export and the render,
// which ExportJob carries out.
class ScreenshotExporter
{
public:
    explicit ScreenshotExporter(store::ManagedObjectContext& context);

    // Before the directory is chosen: whether two screenshots would be written to one file. The alert
    // "Error" when the screenshots cannot be fetched, "Duplicate names" when two file names are equal,
    // none when the export may go ahead.
    std::optional<ActionAlert> checkNames() const;

    // Once the directory is chosen, before the export starts: "Please select a directory" when it is no
    // existing directory; as checkNames, where names that its file system does not tell apart by letter
    // case are duplicates too. None when the export may start.
    std::optional<ActionAlert> checkDirectory(const QString& directory) const;
    // The same for the given screenshots alone.
    static std::optional<ActionAlert> checkDirectory(const QString& directory,
                                                     const QList<model::Screenshot*>& screenshots);

    // "Duplicate names" when two of screenshots would be written to one file, with names compared as
    // sensitivity says.
    static std::optional<ActionAlert> checkNames(const QList<model::Screenshot*>& screenshots,
                                                 Qt::CaseSensitivity sensitivity);

    // The pixels of a screenshot's export: empty when the canvas makes no bitmap (a zero size, say).
    static QImage render(const model::DetachedCanvas& canvas);
    static QImage render(model::Screenshot& screenshot);
    // The pixels of each of canvases, as render gives them, handed to each with the canvas's index in
    // turn; the drawables the canvases begin with alike (a screenshot's in each of its languages) are
    // drawn once.
    static void renderEach(const std::vector<model::DetachedCanvas>& canvases,
                           const std::function<void(std::size_t, const QImage&)>& each);

    // The one alert that names every file an export could not write.
    static ActionAlert failureAlert(const QList<ExportFailure>& failures);

private:
    store::ManagedObjectContext& m_context;
};

} // namespace pelorama::document
