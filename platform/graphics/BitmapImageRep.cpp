#include "graphics/BitmapImageRep.h"

#include "graphics/PngWriter.h"

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

BitmapImageRep::BitmapImageRep(QImage&& pixels)
    : m_bitmap(std::move(pixels))
{
    m_bitmap.convertTo(pixelFormat);
    m_size = {static_cast<double>(m_bitmap.width()), static_cast<double>(m_bitmap.height())};
}

BitmapImageRep::BitmapImageRep(const QImage& pixels, Size size)
    : m_bitmap(converted(pixels))
    , m_size(size)
{}

QByteArray BitmapImageRep::pngData() const
{
    return PngWriter::encode(m_bitmap);
}

} // namespace graphics
