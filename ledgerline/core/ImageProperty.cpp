#include "ledgerline/core/ImageProperty.h"

namespace ledgerline {
namespace {

QVariant imageValue(const std::optional<graphics::Image>& image)
{
    return image ? QVariant::fromValue(*image) : QVariant();
}

} // namespace

ImageProperty::ImageProperty(const std::optional<graphics::Image>& defaultValue)
    : Property(imageValue(defaultValue))
{}

std::optional<graphics::Image> ImageProperty::image() const
{
    const QVariant shown = value();
    if (shown.metaType() != QMetaType::fromType<graphics::Image>()) {
        return std::nullopt;
    }
    return shown.value<graphics::Image>();
}

bool ImageProperty::putImageData(const QByteArray& data)
{
    const std::optional<graphics::Image> image = graphics::Image::fromData(data);
    if (!image || image->isEmpty()) {
        return false;
    }
    putImage(*image, data);
    return true;
}

void ImageProperty::putImage(const graphics::Image& image, const QByteArray& data)
{
    // Observers of the new value may rebuild the inspector and destroy this row, so the handler is taken
    // out first.
    const ImageDataHandler handler = m_imageDataHandler;
    setValue(QVariant::fromValue(image));
    if (handler) {
        handler(data);
    }
}

} // namespace ledgerline
