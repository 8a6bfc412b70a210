#pragma once

#include "document/ActionAlert.h"
#include "document/ExportFailure.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

namespace store {
class ManagedObjectContext;
} // namespace store

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {

// Export of screenshots as PNG files at their full size: the canvas rendered in export mode at scale 1,
// so one canvas point becomes one pixel. Failures are collected, never passed over: the alerts say which
// files could not be written and why.
//
// A directory export renders and encodes several screenshots at once on workers of its own (as many as
// the machine runs threads, unless set otherwise), each worker one bitmap at a time in a private-queue child
// context of the document's context, and writes the files on the calling (main) thread in the given order (as
// ExportFileWriter does: whole, and only as regular files in the directory). While it runs, the calling
// thread handles its events: the workers read the document through it, and the progress window draws.
class ScreenshotExporter : public QObject
{
    Q_OBJECT

public:
    // Called after each file of a directory export is written (or failed), with the share done, 0 to 100.
    using Progress = std::function<void(double percent)>;

    explicit ScreenshotExporter(store::ManagedObjectContext& context);

    // How many screenshots a directory export renders at once, at least 1.
    int workerCount() const { return m_workerCount; }
    void setWorkerCount(int count);

    // Before the directory is chosen: whether two screenshots would be written to one file. The alert
    // "Error" when the screenshots cannot be fetched, "Duplicate names" when two file names are equal,
    // none when the export may go ahead.
    std::optional<ActionAlert> checkNames(Qt::CaseSensitivity sensitivity = Qt::CaseSensitive) const;

    // Once the directory is chosen, before the export starts: "Please select a directory" when it is no
    // existing directory; as checkNames, where names that its file system does not tell apart by letter
    // case are duplicates too. None when the export may start.
    std::optional<ActionAlert> checkDirectory(const QString& directory) const;

    // Every screenshot of the document into directory, in the order a fetch gives them, after the checks
    // of checkDirectory. Answers the alert to show afterwards, none when every file was written.
    std::optional<ActionAlert> exportAll(const QString& directory, const Progress& progress = {});

    // The screenshots given, into an existing directory, in that order; the failures.
    QList<ExportFailure> exportScreenshots(const QList<model::Screenshot*>& screenshots,
                                           const QString& directory, const Progress& progress = {});

    // One screenshot to a file (the selected one, to a file the user named).
    static std::optional<ActionAlert> exportScreenshot(model::Screenshot& screenshot, const QString& path);

    // The pixels of a screenshot's export: empty when the canvas makes no bitmap (a zero size, say).
    static QImage render(model::Screenshot& screenshot);

    // The one alert that names every file an export could not write.
    static ActionAlert failureAlert(const QList<ExportFailure>& failures);

private:
    store::ManagedObjectContext& m_context;
    int m_workerCount;
};

} // namespace pelorama::document
