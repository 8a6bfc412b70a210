#include "graphics/ImageFile.h"

#include "graphics/ImageDecoderRegistry.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace graphics {
namespace {

// How much of a file is read before the decoders are asked whether it can be a picture at all.
constexpr qint64 leadingByteCount = 64 * 1024;

foundation::Unexpected<ImageFileError> failure(ImageFileError::Code code, const QString& message)
{
    return foundation::Unexpected(ImageFileError(code, message));
}

foundation::Unexpected<ImageFileError> systemFailure(int error)
{
    return failure(ImageFileError::Code::unreadable, qt_error_string(error));
}

QString sizeText(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

// What makes a file no candidate for reading, judged by its status alone.
std::optional<ImageFileError> refusal(const struct stat& status)
{
    if (S_ISDIR(status.st_mode))
        return ImageFileError(ImageFileError::Code::notRegularFile,
                              QStringLiteral("It is a folder, not a file."));
    if (!S_ISREG(status.st_mode)) {
        return ImageFileError(ImageFileError::Code::notRegularFile,
                              QStringLiteral("It is not a regular file but a device, pipe or socket."));
    }
    if (status.st_size > ImageFile::maximumFileSize) {
        return ImageFileError(
            ImageFileError::Code::fileTooLarge,
            QStringLiteral("The file is too large (%1); pictures of up to %2 can be opened.")
                .arg(sizeText(status.st_size), sizeText(ImageFile::maximumFileSize)));
    }
    return std::nullopt;
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int descriptor)
        : m_descriptor(descriptor)
    {}
    ~FileDescriptor()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_descriptor; }

private:
    int m_descriptor;
};

// Reads into buffer from offset on until offset reaches end or the file ends; the new offset, or -1 with
// errno set.
qint64 readInto(int descriptor, char* buffer, qint64 offset, qint64 end)
{
    while (offset < end) {
        const ssize_t count = ::read(descriptor, buffer + offset, size_t(end - offset));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return -1;
        if (count == 0)
            break;
        offset += count;
    }
    return offset;
}

// The refusal of a picture whose pixels would take more memory than a decoder may use, judged from its
// header; none when it fits or the header does not tell.
std::optional<ImageFileError> pixelRefusal(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return std::nullopt;
    // Pictures of fewer bits per pixel become 32-bit RGBA once decoded.
    const qint64 bytesPerPixel =
        std::max<qint64>(4, QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel() / 8);
    if (qint64(size.width()) * size.height() * bytesPerPixel <= ImageDecoderRegistry::maximumDecodedBytes)
        return std::nullopt;
    const int side =
        int(std::sqrt(double(ImageDecoderRegistry::maximumDecodedBytes) / double(bytesPerPixel)));
    const QString limit =
        bytesPerPixel > 4
            ? QStringLiteral("pictures of this colour depth can be opened up to %1 × %1 pixels.").arg(side)
            : QStringLiteral("pictures of up to %1 × %1 pixels can be opened.").arg(side);
    return ImageFileError(
        ImageFileError::Code::imageTooLarge,
        QStringLiteral("The picture is too large (%1 × %2 pixels); ").arg(size.width()).arg(size.height()) +
            limit);
}

} // namespace

foundation::Expected<ImageFile, ImageFileError> ImageFile::read(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::stat(name.constData(), &status) != 0)
        return systemFailure(errno);
    if (std::optional<ImageFileError> refused = refusal(status))
        return foundation::Unexpected(*refused);

    // Checked again on the open file: the path may name another one by now. A pipe or device put there
    // meanwhile opens without waiting, and is refused.
    const FileDescriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        return systemFailure(errno);
    if (::fstat(file.get(), &status) != 0)
        return systemFailure(errno);
    if (std::optional<ImageFileError> refused = refusal(status))
        return foundation::Unexpected(*refused);

    const qint64 size = status.st_size;
    QByteArray leadingBytes(std::min(size, leadingByteCount), Qt::Uninitialized);
    const qint64 leading = readInto(file.get(), leadingBytes.data(), 0, leadingBytes.size());
    if (leading < 0)
        return systemFailure(errno);
    leadingBytes.truncate(leading);
    if (!ImageDecoderRegistry::recognizes(leadingBytes))
        return failure(ImageFileError::Code::notAnImage, QStringLiteral("The image could not be decoded."));
    // Exactly the file's size: the bytes become the asset as they are.
    QByteArray data(size, Qt::Uninitialized);
    std::memcpy(data.data(), leadingBytes.constData(), size_t(leading));
    const qint64 read = readInto(file.get(), data.data(), leading, size);
    if (read < 0)
        return systemFailure(errno);
    char beyond = 0;
    if (read != size || readInto(file.get(), &beyond, 0, 1) != 0) {
        return failure(ImageFileError::Code::unreadable,
                       QStringLiteral("The file changed while it was being read."));
    }

    if (std::optional<ImageFileError> refused = pixelRefusal(data))
        return foundation::Unexpected(*refused);
    std::optional<BitmapImageRep> rep = ImageDecoderRegistry::decode(data, QFileInfo(path).suffix());
    if (!rep)
        return failure(ImageFileError::Code::notAnImage, QStringLiteral("The image could not be decoded."));
    Image image(rep->size());
    image.addRepresentation(*rep);
    return ImageFile(std::move(data), std::move(image));
}

} // namespace graphics
