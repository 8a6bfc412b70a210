#include "foundation/RegularFile.h"

#include <QFile>
#include <QLocale>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace foundation {
namespace {

Unexpected<RegularFileError> systemFailure(int error)
{
    return Unexpected(RegularFileError::unreadable(error, qt_error_string(error)));
}

Unexpected<RegularFileError> changed()
{
    return Unexpected(
        RegularFileError::unreadable(0, QStringLiteral("The file changed while it was being read.")));
}

QString sizeText(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

// What makes a file no candidate for reading, judged by its status alone.
std::optional<RegularFileError> refusal(const struct stat& status, qint64 maximumSize)
{
    if (S_ISDIR(status.st_mode))
        return RegularFileError::notRegularFile(true, QStringLiteral("It is a folder, not a file."));
    if (!S_ISREG(status.st_mode)) {
        return RegularFileError::notRegularFile(
            false, QStringLiteral("It is not a regular file but a device, pipe or socket."));
    }
    if (status.st_size > maximumSize) {
        return RegularFileError::tooLarge(status.st_size,
                                          QStringLiteral("The file is too large (%1); files of up to %2 "
                                                         "can be opened.")
                                              .arg(sizeText(status.st_size), sizeText(maximumSize)));
    }
    return std::nullopt;
}

// Reads into buffer until it holds count bytes or the file ends; how many it read, or -1 with errno set.
qint64 readInto(int descriptor, char* buffer, qint64 count)
{
    qint64 done = 0;
    while (done < count) {
        const ssize_t read = ::read(descriptor, buffer + done, size_t(count - done));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            return -1;
        if (read == 0)
            break;
        done += read;
    }
    return done;
}

} // namespace

Expected<RegularFile, RegularFileError> RegularFile::open(const QString& path, qint64 maximumSize)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0)
        return systemFailure(errno);
    if (std::optional<RegularFileError> refused = refusal(status, maximumSize))
        return Unexpected(std::move(*refused));

    // Checked again on the open file: the path may name another one by now. A pipe or device put there
    // meanwhile opens without waiting, and is refused.
    RegularFile file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC), 0);
    if (file.m_descriptor < 0)
        return systemFailure(errno);
    if (::fstat(file.m_descriptor, &status) != 0)
        return systemFailure(errno);
    if (std::optional<RegularFileError> refused = refusal(status, maximumSize))
        return Unexpected(std::move(*refused));
    file.m_size = status.st_size;
    return file;
}

Expected<QByteArray, RegularFileError> RegularFile::readAll(const QString& path, qint64 maximumSize)
{
    auto file = open(path, maximumSize);
    if (!file)
        return Unexpected(file.error());
    QByteArray data;
    if (auto read = file->appendRest(data); !read)
        return Unexpected(read.error());
    return data;
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1))
    , m_size(other.m_size)
    , m_offset(other.m_offset)
{}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_size = other.m_size;
        m_offset = other.m_offset;
    }
    return *this;
}

RegularFile::~RegularFile()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

Expected<QByteArray, RegularFileError> RegularFile::readNext(qint64 count)
{
    QByteArray data(std::clamp<qint64>(count, 0, m_size - m_offset), Qt::Uninitialized);
    const qint64 read = readInto(m_descriptor, data.data(), data.size());
    if (read < 0)
        return systemFailure(errno);
    m_offset += read;
    data.truncate(read);
    return data;
}

Expected<void, RegularFileError> RegularFile::appendRest(QByteArray& data)
{
    const qint64 start = data.size();
    const qint64 count = m_size - m_offset;
    // Exactly what the rest takes, and no more: a large file's bytes are often kept as they are.
    data.reserve(start + count);
    data.resize(start + count);
    const qint64 read = readInto(m_descriptor, data.data() + start, count);
    if (read < 0) {
        data.truncate(start);
        return systemFailure(errno);
    }
    m_offset += read;
    data.truncate(start + read);
    char beyond = 0;
    const qint64 further = readInto(m_descriptor, &beyond, 1);
    if (further < 0)
        return systemFailure(errno);
    if (read != count || further != 0)
        return changed();
    return {};
}

} // namespace foundation
