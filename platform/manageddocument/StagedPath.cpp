#include "manageddocument/StagedPath.h"

#include "manageddocument/FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace manageddocument {

StagedPath::StagedPath(QString path, QString destination, Kind kind)
    : m_path(std::move(path))
    , m_destination(std::move(destination))
    , m_kind(kind)
{}

StagedPath::StagedPath(StagedPath&& other) noexcept
    : m_path(std::move(other.m_path))
    , m_destination(std::move(other.m_destination))
    , m_kind(other.m_kind)
    , m_pending(std::exchange(other.m_pending, false))
{}

StagedPath::~StagedPath()
{
    if (m_pending)
        fileSystem::removeItem(m_path);
}

appkit::DocumentResult<StagedPath> StagedPath::make(const QString& destination, Kind kind)
{
    const QFileInfo target(destination);
    const QString folder = target.absolutePath();
    if (!QFileInfo(folder).isDir())
        return appkit::documentFailure("The folder “" + folder + "” does not exist.");
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = fileSystem::hiddenSibling(target.absoluteFilePath(), "saving");
        if (kind == Kind::file) {
            if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
                return StagedPath(path, target.absoluteFilePath(), kind);
            continue;
        }
        if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0)
            return StagedPath(path, target.absoluteFilePath(), kind);
        if (errno != EEXIST)
            return appkit::documentFailure("A new document could not be made in the folder “" + folder +
                                           "”: " + fileSystem::lastErrorText() + ".");
    }
    return appkit::documentFailure("A new document could not be made in the folder “" + folder + "”.");
}

appkit::DocumentResult<> StagedPath::commit()
{
    if (!m_pending)
        return appkit::documentFailure("“" + m_destination + "” was saved already.");
    if (appkit::DocumentResult<> moved = fileSystem::moveReplacing(m_path, m_destination); !moved)
        return moved;
    m_pending = false;
    fileSystem::syncFolder(QFileInfo(m_destination).absolutePath());
    return {};
}

QString StagedPath::keep()
{
    m_pending = false;
    return m_path;
}

} // namespace manageddocument
