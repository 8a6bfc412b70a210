#include "model/DeviceImage.h"
#include "model/Image.h"
#include "model/TextRect.h"
#include "templates/Builder.h"
#include "templates/BuiltInTemplates.h"
#include "templates/DisplaySizes.h"
#include "templates/LayoutSupport.h"

namespace pelorama::templates {

namespace {

using namespace layout;
using model::DeviceOrientation;

const QString iPad = QStringLiteral("iPad");
constexpr double captionPointSize = 80;

// A tablet centred across at height fraction y of the canvas, turned to orientation before its caption
// is placed against it.
model::DeviceImage& addTablet(Builder& builder, double y, DeviceOrientation orientation)
{
    const graphics::Size size = canvasSize(builder);
    model::DeviceImage& device = builder.addDevice(iPad, {0.5 * size.width, y * size.height}, 0.7);
    settleDevice(device, iPad, orientation);
    return device;
}

void textAbove(Builder& builder, DeviceOrientation orientation)
{
    const model::DeviceImage& device = addTablet(builder, 0.3, orientation);
    useThinFont(addCaptionAbove(builder, device.rect().maxY()), captionPointSize);
}

void textBelow(Builder& builder, DeviceOrientation orientation)
{
    const model::DeviceImage& device = addTablet(builder, 0.7, orientation);
    useThinFont(addCaptionBelow(builder, device.rect().minY()), captionPointSize);
}

// Two screenshots in opposite corners, the lower right one on top, and captions in the free corners.
void twoScreenshots(Builder& builder)
{
    const graphics::Size size = canvasSize(builder);
    const double width = size.width;
    const double height = size.height;
    const model::Image& topLeft =
        builder.addImage(graphics::Rect(0, 0.34 * height, 0.66 * width, 0.66 * height), std::nullopt,
                         model::FillMode::stretch);
    const model::Image& bottomRight = builder.addImage(
        graphics::Rect(0.34 * width, 0, 0.66 * width, 0.66 * height), std::nullopt, model::FillMode::stretch);
    const graphics::Rect topRight(topLeft.rect().maxX(), bottomRight.rect().maxY(), 0.34 * width,
                                  0.34 * height);
    useThinFont(addCaption(builder, topRight.insetBy(50, 50)), captionPointSize);
    const graphics::Rect bottomLeft(0, 0, 0.34 * width, 0.34 * height);
    useThinFont(addCaption(builder, bottomLeft.insetBy(50, 50)), captionPointSize);
}

} // namespace

std::vector<std::unique_ptr<Template>> iPadTemplates(const Theme& theme)
{
    const std::tuple<QString, graphics::Size, Template::BuildCallback> layouts[] = {
        {QStringLiteral("Landscape Text Above"), DisplaySizes::iPadLandscape,
         [](Builder& builder) {
             textAbove(builder, DeviceOrientation::landscapeLeft);
         }},
        {QStringLiteral("Landscape Text Below"), DisplaySizes::iPadLandscape,
         [](Builder& builder) {
             textBelow(builder, DeviceOrientation::landscapeLeft);
         }},
        {QStringLiteral("Portrait Text Above"), DisplaySizes::iPadPortrait,
         [](Builder& builder) {
             textAbove(builder, DeviceOrientation::portrait);
         }},
        {QStringLiteral("Portrait Text Below"), DisplaySizes::iPadPortrait,
         [](Builder& builder) {
             textBelow(builder, DeviceOrientation::portrait);
         }},
        {QStringLiteral("Two Screenshots"), DisplaySizes::iPadLandscape, twoScreenshots},
    };
    std::vector<std::unique_ptr<Template>> templates;
    for (const auto& [name, size, build] : layouts)
        templates.push_back(std::make_unique<Template>(name, size, theme, build));
    return templates;
}

} // namespace pelorama::templates
