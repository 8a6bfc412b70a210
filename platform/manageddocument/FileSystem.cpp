#include "manageddocument/FileSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace manageddocument::fileSystem {

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

bool isRealFolder(const QString& path)
{
    struct stat status;
    return ::lstat(native(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool existsOrIsLink(const QString& path)
{
    struct stat status;
    return ::lstat(native(path).constData(), &status) == 0;
}

bool writeAll(int descriptor, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

} // namespace

appkit::DocumentResult<> refuseLinksAndSpecialFilesInside(const QString& path)
{
    QDirIterator entries(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString entry = entries.next();
        struct stat status;
        if (::lstat(native(entry).constData(), &status) != 0)
            continue; // gone since it was listed
        if (S_ISLNK(status.st_mode))
            return appkit::documentFailure("“" + entry +
                                           "” is a link, and a document package may not hold links.");
        if (S_ISREG(status.st_mode) || S_ISDIR(status.st_mode))
            continue;
        const QString kind = S_ISFIFO(status.st_mode)   ? "a named pipe"
                             : S_ISSOCK(status.st_mode) ? "a socket"
                                                        : "a device";
        return appkit::documentFailure("“" + entry + "” is " + kind +
                                       ", and a document package may hold only files and folders.");
    }
    return {};
}

QString lastErrorText()
{
    return qt_error_string(errno);
}

QString hiddenSibling(const QString& path, const QString& purpose)
{
    const QFileInfo file(path);
    const QString suffix = QString::number(QRandomGenerator::global()->generate(), 16);
    return file.absolutePath() + "/." + file.fileName() + "." + purpose + "-" + suffix;
}

appkit::DocumentResult<> writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    auto failure = [&path](int error) {
        return appkit::documentFailure("The file “" + path +
                                       "” could not be written: " + qt_error_string(error) + ".");
    };
    // What an interrupted write of this file left behind goes first.
    const QFileInfo target(path);
    const QString leftoverPrefix = "." + target.fileName() + ".saving-";
    const QDir folder = target.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.startsWith(leftoverPrefix))
            ::unlink(native(folder.filePath(name)).constData());
    }

    QString temporary;
    int descriptor = -1;
    for (int attempt = 0; attempt < 100 && descriptor < 0; ++attempt) {
        temporary = hiddenSibling(path, "saving");
        descriptor = ::open(native(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno != EEXIST)
            return failure(errno);
    }
    if (descriptor < 0)
        return failure(EEXIST);
    int error = 0;
    if (!writeAll(descriptor, bytes) || ::fsync(descriptor) != 0)
        error = errno;
    if (::close(descriptor) != 0 && error == 0)
        error = errno;
    // The file takes the place of whatever had the name; a folder cannot be renamed over, so it goes
    // first.
    if (error == 0 && isRealFolder(path))
        QDir(path).removeRecursively();
    if (error == 0 && ::rename(native(temporary).constData(), native(path).constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(native(temporary).constData());
        return failure(error);
    }
    return {};
}

appkit::DocumentResult<> moveReplacing(const QString& from, const QString& to)
{
    auto failure = [&] {
        return appkit::documentFailure("“" + from + "” could not be moved to “" + to +
                                       "”: " + lastErrorText() + ".");
    };
    if (!existsOrIsLink(to)) {
        if (::rename(native(from).constData(), native(to).constData()) != 0)
            return failure();
        return {};
    }
    // Swapping the two names is one step; what was at to then sits at from and is removed.
    if (::renameat2(AT_FDCWD, native(from).constData(), AT_FDCWD, native(to).constData(), RENAME_EXCHANGE) ==
        0) {
        removeItem(from);
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return failure();
    // File systems without the swap: the old item steps aside first, and comes back if the new one
    // cannot take its place.
    const QString aside = hiddenSibling(to, "replaced");
    if (::rename(native(to).constData(), native(aside).constData()) != 0)
        return failure();
    if (::rename(native(from).constData(), native(to).constData()) != 0) {
        auto result = failure();
        ::rename(native(aside).constData(), native(to).constData());
        return result;
    }
    removeItem(aside);
    return {};
}

void removeItem(const QString& path)
{
    if (isRealFolder(path))
        QDir(path).removeRecursively();
    else
        ::unlink(native(path).constData());
}

void syncFolder(const QString& path)
{
    const int descriptor = ::open(native(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

} // namespace manageddocument::fileSystem
