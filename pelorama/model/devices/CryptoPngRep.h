#pragma once

#include "graphics/BitmapImageRep.h"
#include "graphics/ImageDecoder.h"
#include "graphics/Size.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace pelorama::model {

// Reads the device-frame pictures, which the application carries as PNG files sealed in the framework's
// encrypted container (extension "ccc"). Registered with the image decoder registry, it lets the named
// image lookup and every other image loader read them like plain pictures.
class CryptoPngRep
{
public:
    // The container's first four bytes 3A 2D 29 00, read little-endian.
    static constexpr quint32 magic() { return 0x00292D3A; }

    // At least four bytes that begin with the magic.
    static bool canInitWithData(const QByteArray& data);
    static QStringList imageUnfilteredTypes();     // "public.ccc"
    static QStringList imageUnfilteredFileTypes(); // "ccc"

    // Opens the container with the frame passphrase and decodes the picture inside. No value for data
    // without the magic (nothing is decrypted then), a container sealed under another passphrase, a damaged
    // or truncated one, or contents that are no picture. Safe from any thread.
    static std::optional<graphics::BitmapImageRep> fromData(const QByteArray& data);
    static std::optional<graphics::BitmapImageRep> fromData(const QByteArray& data,
                                                            const QString& passphrase);

    // The passphrase of the frame containers, rebuilt on every call from the scrambled text the program
    // stores; the passphrase itself is stored nowhere.
    static QString passphrase();

    // The decoder for the registry, named "ccc".
    static graphics::ImageDecoder decoder();
    // Adds the decoder to the process-wide registry; only the first call of the process does anything.
    static void registerDecoder();
};

} // namespace pelorama::model
