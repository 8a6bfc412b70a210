#pragma once

#include "foundation/Expected.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

// How an export puts a file down: written whole to a new hidden file beside its name (stage, which may
// run on any thread), then renamed over the name (StagedFile::putInPlace), so a reader never sees half a
// file and a failed write leaves the old one. Only a regular file is replaced: a symbolic link (to a
// file elsewhere or to nothing), a folder, a pipe or a device of that name is left as it is, and nothing
// outside the directory is written. A replaced file keeps its permissions.
//
// Files go into folders held open (Folder): a folder is opened once, and everything written into it is
// written relative to that handle, so a folder that is moved, or swapped for another folder or for a
// link while an export runs, is never followed: its files are refused, naming it.
namespace pelorama::document::ExportFileWriter {

// A folder files are put into, held open from the moment it was opened or made, shared by all who
// write into it (on any thread). A folder made inside another is opened without following a link, and
// is checked to still stand under its name before each file is put in place.
class Folder
{
public:
    // The folder at path; links on the way are followed, since whoever named it chose it so.
    static foundation::Expected<Folder, QString> open(const QString& path);

    // The folder name inside this one, made unless a folder of that name is there already. Anything
    // else of that name (a symbolic link, also to a folder, a file, a pipe or a device) is left as it is;
    // the error says why no files can go into it.
    foundation::Expected<Folder, QString> makeFolder(const QString& name) const;

    // Why files may no longer be put into the folder: it was made inside another and no longer stands
    // there under its name. None while it does, and always for a folder opened by its path.
    std::optional<QString> displaced() const;

    int descriptor() const;

private:
    struct Handle;
    explicit Folder(std::shared_ptr<const Handle> handle);

    std::shared_ptr<const Handle> m_handle;
};

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
    friend foundation::Expected<StagedFile, QString> stage(const Folder& folder, const QString& name,
                                                           const QByteArray& bytes);
    StagedFile(Folder folder, QByteArray name, QByteArray temporaryName);
    void discard();

    std::optional<Folder> m_folder;
    QByteArray m_name;
    QByteArray m_temporaryName;
};

// Writes bytes whole to a new file in folder, to become the regular file name there. Answers why not
// when something other than a regular file has that name or the file could not be written.
foundation::Expected<StagedFile, QString> stage(const Folder& folder, const QString& name,
                                                const QByteArray& bytes);
// The same for the file at path, its folder opened for it alone.
foundation::Expected<StagedFile, QString> stage(const QString& path, const QByteArray& bytes);

} // namespace pelorama::document::ExportFileWriter
