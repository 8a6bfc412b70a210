#include "model/DeviceImage.h"

#include "foundation/Diagnostics.h"
#include "model/AttributeRowOptions.h"
#include "model/AttributeTable.h"
#include "model/Canvas.h"
#include "model/CanvasRenderingContext.h"
#include "model/ContextOperations.h"
#include "model/DeviceFamily.h"
#include "model/DeviceFrameCache.h"
#include "model/DeviceFrameLayout.h"
#include "model/DirectionalShadow.h"
#include "model/StyleKit.h"
#include "resources/DeviceResources.h"
#include "store/FetchRequest.h"

#include <QMutexLocker>
#include <cmath>

namespace pelorama::model {

namespace attribute {
constexpr Attribute<QString> deviceVariant{u"deviceVariant"};
constexpr Attribute<double> scaleFactor{u"scaleFactor"};
constexpr Attribute<graphics::Point> position{u"position"};
constexpr Attribute<DeviceOrientation> orientation{u"orientation"};
constexpr Attribute<QString> deviceFamily{u"deviceFamily"};
} // namespace attribute

namespace {

const QString resolutionWarningText = QStringLiteral(
    "**Warning:** for best results please use a screenshot that matches the resolution of the device.");

const DeviceImage& asDeviceImage(const Entity& entity)
{
    return static_cast<const DeviceImage&>(entity);
}

// Key-value coding sees the family and the variant as the catalogue's own objects.
template <typename T>
T requireCatalogueObject(const Entity& device, const QVariant& value, const QString& key)
{
    const T object = device.requireValue<T>(value, key);
    if (!object)
        device.throwWrongType(key);
    return object;
}

QVariant familyValue(const Entity& device)
{
    return QVariant::fromValue(&asDeviceImage(device).deviceFamily());
}

void setFamilyValue(Entity& device, const QVariant& value)
{
    const auto* family =
        requireCatalogueObject<const DeviceFamily*>(device, value, attribute::deviceFamily.key());
    static_cast<DeviceImage&>(device).setDeviceFamily(*family);
}

QVariant variantValue(const Entity& device)
{
    return QVariant::fromValue(&asDeviceImage(device).deviceVariant());
}

void setVariantValue(Entity& device, const QVariant& value)
{
    const auto* variant =
        requireCatalogueObject<const DeviceVariant*>(device, value, attribute::deviceVariant.key());
    static_cast<DeviceImage&>(device).setDeviceVariant(*variant);
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
            attributeRow(uniqueIdentifierAttribute, {.insertion = &makeUniqueIdentifier}),
            attributeRow(assetIdentifierAttribute),
            // The resolved variant depends on the family too; a family written by undo or redo changes it
            // without any write of the variant. The inspector's binding alone shows the current model.
            attributeRow(attribute::deviceVariant, {.changesPixels = true,
                                                    .dependsOn = {attribute::deviceFamily.key()},
                                                    .inspector = {{.kind = InspectorKind::choice,
                                                                   .group = "Device Image",
                                                                   .label = "Device Model",
                                                                   .optionsOf = &variantOptions}},
                                                    .valueForKey = &variantValue,
                                                    .setValueForKey = &setVariantValue}),
            attributeRow(attribute::scaleFactor, {.insertion = 1.0,
                                                  .changesPixels = true,
                                                  .inspector = {{.kind = InspectorKind::number,
                                                                 .group = "Device Image",
                                                                 .label = "Scale factor",
                                                                 .initialValue = 1.0}}}),
            attributeRow(imageAttribute, {.changesPixels = true,
                                          .inspector = {{.kind = InspectorKind::picture,
                                                         .group = "Device Image",
                                                         .label = "Screenshot"},
                                                        {.kind = InspectorKind::warning,
                                                         .group = "Device Image",
                                                         .initialValue = resolutionWarningText,
                                                         .message = &warningMessage,
                                                         .watchedKeys = {imageAttribute.key(),
                                                                         attribute::deviceVariant.key()}}}}),
            attributeRow(attribute::position, {.insertion = graphics::Point{0, 0}, .changesPixels = true}),
            attributeRow(attribute::orientation, {.changesPixels = true}),
            attributeRow(attribute::deviceFamily,
                         {.valueForKey = &familyValue, .setValueForKey = &setFamilyValue}),
        },
        Shadowable::attributes());
    return table;
}

DeviceImage::DeviceImage()
    : Entity(attributes())
    , ImageLoadable(static_cast<Entity&>(*this))
    , Shadowable(static_cast<Entity&>(*this))
{}

DeviceImage* DeviceImage::insertInto(store::ManagedObjectContext& context)
{
    return insertObject<DeviceImage>(context);
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
    return value(uniqueIdentifierAttribute);
}

void DeviceImage::setUniqueIdentifier(const QString& identifier)
{
    setValue(uniqueIdentifierAttribute, identifier);
}

double DeviceImage::scaleFactor() const
{
    return value(attribute::scaleFactor);
}

void DeviceImage::setScaleFactor(double factor)
{
    setValue(attribute::scaleFactor, factor);
}

graphics::Point DeviceImage::position() const
{
    return value(attribute::position);
}

void DeviceImage::setPosition(graphics::Point position)
{
    setValue(attribute::position, position);
}

