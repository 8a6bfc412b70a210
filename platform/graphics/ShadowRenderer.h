#pragma once

#include "graphics/Color.h"

#include <QImage>
#include <array>
#include <memory>

namespace graphics {

// The blur behind shadows: three box-blur passes per axis that together approximate a Gaussian whose
// standard deviation is half the blur radius, as the platform's shadows look.
class ShadowRenderer
{
public:
    // The blurred alpha of a layer, kept one byte per pixel for only the part that can be non-clear.
    // Its coordinates are those of the shadow image render() makes: extent() larger than the layer on
    // every side, layer pixel (x, y) at (x + extent, y + extent), rows running down.
    struct Mask
    {
        // Where the shadow may be non-clear; empty when the layer is clear.
        QRect area;
        // area.height() rows of area.width() bytes, the alpha of the shadow at full opacity.
        std::unique_ptr<quint8[]> alpha;
    };

    // The widths (odd, in pixels) of the three boxes for a blur radius.
    static std::array<int, 3> boxWidths(double blurRadius);
    // How far the blur spreads beyond the drawn pixels, on each side.
    static int extent(double blurRadius);
    // The blurred alpha of layer (any 32-bit premultiplied format).
    static Mask blur(const QImage& layer, double blurRadius);
    // The shadow of the alpha of layer (any 32-bit premultiplied format): a premultiplied RGBA image
    // extent(blurRadius) pixels larger on every side, the blurred alpha tinted with color.
    static QImage render(const QImage& layer, double blurRadius, const Color& color);
    // The part mask.area of the shadow, tinted with color, as a premultiplied RGBA image.
    static QImage tinted(const Mask& mask, const Color& color);
    // Draws the mask tinted with color with its (0, 0) at maskOrigin, then layer at layerOrigin, onto
    // target, both source-over and on every core: the same pixels as QPainter drawing the tinted shadow
    // image and then the layer at those pixel positions, without clip or opacity. target and layer are
    // premultiplied RGBA; target must not be shared with another image while this draws.
    static void drawLayerWithShadow(QImage& target, const QImage& layer, QPoint layerOrigin, const Mask& mask,
                                    QPoint maskOrigin, const Color& color);
};

} // namespace graphics
