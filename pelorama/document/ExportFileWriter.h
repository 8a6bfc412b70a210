#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace pelorama::document {

// How an export puts a file down.
namespace ExportFileWriter {

// Makes the regular file at path hold bytes: written whole to a new file beside it, then renamed over
// the name, so a reader never sees half a file and a failed write leaves the old one. Only a regular file
// is replaced: a symbolic link (to a file elsewhere or to nothing), a folder, a pipe or a device of that
// name is left as it is, and nothing outside the directory is written. A replaced file keeps its
// permissions. Answers why the file could not be written, none when it was.
std::optional<QString> write(const QString& path, const QByteArray& bytes);

} // namespace ExportFileWriter

} // namespace pelorama::document
