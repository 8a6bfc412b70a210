#pragma once

#include "foundation/Expected.h"

#include <QByteArray>
#include <QString>
#include <optional>

// How an export puts a file down: written whole to a new hidden file beside its name (stage, which may
// run on any thread), then renamed over the name (StagedFile::putInPlace), so a reader never sees half a
// file and a failed write leaves the old one. Only a regular file is replaced: a symbolic link (to a
// file elsewhere or to nothing), a folder, a pipe or a device of that name is left as it is, and nothing
// outside the directory is written. A replaced file keeps its permissions.
namespace pelorama::document::ExportFileWriter {

// A file written whole and waiting beside its name. Let go of before it was put in place, it is removed.
class StagedFile
{
public:
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile();

    // Renames the file over its name, unless something other than a regular file has come to stand
    // there meanwhile. Answers why the file could not be put in place, none when it was.
    std::optional<QString> putInPlace();

private:
    friend foundation::Expected<StagedFile, QString> stage(const QString& path, const QByteArray& bytes);
    StagedFile(int directory, QByteArray name, QByteArray temporaryName);
    void discard();

    int m_directory = -1;
    QByteArray m_name;
    QByteArray m_temporaryName;
};

// Writes bytes whole to a new file beside path, to become the regular file at path. Answers why not
// when something other than a regular file has that name or the file could not be written.
foundation::Expected<StagedFile, QString> stage(const QString& path, const QByteArray& bytes);

// Makes the folder name inside directory for files to be written into, unless a folder of that name is
// there already. Anything else of that name (a symbolic link, also to a folder, a file, a pipe or a
// device) is left as it is. Answers why no files can go into the folder, none when they can.
std::optional<QString> makeFolder(const QString& directory, const QString& name);

} // namespace pelorama::document::ExportFileWriter
