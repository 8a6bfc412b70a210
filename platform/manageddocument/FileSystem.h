#pragma once

#include "appkit/core/DocumentError.h"

#include <QByteArray>
#include <QString>

// The few file operations that packages need beyond QFile and QDir: atomic replacement of files and
// folders, and syncing a folder's entries to disk. Links are never followed: a link inside a package is
// replaced, not written through.
namespace manageddocument::fileSystem {

// A free hidden name beside path: "<folder>/.<name>.<purpose>-<random>".
QString hiddenSibling(const QString& path, const QString& purpose);

// Writes bytes to path through a temporary file in the same folder, synced, then renamed over path:
// path holds either its old contents or all of bytes. A folder at path is replaced by the file, and
// temporary files that interrupted writes of path left behind are removed.
appkit::DocumentResult<> writeFileAtomically(const QString& path, const QByteArray& bytes);

// Moves the file or folder from onto to in one rename, replacing what is at to (removed afterwards).
appkit::DocumentResult<> moveReplacing(const QString& from, const QString& to);

// Removes a file, link or folder with its contents; nothing there is fine.
void removeItem(const QString& path);

// Fails, naming the entry, when the folder at path holds at any depth a symbolic link, through which
// reading or writing the package would reach files outside it, or anything but files and folders: a
// named pipe, socket or device blocks or reaches hardware when it is opened. Links are not followed
// while looking.
appkit::DocumentResult<> refuseLinksAndSpecialFilesInside(const QString& path);

// Makes the folder's entries (new names, renames) durable.
void syncFolder(const QString& path);

// The system's text for the current errno.
QString lastErrorText();

} // namespace manageddocument::fileSystem
