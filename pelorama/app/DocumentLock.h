#pragma once

#include "foundation/Expected.h"

#include <QString>
#include <memory>

class QLockFile;

namespace pelorama::app {

// Keeps a document that one Pelorama process has open in its windows from being opened by another: each
// would autosave its own changes into the same store, and show what it loaded while the other changed it.
//
// The lock is a file in the user's runtime folder named by a digest of the package's resolved path, so
// that opening writes nothing into the package and every way of naming the package (through a linked
// folder, say) meets the same lock. A lock left behind by a process that died is stale and taken over.
// Held until destroyed.
class DocumentLock
{
public:
    // A lock held by file (none when none could be made); acquire makes them.
    DocumentLock(QString packagePath, std::unique_ptr<QLockFile> file);
    DocumentLock(const DocumentLock&) = delete;
    DocumentLock& operator=(const DocumentLock&) = delete;
    ~DocumentLock();

    // The lock of the package at path, or why it may not be opened: "It is open in another Pelorama
    // window." Where no lock can be made at all (there is no runtime folder), the document is opened
    // unlocked after a warning: refusing every document would be worse.
    static foundation::Expected<std::unique_ptr<DocumentLock>, QString> acquire(const QString& packagePath);

    // The package's resolved path.
    const QString& packagePath() const { return m_packagePath; }
    // The path a lock is keyed by: the package's path with every link resolved.
    static QString resolvedPath(const QString& packagePath);
    // Where the lock of the package at path lies; empty without a runtime folder.
    static QString lockFilePath(const QString& packagePath);

private:
    QString m_packagePath;
    std::unique_ptr<QLockFile> m_file;
};

} // namespace pelorama::app
