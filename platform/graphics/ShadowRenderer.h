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
    // every side, layer pixel (x, y) at (x + extent, y + extent), rows running down (but see
    // blurReduced()).
    struct Mask
    {
        // Where the shadow may be non-clear; empty when the layer is clear.
        QRect area;
        // area.height() rows of area.width() bytes, the alpha of the shadow at full opacity.
        std::unique_ptr<quint8[]> alpha;
    };

    // Blurs up to this radius (in pixels) are worked out at full resolution where they are drawn; wider
    // ones on a layer drawn reduced by reduction(), their alpha within about a level of the full blur's:
    // their boxes are over 128 reduced pixels wide, so that interpolating between reduced pixels, and
    // widths rounded to whole reduced pixels, change it by less than a level. (Fine detail such as thin
    // text is drawn reduced less faithfully, in a shadow spread too wide to show it.) Memory and time then
    // go with the visible area, however wide the blur.
    static constexpr double largestFullRadius = 512;
    // The widest blur: 2^24 pixels, over 300 times the diagonal of the largest bitmap. Anything as large as
    // that bitmap, spread that wide, leaves under a thousandth of a level anywhere, as it does spread wider
    // still; so wider radii are taken as this one.
    static constexpr double largestRadius = 1 << 24;

    // The radius a blur is worked out with: blurRadius within 0 ... largestRadius, 0 for a radius that is
    // no number.
    static double boundedRadius(double blurRadius);
    // How many pixels on each side one pixel of the layer a blur works on stands for: 1 up to
    // largestFullRadius, then enough to bring the radius to at most 256 reduced pixels.
    static int reduction(double blurRadius);
    // The widths (odd, in pixels) of the three boxes for a blur radius (bounded as above).
    static std::array<int, 3> boxWidths(double blurRadius);
    // How far the blur spreads beyond the drawn pixels, on each side, worked out at full resolution.
    static int extent(double blurRadius);
    // How far it spreads as drawn: extent() up to largestFullRadius, then reduction() times the extent of
    // the reduced blur.
    static int spread(double blurRadius);
    // The blurred alpha of layer (any 32-bit premultiplied format), at full resolution whatever the
    // radius: the mask is (layer + 2 extent) pixels on a side, so wide blurs go through blurReduced().
    static Mask blur(const QImage& layer, double blurRadius);
    // The blurred alpha, at full resolution and only within wanted, of a layer drawn reduced by factor
    // (reduction(blurRadius), or 1): the layer's pixel (x, y) stands for the full pixels from
    // (factor x, factor y) on. Here the mask's coordinates, and wanted's, are full pixels with the layer's
    // top-left corner at (0, 0); the mask reaches spread(blurRadius) beyond the layer at most. Its memory
    // and time go with the reduced layer and with wanted, however wide the blur.
    static Mask blurReduced(const QImage& reducedLayer, int factor, double blurRadius, const QRect& wanted);
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
