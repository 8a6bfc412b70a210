#include "model/entities/ImageLoadable.h"

#include "foundation/Diagnostics.h"
#include "model/entities/Asset.h"
#include "model/entities/Entity.h"
#include "store/FetchRequest.h"
#include "store/ManagedObjectContext.h"

namespace pelorama::model {

namespace {

// Whether an image or device image other than entity names the asset; unsaved changes count, so copies
// made by duplicate and paste are seen before they are saved and drawables deleted meanwhile are not.
// When the context cannot tell, the asset counts as named: keeping an unused asset is better than losing
// a picture.
bool isNamedByAnother(const Entity& entity, store::ManagedObjectContext& context, const QString& identifier)
{
    for (const QString& entityName : {QStringLiteral("Image"), QStringLiteral("DeviceImage")}) {
        store::FetchRequest request(
            entityName, store::Predicate::equal(ImageLoadable::assetIdentifierAttribute.key(), identifier));
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
    return m_entity.storedValue(imageAttribute);
}

void ImageLoadable::setImage(const std::optional<graphics::Image>& image)
{
    m_entity.setValue(imageAttribute, image);
}

std::optional<QString> ImageLoadable::assetIdentifier() const
{
    return m_entity.storedValue(assetIdentifierAttribute);
}

void ImageLoadable::setAssetIdentifier(const std::optional<QString>& identifier)
{
    m_entity.setValue(assetIdentifierAttribute, identifier);
}

void ImageLoadable::loadImageFromAsset()
{
    const std::optional<QString> identifier = assetIdentifier();
    store::ManagedObjectContext* context = m_entity.managedObjectContext();
    if (!identifier || !context)
        return;
    const store::Result<Asset*> asset = Asset::fetch(*identifier, *context);
    if (!asset) {
        foundation::warning(QStringLiteral("could not load asset! ") + asset.error().message());
        setImage(std::nullopt);
        return;
    }
    if (!*asset) {
        foundation::warning(QStringLiteral("could not find asset!"));
        setImage(std::nullopt);
        return;
    }
    // An asset without bytes loads like one whose bytes are no picture: silently, without one.
    setImage(graphics::Image::fromData((*asset)->data()));
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
        const store::Result<void> deleted = Asset::deleteAsset(*identifier, *context);
        if (!deleted)
            foundation::warning(QStringLiteral("could not delete asset! ") + deleted.error().message());
    }
    setAssetIdentifier(std::nullopt);
}

void ImageLoadable::takeDroppedImage(const graphics::ImageFile& file)
{
    if (m_entity.isDeleted())
        return;
    setImage(file.image());
    storeImageData(file.data());
}

} // namespace pelorama::model
