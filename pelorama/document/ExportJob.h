#pragma once

#include "document/ActionAlert.h"
#include "document/ExportFailure.h"
#include "document/ExportFileWriter.h"
#include "document/ExportPlan.h"
#include "foundation/ThreadHeaps.h"
#include "model/rendering/RenderJobs.h"
#include "model/rendering/RenderPool.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QThreadPool;

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {

// The export of screenshots as PNG files at their full size, as an ExportPlan says, while the main
// thread goes on with its events.
//
// On the main thread each screenshot is taken as a detached snapshot (model::DetachedCanvas) just before
// its turn, one in each language written; the snapshots are rendered, encoded and written beside their
// names on the pool, a few screenshots at once, each screenshot's languages one after another so that
// what they share is drawn and compressed once. The files are put in place on the main thread in the
// order the screenshots were given, each screenshot in every language before the next (by
// ExportFileWriter: whole, and only as regular files). Failures are collected, never passed over: the
// alert at the end names every file that could not be written and why.
//
// Lives on the main thread. Deleting it before it has finished abandons the export: renders under way
// end on their own and their pictures are dropped.
class ExportJob : public QObject
{
    Q_OBJECT

public:
    // Carries plan out on pool; a plan refused writes nothing and ends with its refusal.
    explicit ExportJob(ExportPlan plan, QThreadPool& pool = model::renderPool(), QObject* parent = nullptr);
    ~ExportJob() override;

    // How many screenshots are rendered at once, at least 1; as many as the pool has threads unless set.
    int workerCount() const { return m_workerCount; }
    void setWorkerCount(int count);

    // Returns at once; finished() follows from the event loop, also when there was nothing to do.
    void start();

    bool isFinished() const { return m_finished; }
    // Once finished: the alert to show, none when every file was written.
    const std::optional<ActionAlert>& alert() const { return m_alert; }

signals:
    // After each file that was written or failed to be written, with the share done, 0 to 100. A
    // screenshot that made no picture does not move it.
    void progressChanged(double percent);
    // After each file written, with its name inside the directory ("de-DE/Home.png" in a language's
    // folder).
    void fileWritten(const QString& fileName);
    // After each screenshot that could not be written, with why.
    void fileFailed(const pelorama::document::ExportFailure& failure);
    void finished();

private:
    // A file written beside its name, or why none was; whether the screenshot made a picture at all.
    struct Rendered
    {
        std::optional<ExportFileWriter::StagedFile> file;
        QString error;
        bool pictured = false;
    };
    // A file of the plan as the job carries it out.
    struct Item
    {
        ExportPlan::Item planned;
        // The folder it goes into, opened once for the job.
        std::optional<ExportFileWriter::Folder> folder;
        bool done = false;
        Rendered result;
    };
    // Where a screenshot's render in one language goes: its item's index and its file.
    struct Target
    {
        int index;
        ExportFileWriter::Folder folder;
        QString name;
    };
    // What the pool rendered for an item.
    struct Delivery
    {
        int index;
        Rendered rendered;
    };
    // Renders under way, each of one screenshot in all its languages, which hand what they rendered to the
    // job on the main thread (collect) and to nobody once the job is gone.
    using Renders = model::RenderJobs<Delivery>;

    // Opens the plan's folders, each once, for every file that goes into it.
    void openFolders();
    // Puts what is ready in place, in order, then starts what the limits allow, until neither moves.
    void advance();
    void writeReady();
    // Takes in what the pool has rendered since.
    void collect();
    void finish(std::optional<ActionAlert> alert);

    ExportPlan m_plan;
    QThreadPool& m_pool;
    int m_workerCount;
    // The heaps the renders used, given back when the job ends.
    std::shared_ptr<foundation::ThreadHeapRelease> m_heaps =
        std::make_shared<foundation::ThreadHeapRelease>();
    std::vector<Item> m_items;
    QList<ExportFailure> m_failures;
    int m_started = 0;
    int m_written = 0;
    bool m_finished = false;
    std::optional<ActionAlert> m_alert;
    Renders m_renders;
};

} // namespace pelorama::document