DeviceOrientation DeviceImage::orientation() const
{
    return value(attribute::orientation);
}

void DeviceImage::setOrientation(DeviceOrientation orientation)
{
    setValue(attribute::orientation, orientation);
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
    setDeviceImage(nullptr);
}

namespace {

// The frame from the shared cache; none, with a warning, when it fails to load this time.
std::shared_ptr<const graphics::Image> loadFrame(DeviceFrameCache& cache, const QString& variantIdentifier)
{
    try {
        return cache.frame(variantIdentifier);
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
    const QString identifier = deviceVariant().identifier();
    QMutexLocker locker(&m_frameMutex);
    if (!m_frame.picture || m_frame.variantIdentifier != identifier)
        m_frame = {identifier, loadFrame(DeviceFrameCache::shared(), identifier)};
    return m_frame.picture;
}

void DeviceImage::setDeviceImage(std::shared_ptr<const graphics::Image> picture)
{
    const QString identifier = deviceVariant().identifier();
    QMutexLocker locker(&m_frameMutex);
    m_frame = {identifier, std::move(picture)};
}

graphics::Rect DeviceImage::rect() const
{
    const QString identifier = deviceVariant().identifier();
    // Placing the device needs the frame's size only, which is read without decoding the picture.
    std::optional<graphics::Size> size;
    {
        QMutexLocker locker(&m_frameMutex);
        if (m_frame.picture && m_frame.variantIdentifier == identifier)
            size = m_frame.picture->size();
    }
    if (!size)
        size = frameSize(identifier);
    return DeviceFrameLayout(size.value_or(graphics::Size{}), scaleFactor(), position(), deviceFamily(),
                             deviceVariant(), orientation())
        .rect();
}

QString DeviceImage::placeholderName(const DeviceFamily& family, DeviceOrientation orientation)
{
    const bool sideways =
        orientation == DeviceOrientation::landscapeLeft || orientation == DeviceOrientation::landscapeRight;
    return QStringLiteral("placeholder-") + family.name() +
           (family.isOrientable() && sideways ? QStringLiteral("Landscape") : QString());
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

void DeviceImage::draw(const Canvas& canvas, const CanvasRenderingContext& context)
{
    const std::shared_ptr<const graphics::Image> frame =
        context.renderingMode == CanvasRenderingMode::templatePreview
            ? loadFrame(DeviceFrameCache::sharedPreviews(), deviceVariant().identifier())
            : deviceImage();
    if (!frame)
        return;
    const DeviceFamily& family = deviceFamily();
    const DeviceOrientation turn = orientation();
    const DeviceFrameLayout layout(frame->size(), scaleFactor(), position(), family, deviceVariant(), turn);
    graphics::GraphicsContext& graphics = context.graphicsContext;

    // The frame and its shadow turn about the position.
    graphics.save();
    graphics.concatenate(layout.deviceTransform());
    switch (shadowType()) {
    case ShadowType::none:
        break;
    case ShadowType::drop:
        setDropShadow(graphics, context.scaleFactor);
        break;
    case ShadowType::directional: {
        // A fraction of the canvas diagonal, so the band keeps its place whatever the render's scale; the
        // angle is taken back by the device's turn, so the band points along shadowAngle() on the canvas.
        const graphics::Size size = canvas.size();
        const double depth = shadowDepth() * std::sqrt(size.width * size.width + size.height * size.height);
        graphics.setFillColor(shadowColor().value_or(graphics::Shadow{}.color));
        drawDirectionalShadow(graphics, *frame, layout.frameRect(), shadowAngle() - layout.deviceAngle(),
                              depth);
        break;
    }
    }
    frame->draw(graphics, layout.frameRect());
    graphics.restore();

    std::optional<graphics::Image> picture = image();
    if (!picture && context.renderingMode == CanvasRenderingMode::templatePreview) {
        resources::initialize();
        if (const std::shared_ptr<const graphics::Image> placeholder =
                graphics::Image::named(placeholderName(family, turn)))
            picture = *placeholder;
    }
    if (!picture) {
        const double canvasWidth = canvas.size().width;
        if (context.renderingMode != CanvasRenderingMode::canvasView || !(canvasWidth > 0))
            return;
        // In bitmap pixels, so the placeholder's lines and text keep their size at every zoom.
        graphics.save();
        graphics.concatenate(context.transform.inverted());
        const graphics::Rect screen = layout.screenRect().applying(layout.deviceTransform());
        const double s = graphics.width() / canvasWidth;
        StyleKit::drawDeviceImagePlaceholder(graphics, {screen.origin.x * s, screen.origin.y * s,
                                                        screen.size.width * s, screen.size.height * s});
        graphics.restore();
        return;
    }

    const DeviceFrameLayout::PicturePlacement placement = layout.picturePlacement(picture->size());
    graphics.save();
    if (placement.transform)
        graphics.concatenate(*placement.transform);
    picture->draw(graphics, placement.target);
    graphics.restore();
}

QStringList DeviceImage::keypathsTriggeringRedraw() const
{
    return attributeTable().pixelKeys();
}

void DeviceImage::prepareForRedrawAfterChangingWithKeyPath(const QString&) {}

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

} // namespace pelorama::model
