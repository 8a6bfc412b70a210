#pragma once

#include "graphics/Color.h"
#include "tessaline/Shared/TessalineExport.h"

namespace tessaline {

// Nineteen named opaque colours; each call makes a new value.
class TESSALINE_EXPORT ColorPalette
{
public:
    ColorPalette() = delete;

    static graphics::Color turquoise();
    static graphics::Color greenSea();
    static graphics::Color emerald();
    static graphics::Color nephritis();
    static graphics::Color peterRiver();
    static graphics::Color belizeHole();
    static graphics::Color amethyst();
    static graphics::Color wisteria();
    static graphics::Color wetAsphalt();
    static graphics::Color midnightBlue();
    static graphics::Color sunflower();
    static graphics::Color carrot();
    static graphics::Color pumpkin();
    static graphics::Color alizarin();
    static graphics::Color pomergranate();
    static graphics::Color clouds();
    static graphics::Color silver();
    static graphics::Color concrete();
    static graphics::Color asbestos();
};

} // namespace tessaline
