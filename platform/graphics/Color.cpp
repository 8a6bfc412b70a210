#include "graphics/Color.h"

#include <algorithm>
#include <cmath>

namespace graphics {
namespace {

float clampedComponent(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<float>(std::clamp(value, 0.0, 1.0));
}

} // namespace

QColor Color::toQColor() const
{
    return QColor::fromRgbF(clampedComponent(red), clampedComponent(green), clampedComponent(blue),
                            clampedComponent(alpha));
}

Color Color::fromQColor(const QColor& color, ColorSpace space)
{
    const QColor rgb = color.toRgb();
    return {rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF(), space};
}

} // namespace graphics
