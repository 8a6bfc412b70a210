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

// Why a folder of that name cannot take files, for what stands there instead.
QString notAFolderReason(mode_t mode)
{
    if (S_ISREG(mode))
        return QStringLiteral("A file has the folder’s name; it was left as it is.");
    return notAFileReason(mode);
}

} // namespace

struct Folder::Handle
{
    Handle(int descriptor, std::shared_ptr<const Handle> parent, QByteArray name)
        : descriptor(descriptor)
        , parent(std::move(parent))
        , name(std::move(name))
    {
        struct stat status
        {
        };
        if (fstat(descriptor, &status) == 0) {
            device = status.st_dev;
            inode = status.st_ino;
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { ::close(descriptor); }

    int descriptor;
    // The folder it was opened in by name, none for one opened by its path.
    std::shared_ptr<const Handle> parent;
    QByteArray name;
    dev_t device = 0;
    ino_t inode = 0;
};

Folder::Folder(std::shared_ptr<const Handle> handle)
    : m_handle(std::move(handle))
{}

foundation::Expected<Folder, QString> Folder::open(const QString& path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return foundation::Unexpected(systemReason(errno));
    return Folder(std::make_shared<const Handle>(descriptor, nullptr, QByteArray()));
}

foundation::Expected<Folder, QString> Folder::makeFolder(const QString& name) const
{
    using Failure = foundation::Unexpected<QString>;
    const QByteArray encoded = QFile::encodeName(name);
    if (mkdirat(m_handle->descriptor, encoded.constData(), 0777) != 0 && errno != EEXIST)
        return Failure(systemReason(errno));
    // Whatever stands there now, made here or not: a link is not followed, anything but a folder fails.
    const int descriptor =
        openat(m_handle->descriptor, encoded.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        struct stat status
        {
        };
        if (fstatat(m_handle->descriptor, encoded.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            !S_ISDIR(status.st_mode))
            return Failure(notAFolderReason(status.st_mode));
        return Failure(systemReason(error));
    }
    return Folder(std::make_shared<const Handle>(descriptor, m_handle, encoded));
}

std::optional<QString> Folder::displaced() const
{
    if (!m_handle->parent)
        return std::nullopt;
    struct stat status
    {
    };
    if (fstatat(m_handle->parent->descriptor, m_handle->name.constData(), &status, AT_SYMLINK_NOFOLLOW) ==
            0 &&
        S_ISDIR(status.st_mode) && status.st_dev == m_handle->device && status.st_ino == m_handle->inode)
        return std::nullopt;
    return QStringLiteral("The folder “%1” was moved or replaced while the export ran; nothing was put "
                          "into what stands there now.")
        .arg(QFile::decodeName(m_handle->name));
}

int Folder::descriptor() const
{
    return m_handle->descriptor;
}

StagedFile::StagedFile(Folder folder, QByteArray name, QByteArray temporaryName)
    : m_folder(std::move(folder))
    , m_name(std::move(name))
    , m_temporaryName(std::move(temporaryName))
{}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : m_folder(std::exchange(other.m_folder, std::nullopt))
    , m_name(std::move(other.m_name))
    , m_temporaryName(std::move(other.m_temporaryName))
{}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept
{
    if (this != &other) {
        discard();
        m_folder = std::exchange(other.m_folder, std::nullopt);
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
    if (!m_folder)
        return;
    // Relative to the folder's handle: the staged file goes wherever the folder has been moved to.
    unlinkat(m_folder->descriptor(), m_temporaryName.constData(), 0);
    m_folder.reset();
}

std::optional<QString> StagedFile::putInPlace()
{
    if (!m_folder)
        return systemReason(EBADF);
    // Looked at again just before the rename. Should a link still be put there in between, the rename
    // replaces the link itself, never what it points to: nothing outside the directory is written.
    std::optional<QString> refused = m_folder->displaced();
    if (!refused)
        refused = inspect(m_folder->descriptor(), m_name.constData()).refusal;
    if (!refused && renameat(m_folder->descriptor(), m_temporaryName.constData(), m_folder->descriptor(),
                             m_name.constData()) != 0)
        refused = systemReason(errno);
    if (!refused)
        m_folder.reset();
    discard();
    return refused;
}

foundation::Expected<StagedFile, QString> stage(const Folder& folder, const QString& name,
                                                const QByteArray& bytes)
{
    using Failure = foundation::Unexpected<QString>;
    QByteArray encoded = QFile::encodeName(name);
    const int directory = folder.descriptor();
    const Target before = inspect(directory, encoded.constData());
    if (before.refusal)
        return Failure(*before.refusal);

    QByteArray temporaryName;
    FileDescriptor file(createTemporary(directory, temporaryName));
    if (!file.isValid())
        return Failure(systemReason(errno));

    const auto discard = [&](int error) {
        file.close();
        unlinkat(directory, temporaryName.constData(), 0);
        return Failure(systemReason(error));
    };
    if (before.exists && fchmod(file.get(), before.mode & 07777) != 0)
        return discard(errno);
    // A full disk shows itself in the write, at the latest when the data reaches the disk.
    if (!writeAll(file.get(), bytes) || fsync(file.get()) != 0)
        return discard(errno);
    if (!file.close())
        return discard(errno);
    return StagedFile(folder, std::move(encoded), std::move(temporaryName));
}

foundation::Expected<StagedFile, QString> stage(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    const auto folder = Folder::open(info.absolutePath());
    if (!folder)
        return foundation::Unexpected(folder.error());
    return stage(*folder, info.fileName(), bytes);
}

} // namespace pelorama::document::ExportFileWriter
