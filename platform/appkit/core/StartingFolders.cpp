#include "appkit/core/StartingFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace appkit::StartingFolders {

namespace {

QString settingKey(const QString& kind)
{
    return QStringLiteral("StartingFolders/") + kind;
}

bool isFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace

QString folderFor(const QString& kind, const QString& documentPath)
{
    if (QString remembered = QSettings().value(settingKey(kind)).toString(); isFolder(remembered))
        return remembered;
    if (QString documentFolder = documentPath.isEmpty() ? QString() : QFileInfo(documentPath).absolutePath();
        isFolder(documentFolder))
        return documentFolder;
    return QDir::homePath();
}

void remember(const QString& kind, const QString& folder)
{
    if (isFolder(folder))
        QSettings().setValue(settingKey(kind), QDir(folder).absolutePath());
}

} // namespace appkit::StartingFolders
