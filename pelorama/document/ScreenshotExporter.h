#pragma once

#include "document/ActionAlert.h"
#include "document/ExportFailure.h"
#include "store/StoreForward.h"

#include <QList>
#include <QString>
#include <optional>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {

// The checks before a directory export, which ExportJob carries out, and the alert that ends one.
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

    // The one alert that names every file an export could not write.
    static ActionAlert failureAlert(const QList<ExportFailure>& failures);

private:
    store::ManagedObjectContext& m_context;
};

} // namespace pelorama::document
