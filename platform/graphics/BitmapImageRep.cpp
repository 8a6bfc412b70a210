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
    : bitmap_(converted(pixels))
    , size_{static_cast<double>(bitmap_.width()), static_cast<double>(bitmap_.height())}
{}

BitmapImageRep::BitmapImageRep(const QImage& pixels, Size size)
    : bitmap_(converted(pixels))
    , size_(size)
{}

QByteArray BitmapImageRep::pngData() const
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (bitmap_.isNull() || !bitmap_.save(&buffer, "PNG")) {
        return {};
    }
    return data;
}

} // namespace graphics
