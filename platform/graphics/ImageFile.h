#pragma once

#include "foundation/Expected.h"
#include "graphics/Image.h"
#include "graphics/ImageFileError.h"

#include <QByteArray>
#include <QString>

namespace graphics {

// A picture file read whole: its bytes exactly as they lie on disk, and the picture decoded from them.
// The two share nothing with anyone else, so whoever keeps them keeps the picture's only copies.
class ImageFile
{
public:
    // The largest file read: an uncompressed picture of the most pixels a decoder may make (see
    // ImageDecoderRegistry::maximumDecodedBytes), with room for its headers and metadata.
    static constexpr qint64 maximumFileSize = (qint64(1) << 30) + (qint64(64) << 20);

    // Reads and decodes the file at path. Only regular files are opened, and so that a path swapped
    // meanwhile cannot make it wait on a pipe or device, without blocking; sizes are checked before
    // anything is read or decoded, and a file whose first bytes no decoder recognises is not read
    // further. It may take seconds for a large picture and touches nothing shared: call it off the
    // main thread.
    static foundation::Expected<ImageFile, ImageFileError> read(const QString& path);

    const QByteArray& data() const { return m_data; }
    const Image& image() const { return m_image; }

private:
    ImageFile(QByteArray data, Image image)
        : m_data(std::move(data))
        , m_image(std::move(image))
    {}

    QByteArray m_data;
    Image m_image;
};

} // namespace graphics
