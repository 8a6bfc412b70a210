#pragma once

#include "graphics/Color.h"
#include "model/entities/BackgroundType.h"
#include "model/entities/ShadowType.h"

#include <QHash>
#include <QString>
#include <vector>

namespace pelorama::templates {

// The look a template gives the screenshot it builds: the background, the caption face and colour, the
// shadows of captions and devices, and the device colour variants. A default theme has a solid white
// background and black "HelveticaNeue-Light" captions without shadow.
struct Theme
{
    // A shadow as the builder copies it onto a drawable's six shadow keys.
    struct ShadowDescriptor
    {
        model::ShadowType type = model::ShadowType::none;
        double angle = 270; // degrees, counter-clockwise from +x: 270 casts straight down
        double depth = 1;
        double distance = 10;   // canvas points
        double blurRadius = 10; // canvas points
        graphics::Color color{0, 0, 0, 0.5};

        friend bool operator==(const ShadowDescriptor&, const ShadowDescriptor&) = default;

        static const ShadowDescriptor& defaultTextShadow();
        static const ShadowDescriptor& defaultDeviceShadow();
    };

    QString name = QStringLiteral("Unnamed Theme");
    model::BackgroundType backgroundType = model::BackgroundType::solid;
    graphics::Color solidBackgroundColor{1, 1, 1, 1};
    // The stock gradient whose colours become a built screenshot's gradient colours.
    QString gradientIdentifier = QStringLiteral("tivel");
    // The face, by PostScript name, that captions are converted to at their own size.
    QString fontFamily = QStringLiteral("HelveticaNeue-Light");
    graphics::Color textColor{0, 0, 0, 1};
    ShadowDescriptor textShadow = ShadowDescriptor::defaultTextShadow();
    ShadowDescriptor deviceShadow = ShadowDescriptor::defaultDeviceShadow();
    // Device family identifier -> variant identifier, for primary and for secondary devices.
    QHash<QString, QString> preferredDeviceVariants;
    QHash<QString, QString> preferredSecondaryDeviceVariants;

    friend bool operator==(const Theme&, const Theme&) = default;

    // The built-in themes "Ocean", "Industrial", "White", "Professional", "Summer" and "Vivid", in this
    // order: a constant list, built on first use from any thread.
    static const std::vector<Theme>& all();
};

} // namespace pelorama::templates
