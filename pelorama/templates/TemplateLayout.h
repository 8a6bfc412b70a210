#pragma once

#include "graphics/ParagraphStyle.h"
#include "graphics/Size.h"
#include "model/entities/DeviceOrientation.h"
#include "model/entities/FillMode.h"
#include "templates/LayoutLength.h"

#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace pelorama::templates {

class Builder;

// A template's layout as data: its category and title, its canvas size in canvas points, and what it
// places, in drawing order (the first underneath). build() adds the elements through a Builder, which
// styles them in the builder's theme.
struct TemplateLayout
{
    // A device frame centred at fractions of the canvas width and height, upright unless turned. A
    // secondary device shows the theme's secondary variant.
    struct Device
    {
        QString familyIdentifier;
        double x = 0.5;
        double y = 0.5;
        double scaleFactor = 1;
        model::DeviceOrientation orientation = model::DeviceOrientation::portrait;
        bool secondary = false;
    };

    // A picture placeholder: an image drawable without a picture.
    struct Picture
    {
        layout::Rect rect;
        model::FillMode fillMode = model::FillMode::stretch;
    };

    // A caption reading "Your text here!", centred vertically, in rect shrunk by insetX on the left and
    // the right and by insetY at the bottom and the top.
    struct Caption
    {
        layout::Rect rect;
        double insetX = 0;
        double insetY = 0;
        graphics::TextAlignment alignment = graphics::TextAlignment::center;
    };

    using Element = std::variant<Device, Picture, Caption>;

    // A face, by PostScript name, and size that captions take in place of the theme's face.
    struct CaptionFace
    {
        QString postScriptName;
        double pointSize = 0;
    };

    QString category = {};
    QString name = {};
    graphics::Size size = {};
    // None: captions keep the theme's face at the size they are inserted with.
    std::optional<CaptionFace> captionFace = {};
    std::vector<Element> elements = {};

    // Adds the elements in order to the builder's screenshot. Lengths resolve against the screenshot's
    // size and the rectangle of the device or picture added last; a device is turned after it is added,
    // so what follows is placed against its turned rectangle. A family the device catalogue lacks, or a
    // length against an anchor before any device or picture, stops the process.
    void build(Builder& builder) const;
};

} // namespace pelorama::templates
