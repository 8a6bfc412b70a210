#include "model/entities/DeviceImage.h"

#include "model/attributes/AttributeRowOptions.h"
#include "model/attributes/AttributeTable.h"
#include "model/context/ContextOperations.h"
#include "model/devices/DeviceFamily.h"
#include "model/devices/DeviceFrameLayout.h"
#include "model/rendering/RenderResources.h"
#include "store/FetchRequest.h"

namespace pelorama::model {

namespace attribute {
constexpr Attribute<QString> deviceVariant{u"deviceVariant"};
constexpr Attribute<QString> deviceFamily{u"deviceFamily"};
} // namespace attribute

namespace {

const QString resolutionWarningText = QStringLiteral(
    "**Warning:** for best results please use a screenshot that matches the resolution of the device.");

const DeviceImage& asDeviceImage(const Entity& entity)
{
    return static_cast<const DeviceImage&>(entity);
}

// Key-value coding sees the family and the variant as the catalogue's own objects: T is the kind of
// object, read by get, written by set and stored under attribute.
template <typename T, const T& (DeviceImage::*get)() const> QVariant catalogueValue(const Entity& device)
{
    return QVariant::fromValue(&(asDeviceImage(device).*get)());
}

template <typename T, void (DeviceImage::*set)(const T&), const Attribute<QString>& attribute>
void setCatalogueValue(Entity& device, const QVariant& value)
{
    const T* object = device.requireValue<const T*>(value, attribute.key());
    if (!object)
        device.throwWrongType(attribute.key());
    (static_cast<DeviceImage&>(device).*set)(*object);
}

// The models of the device's family, as the catalogue's own objects.
std::vector<InspectorOption> variantOptions(const Entity& device)
{
    std::vector<InspectorOption> options;
    for (const DeviceVariant& variant : asDeviceImage(device).deviceFamily().variants())
        options.emplace_back(variant.name(), QVariant::fromValue(&variant));
    return options;
}

std::optional<QString> warningMessage(const Entity& device)
{
    return asDeviceImage(device).resolutionWarning();
}

} // namespace

const AttributeTable& DeviceImage::attributes()
{
    static const AttributeTable table(
        {
            attributeRow(uniqueIdentifierAttribute, {.insertion = &makeUniqueIdentifier, .indexed = true}),
            attributeRow(assetIdentifierAttribute),
            // The resolved variant depends on the family too; a family written by undo or redo changes it
            // without any write of the variant. The inspector's binding alone shows the current model.
            attributeRow(attribute::deviceVariant,
                         {.changesPixels = true,
                          .dependsOn = {attribute::deviceFamily.key()},
                          .inspector = {{.kind = InspectorKind::choice,
                                         .group = "Device Image",
                                         .label = "Device Model",
                                         .optionsOf = &variantOptions}},
                          .valueForKey = &catalogueValue<DeviceVariant, &DeviceImage::deviceVariant>,
                          .setValueForKey = &setCatalogueValue<DeviceVariant, &DeviceImage::setDeviceVariant,
                                                               attribute::deviceVariant>}),
            attributeRow(scaleFactorAttribute, {.insertion = 1.0,
                                                .changesPixels = true,
                                                .inspector = {{.kind = InspectorKind::number,
                                                               .group = "Device Image",
                                                               .label = "Scale factor",
                                                               .initialValue = 1.0}}}),
            attributeRow(imageAttribute, {.changesPixels = true,
                                          .dependsOn = {assetIdentifierAttribute.key()},
                                          .inspector = {{.kind = InspectorKind::picture,
                                                         .group = "Device Image",
                                                         .label = "Screenshot"},
                                                        {.kind = InspectorKind::warning,
                                                         .group = "Device Image",
                                                         .initialValue = resolutionWarningText,
                                                         .message = &warningMessage,
                                                         .watchedKeys = {imageAttribute.key(),
                                                                         attribute::deviceVariant.key()}}},
                                          .valueForKey = &imageValue}),
            attributeRow(positionAttribute, {.insertion = graphics::Point{0, 0}, .changesPixels = true}),
            attributeRow(orientationAttribute, {.changesPixels = true}),
            attributeRow(attribute::deviceFamily,
                         {.valueForKey = &catalogueValue<DeviceFamily, &DeviceImage::deviceFamily>,
                          .setValueForKey = &setCatalogueValue<DeviceFamily, &DeviceImage::setDeviceFamily,
                                                               attribute::deviceFamily>}),
        },
        Shadowable::attributes());
    return table;
}

DeviceImage::DeviceImage()
    : ImageLoadable(attributes())
    , Shadowable(static_cast<Entity&>(*this))
{}

DeviceImage* DeviceImage::insertInto(store::ManagedObjectContext& context, graphics::Point position,
                                     double scaleFactor)
{
    DeviceImage* deviceImage = insertInto(context);
    deviceImage->setPosition(position);
    deviceImage->setScaleFactor(scaleFactor);
    return deviceImage;
}

const DeviceFamily& DeviceImage::deviceFamily() const
{
    if (const std::optional<QString> identifier = storedValue(attribute::deviceFamily)) {
        if (const DeviceFamily* family = DeviceFamily::findWithIdentifier(*identifier))
            return *family;
    }
    return DeviceFamily::all().front();
}

void DeviceImage::setDeviceFamily(const DeviceFamily& family)
{
    setValue(attribute::deviceFamily, family.identifier());
    const QString variant = storedValue(attribute::deviceVariant).value_or(QStringLiteral("unknown"));
    if (!family.findVariantWithIdentifier(variant))
        setDeviceVariant(family.variants().front());
}

const DeviceVariant& DeviceImage::deviceVariant() const
{
    const DeviceFamily& family = deviceFamily();
    if (const std::optional<QString> identifier = storedValue(attribute::deviceVariant)) {
        if (const DeviceVariant* variant = family.findVariantWithIdentifier(*identifier))
            return *variant;
    }
    return family.variants().front();
}

void DeviceImage::setDeviceVariant(const DeviceVariant& variant)
{
    setValue(attribute::deviceVariant, variant.identifier());
}

std::shared_ptr<const graphics::Image> DeviceImage::deviceImage() const
{
    return RenderResources::shared().deviceFrames().frameOrWarning(deviceVariant().identifier());
}

graphics::Rect DeviceImage::rect() const
{
    const DeviceVariant& variant = deviceVariant();
    return DeviceFrameLayout(variant.frameSize(), scaleFactor(), position(), deviceFamily(), variant,
                             orientation())
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

DrawableSnapshot DeviceImage::snapshot() const
{
    return DeviceImageSnapshot::of(*this);
}

} // namespace pelorama::model
