#include "graphics/BitmapImageRep.h"

#include <QBuffer>

namespace graphics {
namespace {

QImage converted(const QImage& pixels)
{
    return pixels.format() == BitmapImageRep::pixelFormat
               ? pixels
               : pixels.convertToFormat(BitmapImageRep::pixelFormat);
}

} // namespace

BitmapImageRep::BitmapImageRep(const QImage& pixels)
    : m_bitmap(converted(pixels))
    , m_size{static_cast<double>(m_bitmap.width()), static_cast<double>(m_bitmap.height())}
{}

BitmapImageRep::BitmapImageRep(const QImage& pixels, Size size)
    : m_bitmap(converted(pixels))
    , m_size(size)
{}

QByteArray BitmapImageRep::pngData() const
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (m_bitmap.isNull() || !m_bitmap.save(&buffer, "PNG")) {
        return {};
    }
    return data;
}

} // namespace graphics
