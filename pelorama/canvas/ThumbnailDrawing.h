#pragma once

#include "graphics/Image.h"
#include "graphics/Rect.h"
#include "graphics/Size.h"

#include <QImage>
#include <QSize>
#include <optional>

namespace pelorama::canvas {

// How a screenshot's thumbnail is shown in a cell of the screenshot list: fitted 6 points inside the
// cell on a black backing, with a white 1-point border and a soft shadow below.
struct ThumbnailDrawing
{
    static constexpr double inset = 6;

    // Where the picture and its border go in a cell of cellSize (y-down points from the cell's top left):
    // the cell inset by 6 points, the picture's size fitted into it, rounded outwards to whole points.
    // None when the picture has no finite fitted size.
    static std::optional<graphics::Rect> frame(graphics::Size picture, graphics::Size cellSize);

    // The cell's picture at pixelRatio pixels per point: transparent around the framed picture, whose
    // backing casts the shadow (black at 0.4, one point down, blurred by 2 points). A cell without a
    // frame for the picture is transparent.
    static QImage compose(const graphics::Image& picture, QSize cellSize, double pixelRatio);
};

} // namespace pelorama::canvas
