#include "model/DeviceImage.h"

#include "model/ContextOperations.h"
#include "store/FetchRequest.h"

namespace pelorama::model {

namespace {
const QString uniqueIdentifierKey = QStringLiteral("uniqueIdentifier");
const QString scaleFactorKey = QStringLiteral("scaleFactor");
const QString positionKey = QStringLiteral("position");
const QString orientationKey = QStringLiteral("orientation");
const QString shadowTypeKey = QStringLiteral("shadowType");
} // namespace

DeviceImage::DeviceImage()
    : ImageLoadable(static_cast<Entity&>(*this))
    , Shadowable(static_cast<Entity&>(*this))
{}

DeviceImage* DeviceImage::insertInto(store::ManagedObjectContext& context)
{
    DeviceImage* deviceImage = insertObject<DeviceImage>(context);
    deviceImage->setUniqueIdentifier(makeUniqueIdentifier());
    deviceImage->setPosition({0, 0});
    deviceImage->setScaleFactor(1.0);
    deviceImage->setShadowDefaults();
    return deviceImage;
}

DeviceImage* DeviceImage::insertInto(store::ManagedObjectContext& context, graphics::Point position,
                                     double scaleFactor)
{
    DeviceImage* deviceImage = insertInto(context);
    deviceImage->setPosition(position);
    deviceImage->setScaleFactor(scaleFactor);
    return deviceImage;
}

store::FetchRequest DeviceImage::fetchRequest()
{
    return store::FetchRequest(entityName<DeviceImage>());
}

QString DeviceImage::uniqueIdentifier() const
{
    return stringValue(uniqueIdentifierKey);
}

void DeviceImage::setUniqueIdentifier(const QString& identifier)
{
    setAttributeValue(identifier, uniqueIdentifierKey);
}

double DeviceImage::scaleFactor() const
{
    return doubleValue(scaleFactorKey);
}

void DeviceImage::setScaleFactor(double factor)
{
    setAttributeValue(factor, scaleFactorKey);
}

graphics::Point DeviceImage::position() const
{
    return typedPrimitiveValue<graphics::Point>(positionKey).value_or(graphics::Point{});
}

void DeviceImage::setPosition(graphics::Point position)
{
    setTypedPrimitiveValue(position, positionKey);
}

DeviceOrientation DeviceImage::orientation() const
{
    return typedPrimitiveValue<DeviceOrientation>(orientationKey).value_or(DeviceOrientation::portrait);
}

void DeviceImage::setOrientation(DeviceOrientation orientation)
{
    setTypedPrimitiveValue(orientation, orientationKey);
}

void DeviceImage::draw(const Canvas&, const CanvasRenderingContext&) {}

QStringList DeviceImage::keypathsTriggeringRedraw() const
{
    return QStringList{positionKey, QStringLiteral("deviceVariant"), orientationKey, scaleFactorKey} +
           shadowKeys() + QStringList{QStringLiteral("image")};
}

void DeviceImage::prepareForRedrawAfterChangingWithKeyPath(const QString&) {}

bool DeviceImage::hasTypedKey(const QString& key) const
{
    return key == positionKey || key == orientationKey || key == shadowTypeKey;
}

QVariant DeviceImage::typedValueForKey(const QString& key) const
{
    if (key == positionKey)
        return QVariant::fromValue(position());
    if (key == orientationKey)
        return enumerationValueForKey<DeviceOrientation>(key);
    return shadowTypeValue();
}

void DeviceImage::setTypedValueForKey(const QVariant& value, const QString& key)
{
    if (key == positionKey)
        setPosition(requireValue<graphics::Point>(value, key));
    else if (key == orientationKey)
        setEnumerationValueForKey(value, key);
    else
        setShadowTypeValue(value);
}

} // namespace pelorama::model
