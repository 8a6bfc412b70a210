#pragma once

#include "graphics/Color.h"
#include "graphics/WindingRule.h"

#include <QImage>
#include <QPolygonF>
#include <QRect>
#include <QTransform>

class QPainterPath;

namespace graphics {

// Fills a path into a layer by accumulating the signed area each edge covers in every pixel, in one pass
// over the edges and one over the pixels. It costs a small fraction of the painter's antialiased fill for
// large shapes made of many overlapping polygons, such as shadow bands reaching across a canvas. Coverage
// at edges may differ from the painter's by a level or two, so it serves drawing for the screen, never
// drawing that must match exported pixels.
class CoverageRasterizer
{
public:
    CoverageRasterizer() = delete;

    // shape under transform (to pixel rows running down) filled with colour into a transparent layer of
    // area's size, whose top-left pixel is area's top-left. Curves are flattened. A null image when the
    // layer cannot be made.
    static QImage fill(const QPainterPath& shape, WindingRule rule, const QTransform& transform,
                       const QRect& area, const Color& colour);
};

} // namespace graphics
