#include "model/entities/ImageLoadable.h"

#include "foundation/Diagnostics.h"
#include "model/entities/Asset.h"
#include "model/rendering/RenderResources.h"
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

ImageLoadable::ImageLoadable(const AttributeTable& attributes)
    : IdentifiedEntity(attributes)
{}

std::optional<graphics::Image> ImageLoadable::image() const
{
    if (std::optional<graphics::Image> held = storedValue(imageAttribute))
        return held;
    return pictureReference().picture(RenderResources::shared().pictures());
}

void ImageLoadable::setImage(const std::optional<graphics::Image>& image)
{
    setValue(imageAttribute, image);
}

std::optional<QString> ImageLoadable::assetIdentifier() const
{
    return storedValue(assetIdentifierAttribute);
}

void ImageLoadable::setAssetIdentifier(const std::optional<QString>& identifier)
{
    setValue(assetIdentifierAttribute, identifier);
}

PictureReference ImageLoadable::pictureReference() const
{
    if (std::optional<graphics::Image> held = storedValue(imageAttribute))
        return PictureReference(std::move(*held));
    const std::optional<QString> identifier = assetIdentifier();
    store::ManagedObjectContext* context = managedObjectContext();
    if (!identifier || !context)
        return {};
    // Assets do not change: what an identifier names is looked up once.
    if (m_assetPicture && m_assetPicture->first == *identifier)
        return m_assetPicture->second;
    PictureReference picture;
    const store::Result<Asset*> asset = Asset::fetch(*identifier, *context);
    if (!asset)
        foundation::warning(QStringLiteral("could not load asset! ") + asset.error().message());
    else if (!*asset)
        foundation::warning(QStringLiteral("could not find asset!"));
    else
        // An asset without bytes draws like one whose bytes are no picture: silently, without one.
        picture = PictureReference((*asset)->sha1Hash(), (*asset)->data());
    m_assetPicture.emplace(*identifier, picture);
    return picture;
}

void ImageLoadable::storeImageData(const QByteArray& data)
{
    deleteAsset();
    store::ManagedObjectContext* context = managedObjectContext();
    if (!context)
        return;
    Asset* asset = Asset::insertInto(*context, data);
    if (const std::optional<graphics::Image> held = storedValue(imageAttribute))
        RenderResources::shared().pictures().insert(asset->sha1Hash(), asset->data(), *held);
    setAssetIdentifier(asset->uniqueIdentifier());
}

void ImageLoadable::deleteAsset()
{
    const std::optional<QString> identifier = assetIdentifier();
    store::ManagedObjectContext* context = managedObjectContext();
    if (!identifier || !context)
        return;
    if (!isNamedByAnother(*this, *context, *identifier)) {
        const store::Result<void> deleted = Asset::deleteAsset(*identifier, *context);
        if (!deleted)
            foundation::warning(QStringLiteral("could not delete asset! ") + deleted.error().message());
    }
    setAssetIdentifier(std::nullopt);
}

void ImageLoadable::takeDroppedImage(const graphics::ImageFile& file)
{
    if (isDeleted())
        return;
    setImage(file.image());
    storeImageData(file.data());
}

QVariant ImageLoadable::imageValue(const Entity& entity)
{
    const std::optional<graphics::Image> picture = static_cast<const ImageLoadable&>(entity).image();
    return picture ? QVariant::fromValue(*picture) : QVariant();
}

void ImageLoadable::prepareForDeletion()
{
    IdentifiedEntity::prepareForDeletion();
    deleteAsset();
}

} // namespace pelorama::model
