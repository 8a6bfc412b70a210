#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace pelorama::document {
class ExportJob;
} // namespace pelorama::document

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::app {

class ExportProgressPrinter;

// The export of documents from the command line, without windows: the screenshots of each document
// written into a directory by the export job the window uses, as Export All writes them, as a
// DocumentsExportPlan made before the first file says (which also says what is refused, and why).
//
// One document is open at a time: the plan keeps only the names and store addresses of the screenshots,
// and each document is opened once more for its turn to be written. So the count of documents is bounded
// by nothing the process holds open, only by time. A document with several languages is written a folder
// per language (ExportJob).
//
// A document is exported a slice of screenshots at a time, each slice a few times as long as the pool is
// wide, and the document lets go of the slice's pictures before the next: what the export holds grows
// with the pool's width, not with the document's length. Lives on the main thread.
class ExportCommand : public QObject
{
    Q_OBJECT

public:
    struct Request
    {
        QString directory;
        QStringList documents;
        // Only the screenshots of these names, when there are any.
        QStringList screenshotNames;
        // Only these languages (canonical codes), each into a folder named by its code, when there are
        // any; otherwise every language of a document with several, a folder each.
        QStringList languages;
    };

    // Tells printer how the export goes: how many files, each file written, each failure, the end.
    ExportCommand(Request request, ExportProgressPrinter& printer, QObject* parent = nullptr);
    ~ExportCommand() override;

    // Returns at once; finished() follows from the event loop.
    void start();

signals:
    // Once the printer has been told the end: 0 when every file asked for was written, 1 otherwise.
    void finished(int exitStatus);

private:
    struct Source;

    void exportNext();
    // Opens the source's package for its turn; false when it no longer opens.
    bool openForExport(Source& source);
    // A screenshot the document no longer has when its turn comes: its files fail.
    void gone(const Source& source, const QString& name);
    // When the running job has ended.
    void jobFinished();
    void fail(const QString& message);
    void finishLater();

    Request m_request;
    ExportProgressPrinter& m_printer;
    // The documents of the plan, in their order.
    std::vector<Source> m_sources;
    // The source being exported and the first of its screenshots not started yet.
    std::size_t m_next = 0;
    qsizetype m_nextScreenshot = 0;
    std::unique_ptr<document::ExportJob> m_job;
    // Whether the running job has named a file that failed.
    bool m_filesFailed = false;
    int m_done = 0;
    int m_total = 0;
    bool m_failed = false;
};

} // namespace pelorama::app
