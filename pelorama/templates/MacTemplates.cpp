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
using graphics::Rect;
using graphics::TextAlignment;

constexpr double captionPointSize = 120;

// The window picture of a layout, placed by a function of the canvas size.
using WindowPlacement = Rect (*)(graphics::Size);
// Where the caption goes, given the canvas size and the window picture's or device's rectangle.
using CaptionPlacement = Rect (*)(graphics::Size, const Rect&);

struct Layout
{
    QString name;
    Template::BuildCallback build;
};

void addMacCaption(Builder& builder, const Rect& rect, TextAlignment alignment)
{
    useThinFont(addCaption(builder, rect, alignment), captionPointSize);
}

Template::BuildCallback windowLayout(WindowPlacement window, CaptionPlacement caption,
                                     TextAlignment alignment)
{
    return [=](Builder& builder) {
        const graphics::Size size = canvasSize(builder);
        const model::Image& image = builder.addImage(window(size), std::nullopt, model::FillMode::aspectFit);
        addMacCaption(builder, caption(size, image.rect()), alignment);
    };
}

Template::BuildCallback deviceLayout(const QString& family, double x, double y, double scaleFactor,
                                     CaptionPlacement caption, TextAlignment alignment)
{
    return [=](Builder& builder) {
        const graphics::Size size = canvasSize(builder);
        model::DeviceImage& device =
            builder.addDevice(family, {x * size.width, y * size.height}, scaleFactor);
        settleDevice(device, family);
        addMacCaption(builder, caption(size, device.rect()), alignment);
    };
}

// The caption across the canvas above the rectangle, or below it.
Rect above(graphics::Size size, const Rect& rect)
{
    return Rect(0, rect.maxY(), size.width, size.height - rect.maxY()).insetBy(50, 25);
}

Rect below(graphics::Size size, const Rect& rect)
{
    return Rect(0, 0, size.width, rect.minY()).insetBy(50, 25);
}

// The caption in the full height beside the rectangle, on its right or on its left.
Rect rightOf(graphics::Size size, const Rect& rect)
{
    return {rect.maxX() + 50, 50, size.width - rect.maxX() - 150, size.height - 100};
}

Rect leftOf(graphics::Size size, const Rect& rect)
{
    return {100, 50, rect.minX() - 150, size.height - 100};
}

// Beside a laptop the caption reaches 200 points into the device's rectangle, over its empty base.
Rect rightOfLaptop(graphics::Size size, const Rect& rect)
{
    return {rect.maxX() - 200, 50, size.width - rect.maxX() + 100, size.height - 100};
}

Rect leftOfLaptop(graphics::Size size, const Rect& rect)
{
    return {100, 50, rect.minX() + 100, size.height - 100};
}

Rect aboveLaptop(graphics::Size size, const Rect& rect)
{
    return Rect(0, rect.maxY() - 100, size.width, size.height - rect.maxY() + 100).insetBy(50, 25);
}

} // namespace

std::vector<std::unique_ptr<Template>> macTemplates(const Theme& theme)
{
    const QString iMac = QStringLiteral("iMac");
    const QString macBook = QStringLiteral("MacBook");
    const TextAlignment centre = TextAlignment::center;
    const TextAlignment left = TextAlignment::left;
    const Layout layouts[] = {
        {QStringLiteral("Text Above Window"),
         windowLayout([](graphics::Size size) { return Rect(50, 50, size.width - 100, 0.66 * size.height); },
                      above, centre)},
        {QStringLiteral("Text Below Window"), windowLayout(
                                                  [](graphics::Size size) {
                                                      return Rect(50, 0.34 * size.height - 50,
                                                                  size.width - 100, 0.66 * size.height);
                                                  },
                                                  below, centre)},
        {QStringLiteral("Text Right Of Window"),
         windowLayout(
             [](graphics::Size size) { return Rect(50, 50, 0.5 * size.width - 75, size.height - 100); },
             rightOf, left)},
        {QStringLiteral("Text Left Of Window"),
         windowLayout(
             [](graphics::Size size) {
                 return Rect(0.5 * size.width + 25, 50, 0.5 * size.width - 75, size.height - 100);
             },
             [](graphics::Size size, const Rect&) {
                 return Rect(100, 50, 0.5 * size.width - 125, size.height - 100);
             },
             left)},
        {QStringLiteral("iMac Left"), deviceLayout(iMac, 0.2, 0.5, 0.7, rightOf, left)},
        {QStringLiteral("iMac Right"), deviceLayout(iMac, 0.8, 0.5, 0.7, leftOf, left)},
        {QStringLiteral("Text Above iMac"), deviceLayout(iMac, 0.5, 0.35, 0.7, above, centre)},
        {QStringLiteral("MacBook Left"), deviceLayout(macBook, 0.15, 0.5, 0.75, rightOfLaptop, left)},
        {QStringLiteral("MacBook Right"), deviceLayout(macBook, 0.85, 0.5, 0.75, leftOfLaptop, left)},
        {QStringLiteral("Text Above MacBook"), deviceLayout(macBook, 0.5, 0.3, 0.7, aboveLaptop, centre)},
    };
    std::vector<std::unique_ptr<Template>> templates;
    for (const Layout& layout : layouts)
        templates.push_back(std::make_unique<Template>(layout.name, DisplaySizes::mac, theme, layout.build));
    return templates;
}

} // namespace pelorama::templates
