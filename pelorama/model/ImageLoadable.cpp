#include "model/ImageLoadable.h"

#include "model/Entity.h"

namespace pelorama::model {

namespace {
const QString imageKey = QStringLiteral("image");
const QString assetIdentifierKey = QStringLiteral("assetIdentifier");
} // namespace

ImageLoadable::ImageLoadable(Entity& entity)
    : m_entity(entity)
{}

std::optional<graphics::Image> ImageLoadable::image() const
{
    const QVariant value = m_entity.attributeValue(imageKey);
    if (value.metaType() != QMetaType::fromType<graphics::Image>())
        return std::nullopt;
    return value.value<graphics::Image>();
}

void ImageLoadable::setImage(const std::optional<graphics::Image>& image)
{
    m_entity.setAttributeValue(image ? QVariant::fromValue(*image) : QVariant(), imageKey);
}

std::optional<QString> ImageLoadable::assetIdentifier() const
{
    return m_entity.typedPrimitiveValue<QString>(assetIdentifierKey);
}

void ImageLoadable::setAssetIdentifier(const std::optional<QString>& identifier)
{
    m_entity.setAttributeValue(identifier ? QVariant(*identifier) : QVariant(), assetIdentifierKey);
}

} // namespace pelorama::model
