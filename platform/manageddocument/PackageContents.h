#pragma once

#include "appkit/core/DocumentError.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace manageddocument {

// Files to put into a package beside its store, by name, in memory until writeInto. Each file then
// replaces the package's file of its name on its own, through a temporary file in the package and a
// rename, so a reader or a crash finds each file either old and whole or new and whole.
class PackageContents
{
public:
    // Sets the file's bytes; a file of that name set before is replaced and keeps its place.
    void setFile(const QString& filename, QByteArray contents);
    void removeFile(const QString& filename);
    bool containsFile(const QString& filename) const;
    QByteArray file(const QString& filename) const;
    QStringList filenames() const;
    bool isEmpty() const { return m_files.isEmpty(); }

    // Writes every file into the package folder, in order; stops at the first failure. A file name
    // must be a plain name inside the package.
    appkit::DocumentResult<> writeInto(const QString& packagePath) const;

private:
    QList<std::pair<QString, QByteArray>> m_files;
};

} // namespace manageddocument
