#pragma once

#include "graphics/Color.h"

#include <QImage>
#include <array>

namespace graphics {

// The blur behind shadows: three box-blur passes per axis that together approximate a Gaussian whose
// standard deviation is half the blur radius, as the platform's shadows look.
class ShadowRenderer
{
public:
    // The widths (odd, in pixels) of the three boxes for a blur radius.
    static std::array<int, 3> boxWidths(double blurRadius);
    // How far the blur spreads beyond the drawn pixels, on each side.
    static int extent(double blurRadius);
    // The shadow of the alpha of layer (any 32-bit premultiplied format): a premultiplied RGBA image
    // extent(blurRadius) pixels larger on every side, the blurred alpha tinted with color.
    static QImage render(const QImage& layer, double blurRadius, const Color& color);
};

} // namespace graphics
