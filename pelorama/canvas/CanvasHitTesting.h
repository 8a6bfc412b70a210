#pragma once

#include "canvas/CanvasMapping.h"
#include "graphics/Point.h"

namespace pelorama::model {
class Canvas;
class Selectable;
} // namespace pelorama::model

namespace pelorama::canvas {

// The topmost selectable drawable of canvas under a view point: of those whose bounding rectangle holds
// the point mapped into the canvas, the one drawn last. None outside the fitted rectangle, or where
// nothing maps. A rectangle holds its minimum edges and not its maximum ones.
model::Selectable* selectableAt(const model::Canvas& canvas, const CanvasMapping& mapping,
                                graphics::Point viewPoint);

} // namespace pelorama::canvas
