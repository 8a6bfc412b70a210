#pragma once

#include "document/ActionAlert.h"
#include "document/ExportFailure.h"
#include "document/ExportFileWriter.h"
#include "model/rendering/PoolMailbox.h"
#include "model/rendering/RenderPool.h"
#include "store/StoreForward.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QThreadPool;

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {

// The export of screenshots as PNG files at their full size, while the main thread goes on with its
// events: every screenshot of a document into a directory, some of them, or one to a file the user named.
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
    // Every screenshot of context, in the order a fetch gives them, into directory; one file each, named
    // after the screenshot.
    ExportJob(store::ManagedObjectContext& context, QString directory,
              QThreadPool& pool = model::renderPool(), QObject* parent = nullptr);
    // Only screenshots, in that order, into directory.
    ExportJob(QList<model::Screenshot*> screenshots, QString directory,
              QThreadPool& pool = model::renderPool(), QObject* parent = nullptr);
    // One screenshot to the file at path, whatever its name.
    ExportJob(model::Screenshot& screenshot, QString path, QThreadPool& pool = model::renderPool(),
              QObject* parent = nullptr);
    ~ExportJob() override;

    // How many screenshots are rendered at once, at least 1; as many as the pool has threads unless set.
    int workerCount() const { return m_workerCount; }
    void setWorkerCount(int count);

    // Into a directory: the screenshots once for each of languages (codes of the document's languages),
    // each time into a folder named by the code inside the directory, made when missing, under their
    // usual names; a link, file, pipe or device of a folder's name is left as it is and every file that
    // was to go there fails. Unless set, a document with several languages is written so in all of them,
    // and one with a single language straight into the directory. Before start.
    void setLanguageFolders(const QStringList& languages) { m_languageFolders = languages; }
    // Without folders (one screenshot to a file, or a document of one language): the language the
    // captions are drawn in; empty, the default, for the base language. Before start.
    void setLanguage(const QString& language) { m_language = language; }

    // Into a directory: checks that it is one ("Please select a directory") and that no two screenshots
    // would be written to one file there ("Duplicate names"), then starts. Returns at once; finished()
    // follows from the event loop, also when there was nothing to do.
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
    struct Item
    {
        QPointer<model::Screenshot> screenshot;
        QString name;
        // The file's name (inside its language's folder), none when the screenshot's name makes none, and
        // where it goes.
        std::optional<QString> fileName;
        // The folder it goes into, opened once for the job, and its name there.
        std::optional<ExportFileWriter::Folder> folder;
        QString leafName;
        // The language its captions are drawn in.
        QString language;
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
    // What the pool rendered for an item, and whether it was the last of its screenshot's languages.
    struct Delivery
    {
        int index;
        Rendered rendered;
        bool endsRender;
    };
    // What the pool rendered, handed to the job on the main thread (collect) and to nobody once the job
    // is gone.
    using Results = model::PoolMailbox<Delivery>;

    ExportJob(QThreadPool& pool, QObject* parent);
    // The items of a directory export, or the alert that stops it before anything is written.
    std::optional<ActionAlert> planDirectoryExport();
    // Puts what is ready in place, in order, then starts what the limits allow, until neither moves.
    void advance();
    void writeReady();
    // Takes in what the pool has rendered since.
    void collect();
    void finish(std::optional<ActionAlert> alert);

    store::ManagedObjectContext* m_context = nullptr;
    // The chosen screenshots of a directory export; all of the context's when none were chosen.
    std::optional<QList<QPointer<model::Screenshot>>> m_chosen;
    // Where the files go: a directory, or the file of a single screenshot.
    QString m_directory;
    std::optional<QString> m_singleFilePath;
    std::optional<QStringList> m_languageFolders;
    QString m_language;
    QThreadPool& m_pool;
    int m_workerCount;
    std::shared_ptr<Results> m_results;
    std::vector<Item> m_items;
    QList<ExportFailure> m_failures;
    // How many items each screenshot has, one per language written.
    int m_languageCount = 1;
    int m_started = 0;
    int m_written = 0;
    // Renders under way, each of one screenshot in all its languages.
    int m_running = 0;
    bool m_finished = false;
    std::optional<ActionAlert> m_alert;
};

} // namespace pelorama::document
