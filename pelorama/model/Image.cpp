#include "model/Image.h"

#include "model/ContextOperations.h"
#include "store/FetchRequest.h"

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

void Image::draw(const Canvas&, const CanvasRenderingContext&) {}

QStringList Image::keypathsTriggeringRedraw() const
{
    return QStringList{QStringLiteral("image"), rectKey, fillModeKey} + shadowKeys();
}

void Image::prepareForRedrawAfterChangingWithKeyPath(const QString&) {}

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

} // namespace pelorama::model
