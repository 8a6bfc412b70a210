#pragma once

#include "appkit/core/DocumentError.h"

#include <QString>

namespace manageddocument {

// A new file or folder made beside its destination under a hidden name and then moved onto the
// destination in one step, so that the destination holds either what it held before or the whole new
// item, whenever the process stops. An item that is not committed is removed with its contents.
class StagedPath
{
public:
    enum class Kind
    {
        file,     // the name is reserved; the caller makes the file
        directory // an empty folder is made
    };

    static appkit::DocumentResult<StagedPath> make(const QString& destination, Kind kind);

    StagedPath(StagedPath&& other) noexcept;
    StagedPath& operator=(StagedPath&& other) = delete;
    StagedPath(const StagedPath&) = delete;
    StagedPath& operator=(const StagedPath&) = delete;
    ~StagedPath();

    const QString& path() const { return m_path; }
    const QString& destination() const { return m_destination; }

    // Moves the item onto the destination, replacing what is there (which is then removed).
    appkit::DocumentResult<> commit();
    // Leaves the item where it is, under its hidden name, and answers that name.
    QString keep();

private:
    StagedPath(QString path, QString destination, Kind kind);

    QString m_path;
    QString m_destination;
    Kind m_kind;
    bool m_pending = true;
};

} // namespace manageddocument
