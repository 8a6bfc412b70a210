#include "manageddocument/PackageContents.h"

#include "manageddocument/FileSystem.h"

#include <QDir>

namespace manageddocument {

void PackageContents::setFile(const QString& filename, QByteArray contents)
{
    for (auto& file : m_files) {
        if (file.first == filename) {
            file.second = std::move(contents);
            return;
        }
    }
    m_files.append({filename, std::move(contents)});
}

void PackageContents::removeFile(const QString& filename)
{
    m_files.removeIf([&filename](const auto& file) { return file.first == filename; });
}

bool PackageContents::containsFile(const QString& filename) const
{
    return std::any_of(m_files.begin(), m_files.end(),
                       [&filename](const auto& file) { return file.first == filename; });
}

QByteArray PackageContents::file(const QString& filename) const
{
    for (const auto& file : m_files) {
        if (file.first == filename)
            return file.second;
    }
    return {};
}

QStringList PackageContents::filenames() const
{
    QStringList names;
    for (const auto& file : m_files)
        names.append(file.first);
    return names;
}

appkit::DocumentResult<> PackageContents::writeInto(const QString& packagePath) const
{
    for (const auto& [filename, contents] : m_files) {
        if (filename.isEmpty() || filename == "." || filename == ".." || filename.contains('/'))
            return appkit::documentFailure("“" + filename + "” is no file name inside a package.");
    }
    for (const auto& [filename, contents] : m_files) {
        if (appkit::DocumentResult<> written =
                fileSystem::writeFileAtomically(QDir(packagePath).filePath(filename), contents);
            !written)
            return written;
    }
    if (!m_files.isEmpty())
        fileSystem::syncFolder(packagePath);
    return {};
}

} // namespace manageddocument
