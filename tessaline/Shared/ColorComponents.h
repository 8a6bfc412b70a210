#pragma once

#include "graphics/Color.h"
#include "tessaline/Shared/TessalineExport.h"

namespace tessaline {

// A colour's red, green, blue and alpha components, 0...1 for ordinary colours; nothing here clamps them.
struct Rgba
{
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 0;
};

// A colour's hue (a fraction of the full turn, 0...1), saturation, brightness and alpha.
struct Hsba
{
    double hue = 0;
    double saturation = 0;
    double brightness = 0;
    double alpha = 0;
};

TESSALINE_EXPORT graphics::Color colorWithRgba(double red, double green, double blue, double alpha);
TESSALINE_EXPORT graphics::Color colorWithHsba(double hue, double saturation, double brightness,
                                               double alpha);

TESSALINE_EXPORT Rgba rgba(const graphics::Color& color);
TESSALINE_EXPORT Hsba hsba(const graphics::Color& color);

// The colour with its brightness multiplied by factor; hue, saturation and alpha stay.
TESSALINE_EXPORT graphics::Color withScaledBrightness(const graphics::Color& color, double factor);
TESSALINE_EXPORT graphics::Color darker(const graphics::Color& color);  // brightness times 0.8
TESSALINE_EXPORT graphics::Color lighter(const graphics::Color& color); // brightness times 1.25

// The point at position on the straight line from first to second in RGBA space, alpha included; positions
// outside 0...1 extrapolate.
TESSALINE_EXPORT graphics::Color interpolate(const graphics::Color& first, const graphics::Color& second,
                                             double position);

} // namespace tessaline
