#include "document/ExportFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace pelorama::document::ExportFileWriter {

namespace {

QString systemReason(int error)
{
    return qt_error_string(error);
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int descriptor)
        : m_descriptor(descriptor)
    {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }

    int get() const { return m_descriptor; }
    bool isValid() const { return m_descriptor >= 0; }
    int release() { return std::exchange(m_descriptor, -1); }

    // Whether the descriptor closed without an error (a network volume may report a failed write only
    // here).
    bool close()
    {
        if (m_descriptor < 0)
            return true;
        const int result = ::close(m_descriptor);
        m_descriptor = -1;
        return result == 0;
    }

private:
    int m_descriptor;
};

// Why something other than a regular file under that name is not replaced.
QString notAFileReason(mode_t mode)
{
    if (S_ISLNK(mode))
        return QStringLiteral("A symbolic link has this name; it was left as it is.");
    if (S_ISDIR(mode))
        return QStringLiteral("A folder has this name; it was left as it is.");
    return QStringLiteral("A special file (a pipe, socket or device) has this name; it was left as it is.");
}

// What stands under name in the directory: nothing, a regular file (its mode), or the reason it may
// not be replaced.
struct Target
{
    bool exists = false;
    mode_t mode = 0;
    std::optional<QString> refusal;
};

Target inspect(int directory, const char* name)
{
    struct stat status
    {
    };
    if (fstatat(directory, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return {};
        return {false, 0, systemReason(errno)};
    }
    if (!S_ISREG(status.st_mode))
        return {true, status.st_mode, notAFileReason(status.st_mode)};
    return {true, status.st_mode, std::nullopt};
}

bool writeAll(int descriptor, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written =
            ::write(descriptor, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// A new file beside the target (a rename does not cross file systems) under a name that nothing else
// uses; O_EXCL and O_NOFOLLOW make sure it is a new file in this directory. Its descriptor, or -1 with
// errno set.
int createTemporary(int directory, QByteArray& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = ".pelorama-export-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        const int descriptor =
            openat(directory, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
}

} // namespace

StagedFile::StagedFile(int directory, QByteArray name, QByteArray temporaryName)
    : m_directory(directory)
    , m_name(std::move(name))
    , m_temporaryName(std::move(temporaryName))
{}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : m_directory(std::exchange(other.m_directory, -1))
    , m_name(std::move(other.m_name))
    , m_temporaryName(std::move(other.m_temporaryName))
{}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept
{
    if (this != &other) {
        discard();
        m_directory = std::exchange(other.m_directory, -1);
        m_name = std::move(other.m_name);
        m_temporaryName = std::move(other.m_temporaryName);
    }
    return *this;
}

StagedFile::~StagedFile()
{
    discard();
}

void StagedFile::discard()
{
    if (m_directory < 0)
        return;
    unlinkat(m_directory, m_temporaryName.constData(), 0);
    ::close(m_directory);
    m_directory = -1;
}

std::optional<QString> StagedFile::putInPlace()
{
    if (m_directory < 0)
        return systemReason(EBADF);
    // Looked at again just before the rename. Should a link still be put there in between, the rename
    // replaces the link itself, never what it points to: nothing outside the directory is written.
    const Target now = inspect(m_directory, m_name.constData());
    std::optional<QString> refused = now.refusal;
    if (!refused && renameat(m_directory, m_temporaryName.constData(), m_directory, m_name.constData()) != 0)
        refused = systemReason(errno);
    if (!refused) {
        ::close(m_directory);
        m_directory = -1;
    }
    discard();
    return refused;
}

foundation::Expected<StagedFile, QString> stage(const QString& path, const QByteArray& bytes)
{
    using Failure = foundation::Unexpected<QString>;
    const QFileInfo info(path);
    QByteArray name = QFile::encodeName(info.fileName());
    FileDescriptor directory(
        ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!directory.isValid())
        return Failure(systemReason(errno));

    const Target before = inspect(directory.get(), name.constData());
    if (before.refusal)
        return Failure(*before.refusal);

    QByteArray temporaryName;
    FileDescriptor file(createTemporary(directory.get(), temporaryName));
    if (!file.isValid())
        return Failure(systemReason(errno));

    const auto discard = [&](int error) {
        file.close();
        unlinkat(directory.get(), temporaryName.constData(), 0);
        return Failure(systemReason(error));
    };
    if (before.exists && fchmod(file.get(), before.mode & 07777) != 0)
        return discard(errno);
    // A full disk shows itself in the write, at the latest when the data reaches the disk.
    if (!writeAll(file.get(), bytes) || fsync(file.get()) != 0)
        return discard(errno);
    if (!file.close())
        return discard(errno);
    return StagedFile(directory.release(), std::move(name), std::move(temporaryName));
}

std::optional<QString> makeFolder(const QString& directory, const QString& name)
{
    const FileDescriptor parent(
        ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!parent.isValid())
        return systemReason(errno);
    const QByteArray encoded = QFile::encodeName(name);
    if (mkdirat(parent.get(), encoded.constData(), 0777) == 0)
        return std::nullopt;
    if (errno != EEXIST)
        return systemReason(errno);
    struct stat status
    {
    };
    if (fstatat(parent.get(), encoded.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return systemReason(errno);
    if (S_ISDIR(status.st_mode))
        return std::nullopt;
    if (S_ISREG(status.st_mode))
        return QStringLiteral("A file has the folder’s name; it was left as it is.");
    return notAFileReason(status.st_mode);
}

} // namespace pelorama::document::ExportFileWriter
