#include "model/Image.h"

#include "ledgerline/EnumerationProperty.h"
#include "ledgerline/ImageProperty.h"
#include "ledgerline/PropertyCollection.h"
#include "ledgerline/Then.h"
#include "model/ContextOperations.h"
#include "store/FetchRequest.h"

#include <QPointer>

namespace pelorama::model {

namespace {
const QString uniqueIdentifierKey = QStringLiteral("uniqueIdentifier");
const QString rectKey = QStringLiteral("rect");
const QString fillModeKey = QStringLiteral("fillMode");
const QString shadowTypeKey = QStringLiteral("shadowType");
} // namespace

Image::Image()
    : ImageLoadable(static_cast<Entity&>(*this))
    , Shadowable(static_cast<Entity&>(*this))
{}

Image* Image::insertInto(store::ManagedObjectContext& context)
{
    Image* image = insertObject<Image>(context);
    image->setUniqueIdentifier(makeUniqueIdentifier());
    image->setImage(std::nullopt);
    image->setRect(graphics::Rect::zero());
    image->setFillMode(FillMode::stretch);
    image->setShadowDefaults();
    return image;
}

Image* Image::insertInto(store::ManagedObjectContext& context, const std::optional<graphics::Image>& picture,
                         const graphics::Rect& rect, FillMode fillMode)
{
    Image* image = insertInto(context);
    image->setImage(picture);
    image->setRect(rect);
    image->setFillMode(fillMode);
    return image;
}

store::FetchRequest Image::fetchRequest()
{
    return store::FetchRequest(entityName<Image>());
}

QString Image::uniqueIdentifier() const
{
    return stringValue(uniqueIdentifierKey);
}

void Image::setUniqueIdentifier(const QString& identifier)
{
    setAttributeValue(identifier, uniqueIdentifierKey);
}

graphics::Rect Image::rect() const
{
    return typedPrimitiveValue<graphics::Rect>(rectKey).value_or(graphics::Rect::zero());
}

void Image::setRect(const graphics::Rect& rect)
{
    setTypedPrimitiveValue(rect, rectKey);
}

FillMode Image::fillMode() const
{
    return typedPrimitiveValue<FillMode>(fillModeKey).value_or(FillMode::stretch);
}

void Image::setFillMode(FillMode mode)
{
    setTypedPrimitiveValue(mode, fillModeKey);
}

void Image::takeDroppedImage(const graphics::ImageFile& file)
{
    takeImageFile(file);
}

std::unique_ptr<ledgerline::PropertyCollection> Image::makePropertyCollection()
{
    using ledgerline::then;
    auto collection = std::make_unique<ledgerline::PropertyCollection>();
    collection->addGroup(
        then(std::make_unique<ledgerline::PropertyGroup>(), [&](ledgerline::PropertyGroup& group) {
            group.setName(QStringLiteral("Image"));
            group.addProperty(then(std::make_unique<ledgerline::EnumerationProperty>(), [&](auto& row) {
                row.setName(QStringLiteral("Resizing mode"));
                row.addOption(QStringLiteral("Stretch"), qint64(FillMode::stretch));
                row.addOption(QStringLiteral("Aspect fit"), qint64(FillMode::aspectFit));
                row.addOption(QStringLiteral("Aspect fill"), qint64(FillMode::aspectFill));
                row.bind(this, fillModeKey);
                row.setValue(qint64(fillMode()));
            }));
            group.addProperty(then(std::make_unique<ledgerline::ImageProperty>(image()), [&](auto& row) {
                row.setName(QStringLiteral("Image"));
                // The row may outlive the image (the inspector keeps its collection until it is replaced).
                row.setImageDataHandler([image = QPointer<Image>(this)](const QByteArray& data) {
                    if (image)
                        image->storeImageData(data);
                });
                row.bind(this, QStringLiteral("image"));
            }));
        }));
    auto shadow = std::make_unique<ledgerline::PropertyGroup>();
    configureShadowPropertyGroup(*shadow, *collection);
    collection->addGroup(std::move(shadow));
    return collection;
}

void Image::awakeFromFetch()
{
    Entity::awakeFromFetch();
    loadImageFromAsset();
}

void Image::prepareForDeletion()
{
    Entity::prepareForDeletion();
    deleteAsset();
}

bool Image::hasTypedKey(const QString& key) const
{
    return key == rectKey || key == fillModeKey || key == shadowTypeKey;
}

QVariant Image::typedValueForKey(const QString& key) const
{
    if (key == rectKey)
        return QVariant::fromValue(rect());
    if (key == fillModeKey)
        return enumerationValueForKey<FillMode>(key);
    return shadowTypeValue();
}

void Image::setTypedValueForKey(const QVariant& value, const QString& key)
{
    if (key == rectKey)
        setRect(requireValue<graphics::Rect>(value, key));
    else if (key == fillModeKey)
        setEnumerationValueForKey(value, key);
    else
        setShadowTypeValue(value);
}

DrawableSnapshot Image::snapshot() const
{
    return ImageSnapshot::of(*this);
}

} // namespace pelorama::model
