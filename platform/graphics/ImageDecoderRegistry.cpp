#include "graphics/ImageDecoderRegistry.h"

#include <QBuffer>
#include <QImageReader>
#include <QMutex>
#include <QMutexLocker>
#include <vector>

namespace graphics {
namespace {

struct Registry
{
    Registry() { QImageReader::setAllocationLimit(int(ImageDecoderRegistry::maximumDecodedBytes >> 20)); }

    QMutex mutex;
    std::vector<ImageDecoder> decoders; // most recent first
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

bool qtCanDecode(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return !QImageReader::imageFormat(&buffer).isEmpty();
}

std::optional<BitmapImageRep> qtDecode(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull()) {
        return std::nullopt;
    }
    return BitmapImageRep(std::move(image));
}

const ImageDecoder& qtDecoder()
{
    static const ImageDecoder decoder = [] {
        QStringList extensions;
        for (const QByteArray& format : QImageReader::supportedImageFormats()) {
            extensions.append(QString::fromLatin1(format).toLower());
        }
        return ImageDecoder{QStringLiteral("qt"), extensions, qtCanDecode, qtDecode};
    }();
    return decoder;
}

std::vector<ImageDecoder> snapshot()
{
    Registry& r = registry();
    QMutexLocker locker(&r.mutex);
    std::vector<ImageDecoder> decoders = r.decoders;
    decoders.push_back(qtDecoder());
    return decoders;
}

} // namespace

void ImageDecoderRegistry::registerDecoder(const ImageDecoder& decoder)
{
    Registry& r = registry();
    QMutexLocker locker(&r.mutex);
    std::erase_if(r.decoders, [&](const ImageDecoder& existing) { return existing.name == decoder.name; });
    r.decoders.insert(r.decoders.begin(), decoder);
}

bool ImageDecoderRegistry::isRegistered(const QString& name)
{
    Registry& r = registry();
    QMutexLocker locker(&r.mutex);
    return std::any_of(r.decoders.begin(), r.decoders.end(),
                       [&](const ImageDecoder& decoder) { return decoder.name == name; });
}

std::optional<BitmapImageRep> ImageDecoderRegistry::decode(const QByteArray& data,
                                                           const QString& extensionHint)
{
    if (data.isEmpty()) {
        return std::nullopt;
    }
    std::vector<ImageDecoder> decoders = snapshot();
    const QString hint = extensionHint.toLower();
    if (!hint.isEmpty()) {
        std::stable_partition(decoders.begin(), decoders.end(), [&](const ImageDecoder& decoder) {
            return decoder.fileExtensions.contains(hint);
        });
    }
    for (const ImageDecoder& decoder : decoders) {
        if (decoder.canDecode && decoder.decode && decoder.canDecode(data)) {
            if (std::optional<BitmapImageRep> rep = decoder.decode(data)) {
                return rep;
            }
        }
    }
    return std::nullopt;
}

bool ImageDecoderRegistry::recognizes(const QByteArray& leadingBytes)
{
    if (leadingBytes.isEmpty()) {
        return false;
    }
    const std::vector<ImageDecoder> decoders = snapshot();
    return std::any_of(decoders.begin(), decoders.end(), [&](const ImageDecoder& decoder) {
        return decoder.canDecode && decoder.canDecode(leadingBytes);
    });
}

QStringList ImageDecoderRegistry::fileExtensions()
{
    QStringList extensions;
    for (const ImageDecoder& decoder : snapshot()) {
        for (const QString& extension : decoder.fileExtensions) {
            if (!extensions.contains(extension)) {
                extensions.append(extension);
            }
        }
    }
    return extensions;
}

} // namespace graphics
