#include "app/DocumentLock.h"

#include "foundation/Diagnostics.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace pelorama::app {

DocumentLock::DocumentLock(QString packagePath, std::unique_ptr<QLockFile> file)
    : m_packagePath(std::move(packagePath))
    , m_file(std::move(file))
{}

DocumentLock::~DocumentLock() = default;

QString DocumentLock::resolvedPath(const QString& packagePath)
{
    const QFileInfo package(packagePath);
    const QString canonical = package.canonicalFilePath();
    return canonical.isEmpty() ? package.absoluteFilePath() : canonical;
}

QString DocumentLock::lockFilePath(const QString& packagePath)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return {};
    const QByteArray digest =
        QCryptographicHash::hash(resolvedPath(packagePath).toUtf8(), QCryptographicHash::Sha256).toHex();
    return QDir(folder).filePath(
        QStringLiteral("pelorama-document-%1.lock").arg(QString::fromLatin1(digest)));
}

foundation::Expected<std::unique_ptr<DocumentLock>, QString> DocumentLock::acquire(const QString& packagePath)
{
    const QString path = lockFilePath(packagePath);
    if (path.isEmpty()) {
        foundation::warning(QStringLiteral("no runtime folder to lock “%1” in; another Pelorama window may "
                                           "open it too")
                                .arg(packagePath));
        return std::make_unique<DocumentLock>(resolvedPath(packagePath), nullptr);
    }
    auto file = std::make_unique<QLockFile>(path);
    // Only a process that died leaves a stale lock; a document stays open for days.
    file->setStaleLockTime(0);
    if (file->tryLock(0))
        return std::make_unique<DocumentLock>(resolvedPath(packagePath), std::move(file));
    if (file->error() == QLockFile::LockFailedError)
        return foundation::Unexpected(QStringLiteral("It is open in another Pelorama window."));
    foundation::warning(
        QStringLiteral("the lock of “%1” could not be made at %2; another Pelorama window may "
                       "open it too")
            .arg(packagePath, path));
    return std::make_unique<DocumentLock>(resolvedPath(packagePath), nullptr);
}

} // namespace pelorama::app
