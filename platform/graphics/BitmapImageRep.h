#pragma once

#include "graphics/Size.h"

#include <QByteArray>
#include <QImage>

namespace graphics {

// One bitmap of an Image: 8-bit RGBA pixels with premultiplied alpha, alpha last, the top row first in
// memory, and the size in points the pixels cover (by default one point per pixel).
class BitmapImageRep
{
public:
    static constexpr QImage::Format pixelFormat = QImage::Format_RGBA8888_Premultiplied;

    // Takes the pixels, converted to the pixel format when needed; size = the pixel size.
    explicit BitmapImageRep(const QImage& pixels);
    // The same, converting in place where the format allows, so that a large picture is never held twice.
    explicit BitmapImageRep(QImage&& pixels);
    BitmapImageRep(const QImage& pixels, Size size);

    int pixelsWide() const { return m_bitmap.width(); }
    int pixelsHigh() const { return m_bitmap.height(); }
    int bitsPerPixel() const { return m_bitmap.depth(); }
    qsizetype bytesPerRow() const { return m_bitmap.bytesPerLine(); }
    qsizetype bytesPerPlane() const { return m_bitmap.sizeInBytes(); }
    Size size() const { return m_size; }
    void setSize(Size size) { m_size = size; }
    const QImage& bitmap() const { return m_bitmap; }
    // The rep's PNG encoding; empty when it cannot be encoded.
    QByteArray pngData() const;

    friend bool operator==(const BitmapImageRep&, const BitmapImageRep&) = default;

private:
    QImage m_bitmap;
    Size m_size;
};

} // namespace graphics
