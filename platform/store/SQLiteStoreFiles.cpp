#include "store/SQLiteStoreFiles.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace store::sqliteFiles {

namespace {

// The magic number that starts a rollback journal and ends the record in which it names a super-journal.
constexpr unsigned char journalMagic[8] = {0xd9, 0xd5, 0x05, 0xf9, 0x20, 0xa1, 0x63, 0xd7};

QString hardLinkProblem(nlink_t links)
{
    return "is a hard link (the file has " + QString::number(links) +
           " names), and saving would change the file under its other names too.";
}

QString kindOf(mode_t mode)
{
    return S_ISLNK(mode)    ? "a link"
           : S_ISDIR(mode)  ? "a folder"
           : S_ISFIFO(mode) ? "a named pipe"
           : S_ISSOCK(mode) ? "a socket"
                            : "a device";
}

// The file that the rollback journal at path names as the super-journal of a transaction over several
// databases, if it names one. Rolling the journal back opens that file, wherever it is, and removes it
// unless a journal it lists names it in turn; a store never takes part in such a transaction.
std::optional<QString> superJournalNamedBy(const QString& path)
{
    QFile journal(path);
    if (!journal.open(QIODevice::ReadOnly) || journal.size() < 16 || !journal.seek(journal.size() - 16))
        return std::nullopt;
    const QByteArray end = journal.read(16);
    if (end.size() != 16 || std::memcmp(end.constData() + 8, journalMagic, sizeof journalMagic) != 0)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const unsigned char*>(end.constData());
    const qint64 length = qint64(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
    if (length == 0 || length > journal.size() - 16 || !journal.seek(journal.size() - 16 - length))
        return std::nullopt;
    return QFile::decodeName(journal.read(length));
}

} // namespace

std::optional<QString> problem(const QString& path, Use use)
{
    const bool writes = use == Use::writing;
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT ? "there is no such file."
                               : "it cannot be examined: " + qt_error_string(errno) + ".";
    if (S_ISDIR(status.st_mode))
        return "it is a folder.";
    if (!S_ISREG(status.st_mode))
        return "it is not a regular file.";
    if (writes && status.st_nlink > 1)
        return "it " + hardLinkProblem(status.st_nlink);
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        const QString companion = path + suffix;
        if (::lstat(QFile::encodeName(companion).constData(), &status) != 0) {
            if (errno == ENOENT)
                continue;
            return companion + " cannot be examined: " + qt_error_string(errno) + ".";
        }
        if (!S_ISREG(status.st_mode))
            return companion + " is " + kindOf(status.st_mode) +
                   ", and only a regular file may lie beside a store.";
        if (writes && status.st_nlink > 1)
            return companion + " " + hardLinkProblem(status.st_nlink);
    }
    if (QFileInfo(path + "-wal").size() > 0)
        return path + "-wal holds changes that another program has not written into the store.";
    if (std::optional<QString> superJournal = superJournalNamedBy(path + "-journal"))
        return path + "-journal names another file, " + *superJournal +
               ", which rolling it back would remove.";
    return std::nullopt;
}

bool hasJournalToRollBack(const QString& path)
{
    // Neither a link nor a pipe is opened for it.
    const int journal = ::open(QFile::encodeName(path + "-journal").constData(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (journal < 0)
        return false;
    char first = 0;
    const bool started = ::read(journal, &first, 1) == 1 && first != 0;
    ::close(journal);
    return started;
}

qsizetype longestPath()
{
    const sqlite3_vfs* system = sqlite3_vfs_find(nullptr);
    return (system ? system->mxPathname : 512) - qsizetype(std::strlen("-journal"));
}

bool readsInLogMode(const QString& path)
{
    QFile file(path);
    const QByteArray header = file.open(QIODevice::ReadOnly) ? file.read(20) : QByteArray();
    const bool logged =
        (header.size() == 20 && (header[18] == 2 || header[19] == 2)) || QFileInfo::exists(path + "-wal");
    return logged && QFileInfo(path + "-journal").size() == 0;
}

} // namespace store::sqliteFiles
