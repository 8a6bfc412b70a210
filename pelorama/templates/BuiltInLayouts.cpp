#include "templates/BuiltInLayouts.h"

#include "templates/DisplaySizes.h"

namespace pelorama::templates {

namespace {

using namespace layout;
using Caption = TemplateLayout::Caption;
using Device = TemplateLayout::Device;
using Picture = TemplateLayout::Picture;
using graphics::TextAlignment;
using model::DeviceOrientation;
using model::FillMode;

// The caption across the canvas above the anchor, or below it.
constexpr Caption above{{0, maxY, W, H - maxY}, 50, 25};
constexpr Caption below{{0, 0, W, minY}, 50, 25};
// The caption in the full height beside the anchor, on its right or on its left.
constexpr Caption rightOf{{maxX + 50, 50, W - maxX - 150, H - 100}, 0, 0, TextAlignment::left};
constexpr Caption leftOf{{100, 50, minX - 150, H - 100}, 0, 0, TextAlignment::left};
// Beside or above a laptop the caption reaches into the device's rectangle, over its empty base.
constexpr Caption rightOfLaptop{{maxX - 200, 50, W - maxX + 100, H - 100}, 0, 0, TextAlignment::left};
constexpr Caption leftOfLaptop{{100, 50, minX + 100, H - 100}, 0, 0, TextAlignment::left};
constexpr Caption aboveLaptop{{0, maxY - 100, W, H - maxY + 100}, 50, 25};
// A caption in a corner that the pictures leave free.
constexpr Caption corner(X x, Y y)
{
    return {{x, y, 0.34 * W, 0.34 * H}, 50, 50};
}

// The devices of the layouts, centred at fractions of the canvas width and height.
Device phone(double x, double y, double scaleFactor)
{
    return {QStringLiteral("iPhone"), x, y, scaleFactor};
}

// Drawn in the theme's secondary variant.
Device secondaryPhone(double x, double y, double scaleFactor)
{
    return {QStringLiteral("iPhone"), x, y, scaleFactor, DeviceOrientation::portrait, true};
}

// Turned to orientation before the caption is placed against it.
Device tablet(double x, double y, double scaleFactor, DeviceOrientation orientation)
{
    return {QStringLiteral("iPad"), x, y, scaleFactor, orientation};
}

Device iMac(double x, double y, double scaleFactor)
{
    return {QStringLiteral("iMac"), x, y, scaleFactor};
}

Device macBook(double x, double y, double scaleFactor)
{
    return {QStringLiteral("MacBook"), x, y, scaleFactor};
}

// A placeholder for a capture: stretched on phones and tablets, fitting its proportions as a Mac window.
Picture picture(const Rect& rect)
{
    return {rect, FillMode::stretch};
}

Picture window(const Rect& rect)
{
    return {rect, FillMode::aspectFit};
}

struct Row
{
    const char* name;
    graphics::Size size;
    std::vector<TemplateLayout::Element> elements;
};

// The rows of a category, whose captions all take face (none: the theme's).
void add(std::vector<TemplateLayout>& layouts, const QString& category,
         const std::optional<TemplateLayout::CaptionFace>& face, const std::vector<Row>& rows)
{
    for (const Row& row : rows)
        layouts.push_back({category, QString::fromLatin1(row.name), row.size, face, row.elements});
}

std::vector<TemplateLayout> makeLayouts()
{
    constexpr graphics::Size phoneCanvas = DisplaySizes::iPhone;
    constexpr graphics::Size landscape = DisplaySizes::iPadLandscape;
    constexpr graphics::Size portrait = DisplaySizes::iPadPortrait;
    constexpr graphics::Size macCanvas = DisplaySizes::mac;
    const QString thin = QStringLiteral("HelveticaNeue-Thin");
    const DeviceOrientation turned = DeviceOrientation::landscapeLeft;
    const DeviceOrientation upright = DeviceOrientation::portrait;
    std::vector<TemplateLayout> layouts;

    // In "Staggered" and "Side By Side" the primary phone is drawn over the secondary one, and the caption
    // placed against it. The plain screenshots reach past the bottom or the top edge of the canvas.
    add(layouts, QStringLiteral("iPhone"), std::nullopt,
        {
            {"Text Above", phoneCanvas, {phone(0.5, 0.25, 0.8), above}},
            {"Text Below", phoneCanvas, {phone(0.5, 0.75, 0.8), below}},
            {"Text Above, full device", phoneCanvas, {phone(0.5, 0.4, 0.5), above}},
            {"Staggered", phoneCanvas, {secondaryPhone(0.6, 0.29, 0.65), phone(0.4, 0.34, 0.65), above}},
            {"Side By Side", phoneCanvas, {secondaryPhone(0.7, 0.4, 0.45), phone(0.325, 0.4, 0.5), above}},
            {"Plain Screenshot Text Above", phoneCanvas, {picture({0.1 * W, -100, 0.8 * W, 0.8 * H}), above}},
            {"Plain Screenshot Text Below",
             phoneCanvas,
             {picture({0.1 * W, 0.2 * H + 100, 0.8 * W, 0.8 * H}), below}},
        });

    // "Two Screenshots" has pictures in two opposite corners, the lower right one on top, and captions in
    // the others.
    add(layouts, QStringLiteral("iPad"), TemplateLayout::CaptionFace{thin, 80},
        {
            {"Landscape Text Above", landscape, {tablet(0.5, 0.3, 0.7, turned), above}},
            {"Landscape Text Below", landscape, {tablet(0.5, 0.7, 0.7, turned), below}},
            {"Portrait Text Above", portrait, {tablet(0.5, 0.3, 0.7, upright), above}},
            {"Portrait Text Below", portrait, {tablet(0.5, 0.7, 0.7, upright), below}},
            {"Two Screenshots",
             landscape,
             {picture({0, 0.34 * H, 0.66 * W, 0.66 * H}), picture({0.34 * W, 0, 0.66 * W, 0.66 * H}),
              corner(0.66 * W, 0.66 * H), corner(0, 0)}},
        });

    add(layouts, QStringLiteral("Mac"), TemplateLayout::CaptionFace{thin, 120},
        {
            {"Text Above Window", macCanvas, {window({50, 50, W - 100, 0.66 * H}), above}},
            {"Text Below Window", macCanvas, {window({50, 0.34 * H - 50, W - 100, 0.66 * H}), below}},
            {"Text Right Of Window", macCanvas, {window({50, 50, 0.5 * W - 75, H - 100}), rightOf}},
            {"Text Left Of Window",
             macCanvas,
             {window({0.5 * W + 25, 50, 0.5 * W - 75, H - 100}),
              Caption{{100, 50, 0.5 * W - 125, H - 100}, 0, 0, TextAlignment::left}}},
            {"iMac Left", macCanvas, {iMac(0.2, 0.5, 0.7), rightOf}},
            {"iMac Right", macCanvas, {iMac(0.8, 0.5, 0.7), leftOf}},
            {"Text Above iMac", macCanvas, {iMac(0.5, 0.35, 0.7), above}},
            {"MacBook Left", macCanvas, {macBook(0.15, 0.5, 0.75), rightOfLaptop}},
            {"MacBook Right", macCanvas, {macBook(0.85, 0.5, 0.75), leftOfLaptop}},
            {"Text Above MacBook", macCanvas, {macBook(0.5, 0.3, 0.7), aboveLaptop}},
        });
    return layouts;
}

} // namespace

const std::vector<TemplateLayout>& builtInLayouts()
{
    static const std::vector<TemplateLayout> layouts = makeLayouts();
    return layouts;
}

} // namespace pelorama::templates
