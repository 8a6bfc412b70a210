#include "graphics/ImageFile.h"

#include "foundation/RegularFile.h"
#include "graphics/ImageDecoderRegistry.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QLocale>
#include <cmath>
#include <optional>

namespace graphics {
namespace {

// How much of a file is read before the decoders are asked whether it can be a picture at all.
constexpr qint64 leadingByteCount = 64 * 1024;

foundation::Unexpected<ImageFileError> failure(ImageFileError::Code code, const QString& message)
{
    return foundation::Unexpected(ImageFileError(code, message));
}

QString sizeText(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

foundation::Unexpected<ImageFileError> fileFailure(const foundation::RegularFileError& error)
{
    switch (error.code()) {
    case foundation::RegularFileError::Code::notRegularFile:
        return failure(ImageFileError::Code::notRegularFile, error.message());
    case foundation::RegularFileError::Code::tooLarge:
        return failure(ImageFileError::Code::fileTooLarge,
                       QStringLiteral("The file is too large (%1); pictures of up to %2 can be opened.")
                           .arg(sizeText(error.size()), sizeText(ImageFile::maximumFileSize)));
    case foundation::RegularFileError::Code::unreadable:
        break;
    }
    return failure(ImageFileError::Code::unreadable, error.message());
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
    auto file = foundation::RegularFile::open(path, maximumFileSize);
    if (!file)
        return fileFailure(file.error());
    auto leading = file->readNext(leadingByteCount);
    if (!leading)
        return fileFailure(leading.error());
    if (!ImageDecoderRegistry::recognizes(*leading))
        return failure(ImageFileError::Code::notAnImage, QStringLiteral("The image could not be decoded."));
    // The bytes become the asset as they are.
    QByteArray data = std::move(*leading);
    if (auto rest = file->appendRest(data); !rest)
        return fileFailure(rest.error());

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
