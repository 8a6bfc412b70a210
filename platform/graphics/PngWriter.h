#pragma once

#include "foundation/Expected.h"
#include "graphics/PngStrips.h"
#include "graphics/PngWriteError.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace graphics {

// Encodes images as PNG on every core: horizontal strips of rows are filtered and deflated in parallel into
// one zlib stream. Pixels are stored as 8-bit RGBA with straight alpha (premultiplied images are
// un-premultiplied to the nearest level), or as 8-bit RGB when every pixel is opaque.
class PngWriter
{
public:
    // The PNG bytes of image; empty for a null image or when memory runs out.
    static QByteArray encode(const QImage& image);
    // The same bytes, taking over from kept the strips whose rows image shares with the image kept there
    // (see PngStrips); kept then holds image's. Images of another size or format share none.
    static QByteArray encode(const QImage& image, PngStrips& kept);
    // Writes the PNG of image to path. The file is replaced only once the whole image is written.
    static foundation::Expected<void, PngWriteError> write(const QImage& image, const QString& path);
};

} // namespace graphics
