#include "model/DeviceImage.h"

#include "foundation/Diagnostics.h"
#include "ledgerline/EnumerationProperty.h"
#include "ledgerline/ImageProperty.h"
#include "ledgerline/NumericProperty.h"
#include "ledgerline/PropertyCollection.h"
#include "ledgerline/Then.h"
#include "model/ContextOperations.h"
#include "model/DeviceFamily.h"
#include "model/DeviceFrameCache.h"
#include "model/DeviceFrameLayout.h"
#include "model/WarningProperty.h"
#include "store/FetchRequest.h"
#include "tessaline/Shared/Observer.h"

#include <QPointer>

namespace pelorama::model {

namespace {
const QString uniqueIdentifierKey = QStringLiteral("uniqueIdentifier");
const QString scaleFactorKey = QStringLiteral("scaleFactor");
const QString positionKey = QStringLiteral("position");
const QString orientationKey = QStringLiteral("orientation");
const QString shadowTypeKey = QStringLiteral("shadowType");
const QString deviceFamilyKey = QStringLiteral("deviceFamily");
const QString deviceVariantKey = QStringLiteral("deviceVariant");
const QString imageKey = QStringLiteral("image");

const QString resolutionWarningText = QStringLiteral(
    "**Warning:** for best results please use a screenshot that matches the resolution of the device.");
} // namespace

DeviceImage::DeviceImage()
    : ImageLoadable(static_cast<Entity&>(*this))
    , Shadowable(static_cast<Entity&>(*this))
{
    // The resolved variant depends on the family too; a family written by undo or redo changes it
    // without any write of the variant.
    addDependentKey(deviceVariantKey, {deviceFamilyKey});
}

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

const DeviceFamily& DeviceImage::deviceFamily() const
{
    if (const std::optional<QString> identifier = typedPrimitiveValue<QString>(deviceFamilyKey)) {
        if (const DeviceFamily* family = DeviceFamily::findWithIdentifier(*identifier))
            return *family;
    }
    return DeviceFamily::all().front();
}

void DeviceImage::setDeviceFamily(const DeviceFamily& family)
{
    setTypedPrimitiveValue(family.identifier(), deviceFamilyKey);
    const QString variant =
        typedPrimitiveValue<QString>(deviceVariantKey).value_or(QStringLiteral("unknown"));
    if (!family.findVariantWithIdentifier(variant))
        setDeviceVariant(family.variants().front());
}

const DeviceVariant& DeviceImage::deviceVariant() const
{
    const DeviceFamily& family = deviceFamily();
    if (const std::optional<QString> identifier = typedPrimitiveValue<QString>(deviceVariantKey)) {
        if (const DeviceVariant* variant = family.findVariantWithIdentifier(*identifier))
            return *variant;
    }
    return family.variants().front();
}

void DeviceImage::setDeviceVariant(const DeviceVariant& variant)
{
    setTypedPrimitiveValue(variant.identifier(), deviceVariantKey);
}

namespace {

// The frame from the shared cache; none, with a warning, when it fails to load this time.
std::shared_ptr<const graphics::Image> loadFrame(const QString& variantIdentifier)
{
    try {
        return DeviceFrameCache::shared().frame(variantIdentifier);
    } catch (const std::exception& error) {
        foundation::warning(QStringLiteral("the device frame %1 could not be loaded (%2)")
                                .arg(variantIdentifier, QString::fromLocal8Bit(error.what())));
        return nullptr;
    }
}

std::optional<graphics::Size> frameSize(const QString& variantIdentifier)
{
    try {
        return DeviceFrameCache::shared().frameSize(variantIdentifier);
    } catch (const std::exception& error) {
        foundation::warning(QStringLiteral("the size of the device frame %1 could not be read (%2)")
                                .arg(variantIdentifier, QString::fromLocal8Bit(error.what())));
        return std::nullopt;
    }
}

} // namespace

std::shared_ptr<const graphics::Image> DeviceImage::deviceImage() const
{
    return loadFrame(deviceVariant().identifier());
}

graphics::Rect DeviceImage::rect() const
{
    const DeviceVariant& variant = deviceVariant();
    return DeviceFrameLayout(frameSize(variant.identifier()).value_or(graphics::Size{}), scaleFactor(),
                             position(), deviceFamily(), variant, orientation())
        .rect();
}

std::optional<QString> DeviceImage::resolutionWarning() const
{
    const std::optional<graphics::Image> picture = image();
    if (!picture)
        return std::nullopt;
    const DeviceVariant& variant = deviceVariant();
    if (variant.isValidDisplaySize(picture->size()))
        return std::nullopt;
    const graphics::Size suggested = variant.suggestedResolution();
    return resolutionWarningText + QStringLiteral(" (**%1** by **%2** pixels)")
                                       .arg(qint64(suggested.width))
                                       .arg(qint64(suggested.height));
}

void DeviceImage::takeDroppedImage(const graphics::ImageFile& file)
{
    takeImageFile(file);
}

void DeviceImage::awakeFromFetch()
{
    Entity::awakeFromFetch();
    loadImageFromAsset();
}

void DeviceImage::prepareForDeletion()
{
    Entity::prepareForDeletion();
    deleteAsset();
}

std::unique_ptr<ledgerline::PropertyCollection> DeviceImage::makePropertyCollection()
{
    using ledgerline::then;
    auto collection = std::make_unique<ledgerline::PropertyCollection>();
    auto device = std::make_unique<ledgerline::PropertyGroup>();
    device->setName(QStringLiteral("Device Image"));
    device->addProperty(then(std::make_unique<ledgerline::EnumerationProperty>(), [&](auto& row) {
        row.setName(QStringLiteral("Device Model"));
        // The options are the catalogue's own objects; the binding alone shows the current one.
        for (const DeviceVariant& variant : deviceFamily().variants())
            row.addOption(variant.name(), QVariant::fromValue(&variant));
        row.bind(this, deviceVariantKey);
    }));
    device->addProperty(then(std::make_unique<ledgerline::NumericProperty>(1.0), [&](auto& row) {
        row.setName(QStringLiteral("Scale factor"));
        row.bind(this, scaleFactorKey);
    }));
    device->addProperty(then(std::make_unique<ledgerline::ImageProperty>(image()), [&](auto& row) {
        row.setName(QStringLiteral("Screenshot"));
        row.setImageDataHandler([self = QPointer<DeviceImage>(this)](const QByteArray& data) {
            if (self)
                self->storeImageData(data);
        });
        row.bind(this, imageKey);
    }));

    auto warning = std::make_unique<WarningProperty>();
    warning->setMessage(resolutionWarningText);
    // The rows live in the collection, which ends its observers before them.
    const auto check = [this, row = warning.get()](const QVariant&) {
        const std::optional<QString> message = resolutionWarning();
        if (message)
            row->setMessage(*message);
        row->setHidden(!message);
    };
    collection->keepObserver(std::make_unique<tessaline::Observer>(this, imageKey, check));
    collection->keepObserver(std::make_unique<tessaline::Observer>(this, deviceVariantKey, check));
    device->addProperty(std::move(warning));
    collection->addGroup(std::move(device));

    auto shadow = std::make_unique<ledgerline::PropertyGroup>();
    configureShadowPropertyGroup(*shadow, *collection);
    collection->addGroup(std::move(shadow));
    return collection;
}

bool DeviceImage::hasTypedKey(const QString& key) const
{
    return key == positionKey || key == orientationKey || key == shadowTypeKey || key == deviceFamilyKey ||
           key == deviceVariantKey;
}

QVariant DeviceImage::typedValueForKey(const QString& key) const
{
    if (key == positionKey)
        return QVariant::fromValue(position());
    if (key == orientationKey)
        return enumerationValueForKey<DeviceOrientation>(key);
    if (key == deviceFamilyKey)
        return QVariant::fromValue(&deviceFamily());
    if (key == deviceVariantKey)
        return QVariant::fromValue(&deviceVariant());
    return shadowTypeValue();
}

void DeviceImage::setTypedValueForKey(const QVariant& value, const QString& key)
{
    if (key == positionKey) {
        setPosition(requireValue<graphics::Point>(value, key));
    } else if (key == orientationKey) {
        setEnumerationValueForKey(value, key);
    } else if (key == deviceFamilyKey) {
        const DeviceFamily* family = requireValue<const DeviceFamily*>(value, key);
        if (!family)
            throwWrongType(key);
        setDeviceFamily(*family);
    } else if (key == deviceVariantKey) {
        const DeviceVariant* variant = requireValue<const DeviceVariant*>(value, key);
        if (!variant)
            throwWrongType(key);
        setDeviceVariant(*variant);
    } else {
        setShadowTypeValue(value);
    }
}

DrawableSnapshot DeviceImage::snapshot() const
{
    return DeviceImageSnapshot::of(*this);
}

} // namespace pelorama::model
