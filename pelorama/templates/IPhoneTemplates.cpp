#include "model/DeviceImage.h"
#include "model/Image.h"
#include "templates/Builder.h"
#include "templates/BuiltInTemplates.h"
#include "templates/DisplaySizes.h"
#include "templates/LayoutSupport.h"

namespace pelorama::templates {

namespace {

using namespace layout;

const QString iPhone = QStringLiteral("iPhone");

// A phone and the caption above or below it.
void textAbove(Builder& builder)
{
    const graphics::Size size = canvasSize(builder);
    const model::DeviceImage& device = builder.addDevice(iPhone, {0.5 * size.width, 0.25 * size.height}, 0.8);
    addCaptionAbove(builder, device.rect().maxY());
}

void textBelow(Builder& builder)
{
    const graphics::Size size = canvasSize(builder);
    const model::DeviceImage& device = builder.addDevice(iPhone, {0.5 * size.width, 0.75 * size.height}, 0.8);
    addCaptionBelow(builder, device.rect().minY());
}

void textAboveFullDevice(Builder& builder)
{
    const graphics::Size size = canvasSize(builder);
    const model::DeviceImage& device = builder.addDevice(iPhone, {0.5 * size.width, 0.4 * size.height}, 0.5);
    addCaptionAbove(builder, device.rect().maxY());
}

// Two phones, the secondary one underneath; the caption goes above the primary one.
void staggered(Builder& builder)
{
    const graphics::Size size = canvasSize(builder);
    builder.addSecondaryDevice(iPhone, {0.6 * size.width, 0.29 * size.height}, 0.65);
    const model::DeviceImage& device =
        builder.addDevice(iPhone, {0.4 * size.width, 0.34 * size.height}, 0.65);
    addCaptionAbove(builder, device.rect().maxY());
}

void sideBySide(Builder& builder)
{
    const graphics::Size size = canvasSize(builder);
    builder.addSecondaryDevice(iPhone, {0.7 * size.width, 0.4 * size.height}, 0.45);
    const model::DeviceImage& device =
        builder.addDevice(iPhone, {0.325 * size.width, 0.4 * size.height}, 0.5);
    addCaptionAbove(builder, device.rect().maxY());
}

// A bare screenshot reaching past the bottom or the top edge of the canvas.
void plainScreenshotTextAbove(Builder& builder)
{
    const graphics::Size size = canvasSize(builder);
    const model::Image& image =
        builder.addImage(graphics::Rect(0.1 * size.width, -100, 0.8 * size.width, 0.8 * size.height),
                         std::nullopt, model::FillMode::stretch);
    addCaptionAbove(builder, image.rect().maxY());
}

void plainScreenshotTextBelow(Builder& builder)
{
    const graphics::Size size = canvasSize(builder);
    const model::Image& image = builder.addImage(
        graphics::Rect(0.1 * size.width, 0.2 * size.height + 100, 0.8 * size.width, 0.8 * size.height),
        std::nullopt, model::FillMode::stretch);
    addCaptionBelow(builder, image.rect().minY());
}

} // namespace

std::vector<std::unique_ptr<Template>> iPhoneTemplates(const Theme& theme)
{
    const std::pair<QString, Template::BuildCallback> layouts[] = {
        {QStringLiteral("Text Above"), textAbove},
        {QStringLiteral("Text Below"), textBelow},
        {QStringLiteral("Text Above, full device"), textAboveFullDevice},
        {QStringLiteral("Staggered"), staggered},
        {QStringLiteral("Side By Side"), sideBySide},
        {QStringLiteral("Plain Screenshot Text Above"), plainScreenshotTextAbove},
        {QStringLiteral("Plain Screenshot Text Below"), plainScreenshotTextBelow},
    };
    std::vector<std::unique_ptr<Template>> templates;
    for (const auto& [name, build] : layouts)
        templates.push_back(std::make_unique<Template>(name, DisplaySizes::iPhone, theme, build));
    return templates;
}

} // namespace pelorama::templates
