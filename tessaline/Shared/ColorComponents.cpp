#include "tessaline/Shared/ColorComponents.h"

#include <algorithm>
#include <cmath>

namespace tessaline {

graphics::Color colorWithRgba(double red, double green, double blue, double alpha)
{
    return graphics::Color{red, green, blue, alpha};
}

graphics::Color colorWithHsba(double hue, double saturation, double brightness, double alpha)
{
    // Hue turns around: 1 is red again, as 0 is.
    const double turn = hue - std::floor(hue);
    const double sector = turn * 6;
    const double whole = std::floor(sector);
    const double fraction = sector - whole;
    const double v = brightness;
    const double p = v * (1 - saturation);
    const double q = v * (1 - saturation * fraction);
    const double t = v * (1 - saturation * (1 - fraction));
    switch (static_cast<int>(whole) % 6) {
    case 0:
        return colorWithRgba(v, t, p, alpha);
    case 1:
        return colorWithRgba(q, v, p, alpha);
    case 2:
        return colorWithRgba(p, v, t, alpha);
    case 3:
        return colorWithRgba(p, q, v, alpha);
    case 4:
        return colorWithRgba(t, p, v, alpha);
    default:
        return colorWithRgba(v, p, q, alpha);
    }
}

Rgba rgba(const graphics::Color& color)
{
    return Rgba{color.red, color.green, color.blue, color.alpha};
}

Hsba hsba(const graphics::Color& color)
{
    const double maximum = std::max({color.red, color.green, color.blue});
    const double minimum = std::min({color.red, color.green, color.blue});
    const double delta = maximum - minimum;
    Hsba result{0, 0, maximum, color.alpha};
    if (maximum != 0) {
        result.saturation = delta / maximum;
    }
    if (delta != 0) {
        double hue = 0;
        if (maximum == color.red) {
            hue = (color.green - color.blue) / delta;
        } else if (maximum == color.green) {
            hue = 2 + (color.blue - color.red) / delta;
        } else {
            hue = 4 + (color.red - color.green) / delta;
        }
        hue /= 6;
        result.hue = hue < 0 ? hue + 1 : hue;
    }
    return result;
}

graphics::Color withScaledBrightness(const graphics::Color& color, double factor)
{
    const Hsba h = hsba(color);
    return colorWithHsba(h.hue, h.saturation, h.brightness * factor, h.alpha);
}

graphics::Color darker(const graphics::Color& color)
{
    return withScaledBrightness(color, 0.8);
}

graphics::Color lighter(const graphics::Color& color)
{
    return withScaledBrightness(color, 1.25);
}

graphics::Color interpolate(const graphics::Color& first, const graphics::Color& second, double position)
{
    const Rgba a = rgba(first);
    const Rgba b = rgba(second);
    return colorWithRgba((b.red - a.red) * position + a.red, (b.green - a.green) * position + a.green,
                         (b.blue - a.blue) * position + a.blue, (b.alpha - a.alpha) * position + a.alpha);
}

} // namespace tessaline
