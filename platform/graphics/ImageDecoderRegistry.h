#pragma once

#include "graphics/ImageDecoder.h"

namespace graphics {

// The process-wide list of image decoders, consulted by Image when it reads data or files. The formats
// Qt reads (PNG, JPEG, GIF, BMP, TIFF, WebP, ...) are always available after the registered decoders.
// Registration and lookup are safe from any thread.
class ImageDecoderRegistry
{
public:
    // Adds a decoder; later registrations are consulted before earlier ones. A decoder whose name is
    // already registered replaces it.
    static void registerDecoder(const ImageDecoder& decoder);
    static bool isRegistered(const QString& name);

    // Decodes data with the first decoder whose content test accepts it; a decoder claiming
    // extensionHint is asked first.
    static std::optional<BitmapImageRep> decode(const QByteArray& data, const QString& extensionHint = {});
    // Every extension some decoder claims, lower case.
    static QStringList fileExtensions();
};

} // namespace graphics
