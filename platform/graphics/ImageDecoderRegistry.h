#pragma once

#include "graphics/ImageDecoder.h"

namespace graphics {

// The process-wide list of image decoders, consulted by Image when it reads data or files. The formats
// Qt reads (PNG, JPEG, GIF, BMP, TIFF, WebP, ...) are always available after the registered decoders.
// Registration and lookup are safe from any thread.
class ImageDecoderRegistry
{
public:
    // The most memory one decoded picture may take: 16384 × 16384 pixels of 8-bit RGBA. From the
    // registry's first use on, Qt's image readers in the process refuse larger pictures (their allocation
    // limit); their own default of 128 MB turned away pictures of 6000 × 6000 pixels.
    static constexpr qint64 maximumDecodedBytes = qint64(1) << 30;

    // Adds a decoder; later registrations are consulted before earlier ones. A decoder whose name is
    // already registered replaces it.
    static void registerDecoder(const ImageDecoder& decoder);
    static bool isRegistered(const QString& name);

    // Decodes data with the first decoder whose content test accepts it; a decoder claiming
    // extensionHint is asked first.
    static std::optional<BitmapImageRep> decode(const QByteArray& data, const QString& extensionHint = {});
    // Whether some decoder's content test accepts data that begins with leadingBytes: a file whose first
    // bytes no decoder recognises need not be read further.
    static bool recognizes(const QByteArray& leadingBytes);
    // Every extension some decoder claims, lower case.
    static QStringList fileExtensions();
};

} // namespace graphics
