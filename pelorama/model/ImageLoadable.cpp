#include "model/ImageLoadable.h"

#include "foundation/Diagnostics.h"
#include "model/Asset.h"
#include "model/Entity.h"
#include "store/FetchRequest.h"
#include "store/ManagedObjectContext.h"

namespace pelorama::model {

namespace {
const QString imageKey = QStringLiteral("image");
const QString assetIdentifierKey = QStringLiteral("assetIdentifier");

store::FetchRequest assetsNamed(const QString& identifier)
{
    store::FetchRequest request = Asset::fetchRequest();
    request.predicate = store::Predicate::equal(QStringLiteral("uniqueIdentifier"), identifier);
    return request;
}

// Whether an image or device image other than entity names the asset; unsaved changes count. When the
// context cannot tell, the asset counts as shared: keeping an unused asset is better than losing a picture.
bool isNamedByAnother(const Entity& entity, store::ManagedObjectContext& context, const QString& identifier)
{
    for (const QString& entityName : {QStringLiteral("Image"), QStringLiteral("DeviceImage")}) {
        store::FetchRequest request(entityName, store::Predicate::equal(assetIdentifierKey, identifier));
        const store::Result<QList<store::ManagedObject*>> found = context.execute(request);
        if (!found)
            return true;
        for (const store::ManagedObject* object : *found) {
            if (object != &entity)
                return true;
        }
    }
    return false;
}

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

void ImageLoadable::loadImageFromAsset()
{
    const std::optional<QString> identifier = assetIdentifier();
    store::ManagedObjectContext* context = m_entity.managedObjectContext();
    if (!identifier || !context)
        return;
    const store::Result<QList<store::ManagedObject*>> found = context->execute(assetsNamed(*identifier));
    if (!found) {
        foundation::warning(QStringLiteral("could not load asset! ") + found.error().message());
        setImage(std::nullopt);
        return;
    }
    const Asset* asset = found->isEmpty() ? nullptr : dynamic_cast<const Asset*>(found->front());
    if (!asset) {
        foundation::warning(QStringLiteral("could not find asset!"));
        setImage(std::nullopt);
        return;
    }
    setImage(graphics::Image::fromData(asset->data()));
}

void ImageLoadable::storeImageData(const QByteArray& data)
{
    deleteAsset();
    store::ManagedObjectContext* context = m_entity.managedObjectContext();
    if (!context)
        return;
    setAssetIdentifier(Asset::insertInto(*context, data)->uniqueIdentifier());
}

void ImageLoadable::deleteAsset()
{
    const std::optional<QString> identifier = assetIdentifier();
    store::ManagedObjectContext* context = m_entity.managedObjectContext();
    if (!identifier || !context)
        return;
    if (!isNamedByAnother(m_entity, *context, *identifier)) {
        const store::Result<QList<store::ManagedObject*>> found = context->execute(assetsNamed(*identifier));
        if (found) {
            for (store::ManagedObject* asset : *found)
                context->deleteObject(asset);
        } else {
            foundation::warning(QStringLiteral("could not delete asset! ") + found.error().message());
        }
    }
    setAssetIdentifier(std::nullopt);
}

} // namespace pelorama::model
