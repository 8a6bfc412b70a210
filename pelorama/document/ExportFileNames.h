#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The files a directory export writes: one per screenshot, named after it.
namespace pelorama::document::ExportFileNames {

// The screenshot's name made a single file name in the chosen directory, with ".png" appended: "/"
// (which would reach into other directories) and NUL (which ends a path) become "-". None for a name that
// names no file of its own there: "", "." and "..".
std::optional<QString> fileName(const QString& screenshotName);

// The file names that occur more than once, each once, in the order they first occur again. With
// Qt::CaseInsensitive, names that differ only in letter case count as one.
QStringList duplicates(const QStringList& fileNames, Qt::CaseSensitivity sensitivity);

// A file name that occurs more than once: as it first occurs again, and the index of every occurrence
// in order.
struct Duplicate
{
    QString fileName;
    QList<qsizetype> occurrences;
};
// The duplicates of fileNames as duplicates() finds them, each with where it occurs; in time that
// follows the count of names.
QList<Duplicate> duplicateOccurrences(const QStringList& fileNames, Qt::CaseSensitivity sensitivity);

// Whether the file system of the directory tells names apart by letter case, found by making a probe
// file there. A directory that cannot be probed counts as case-sensitive (writing there fails anyway).
bool isCaseSensitive(const QString& directory);

} // namespace pelorama::document::ExportFileNames
