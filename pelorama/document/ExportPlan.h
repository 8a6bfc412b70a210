#pragma once

#include "document/ActionAlert.h"
#include "document/ExportFailure.h"
#include "store/StoreForward.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <vector>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {

// What an export writes, settled and checked before the first file: each screenshot with the file it
// becomes and the language its captions are drawn in, the language folders, and why the export may not
// go ahead, if it may not. The window and the command line make one; ExportJob carries it out and
// checks nothing again.
//
// Into a directory, every screenshot makes a file named after it (ExportFileNames); a document with
// several languages makes one in each, in a folder named by the language's code, a screenshot in one
// language after another so that what its languages share is drawn and compressed once.
struct ExportPlan
{
    struct Item
    {
        QPointer<model::Screenshot> screenshot;
        // The screenshot's name, to say which one failed when it makes no file.
        QString name;
        // The file's name inside the directory ("de-DE/Home.png"), none when the screenshot's name makes
        // none.
        std::optional<QString> fileName;
        // The language folder it goes into, empty for the directory itself, and its name there.
        QString folder;
        QString leafName;
        // The language its captions are drawn in: a code of the document's languages, empty for the base
        // language.
        QString language;
    };

    // Where the files go: the chosen directory, or the folder of the one file a user named.
    QString directory;
    // The folders made inside the directory, one per language written; none when the files go straight
    // into it.
    QStringList languageFolders;
    std::vector<Item> items;
    // One screenshot to a file the user named, whatever the screenshot's name.
    bool toNamedFile = false;
    // Why nothing may be written; an export refused writes nothing and ends with this alert.
    std::optional<ActionAlert> refusal;

    // Every screenshot of context, in the order a fetch gives them, into directory, in each of the
    // document's languages when it has several. Refused ("Error") when the screenshots cannot be
    // fetched, ("Please select a directory") when directory is no existing directory, and ("Duplicate
    // names") when two screenshots would be written to one file there, names its file system does not
    // tell apart by letter case included.
    static ExportPlan ofDocument(store::ManagedObjectContext& context, const QString& directory);
    // Only screenshots, in that order, into directory, once in each of languages (codes of their
    // document's languages), or straight into it when there are none. Unchecked: whoever chose them has
    // checked the directory and the names already.
    static ExportPlan ofScreenshots(const QList<model::Screenshot*>& screenshots, const QString& directory,
                                    const QStringList& languages);
    // One screenshot to the file at path, whatever its name, with its captions in language.
    static ExportPlan ofScreenshot(model::Screenshot& screenshot, const QString& path,
                                   const QString& language = {});

    // How many files each screenshot makes: one per language folder, at least one.
    int filesPerScreenshot() const { return std::max(int(languageFolders.size()), 1); }

    // Before the directory is chosen: whether two screenshots of context would be written to one file.
    // The alert "Error" when the screenshots cannot be fetched, "Duplicate names" when two file names are
    // equal, none when the export may go ahead.
    static std::optional<ActionAlert> checkNames(store::ManagedObjectContext& context);
    // What a chosen place that is no existing directory is refused with.
    static ActionAlert noDirectory();
    // Whether directory is no existing directory, which no export writes into; the line that says so for
    // the command line when it is not.
    static std::optional<QString> directoryRefusal(const QString& directory);
    // Whether the file system of directory tells file names apart by letter case.
    static Qt::CaseSensitivity nameSensitivity(const QString& directory);
    // The file inside the directory each screenshot of names is written to, all of them in each of
    // languages' folders in turn, or straight in the directory when there are none. A name that makes no
    // file stands for itself, so that two such names still meet.
    static QStringList fileNamesOf(const QStringList& names, const QStringList& languages);
    // One line, for the command line, on the file name more than one screenshot of documents (each named
    // once, in order) would be written to.
    static QString duplicateNamesLine(const QString& fileName, const QStringList& documents);
    // The one alert that names every file an export could not write.
    static ActionAlert failureAlert(const QList<ExportFailure>& failures);
};

} // namespace pelorama::document
