#include "templates/Builder.h"

#include "model/devices/DeviceFamily.h"
#include "model/devices/DeviceVariant.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/Shadowable.h"
#include "model/entities/TextRect.h"
#include "templates/FontResolution.h"

namespace pelorama::templates {

namespace {

void copyShadow(const Theme::ShadowDescriptor& shadow, model::Shadowable& drawable)
{
    drawable.setShadowType(shadow.type);
    drawable.setShadowAngle(shadow.angle);
    drawable.setShadowDepth(shadow.depth);
    drawable.setShadowDistance(shadow.distance);
    drawable.setShadowBlurRadius(shadow.blurRadius);
    drawable.setShadowColor(shadow.color);
}

// Sets the variant the map names for the device's family, when the family has it.
void preferVariant(const QHash<QString, QString>& preferredVariants, model::DeviceImage& device)
{
    const model::DeviceFamily& family = device.deviceFamily();
    const auto preferred = preferredVariants.constFind(family.identifier());
    if (preferred == preferredVariants.constEnd())
        return;
    if (const model::DeviceVariant* variant = family.findVariantWithIdentifier(*preferred))
        device.setDeviceVariant(*variant);
}

} // namespace

Builder::Builder(store::ManagedObjectContext& context, model::Screenshot& screenshot, Theme theme)
    : m_context(context)
    , m_screenshot(screenshot)
    , m_theme(std::move(theme))
{}

model::TextRect& Builder::addText(const graphics::Rect& rect, const QString& text,
                                  graphics::TextAlignment horizontalAlignment,
                                  model::VerticalAlignment verticalAlignment)
{
    model::TextRect& caption = *model::TextRect::insertInto(m_context);
    caption.setRect(rect);
    caption.setText(text);
    caption.setHorizontalAlignment(horizontalAlignment);
    caption.setVerticalAlignment(verticalAlignment);
    caption.setColor(m_theme.textColor);
    // The caption keeps the size it was inserted with; only the face is the theme's.
    const double pointSize = caption.font().pointSize();
    caption.setFont(resolvedFont(m_theme.fontFamily, pointSize));
    copyShadow(m_theme.textShadow, caption);
    model::DrawableMapping::insert(caption, m_screenshot, m_context);
    return caption;
}

model::Image& Builder::addImage(const graphics::Rect& rect, const std::optional<graphics::Image>& image,
                                model::FillMode fillMode)
{
    model::Image& drawable = *model::Image::insertInto(m_context);
    drawable.setImage(image);
    drawable.setRect(rect);
    drawable.setFillMode(fillMode);
    model::DrawableMapping::insert(drawable, m_screenshot, m_context);
    return drawable;
}

model::DeviceImage& Builder::addDevice(const QString& familyIdentifier, graphics::Point position,
                                       double scaleFactor)
{
    model::DeviceImage& device = *model::DeviceImage::insertInto(m_context);
    device.setPosition(position);
    device.setScaleFactor(scaleFactor);
    if (const model::DeviceFamily* family = model::DeviceFamily::findWithIdentifier(familyIdentifier))
        device.setDeviceFamily(*family);
    preferVariant(m_theme.preferredDeviceVariants, device);
    copyShadow(m_theme.deviceShadow, device);
    model::DrawableMapping::insert(device, m_screenshot, m_context);
    return device;
}

model::DeviceImage& Builder::addSecondaryDevice(const QString& familyIdentifier, graphics::Point position,
                                                double scaleFactor)
{
    model::DeviceImage& device = addDevice(familyIdentifier, position, scaleFactor);
    preferVariant(m_theme.preferredSecondaryDeviceVariants, device);
    return device;
}

} // namespace pelorama::templates
