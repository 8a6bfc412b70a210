#pragma once

#include "graphics/Point.h"
#include "graphics/Rect.h"
#include "graphics/Size.h"

namespace pelorama::canvas {

// The one mapping between canvas points and the canvas view's points. Both spaces are y up with the
// origin at the bottom left; the canvas fills the fitted rectangle F: its size aspect-fitted into the
// view's bounds, centred. Made afresh from the current bounds whenever it is needed.
class CanvasMapping
{
public:
    CanvasMapping(graphics::Size canvasSize, const graphics::Rect& bounds);

    // False when the canvas or the bounds have no area, or F is not finite: nothing maps then.
    bool isValid() const { return m_valid; }
    const graphics::Rect& fittedRect() const { return m_fitted; }
    // View points per canvas point (F.width / canvas width).
    double scale() const { return m_fitted.size.width / m_canvasSize.width; }

    graphics::Point viewPoint(graphics::Point canvasPoint) const;
    graphics::Point canvasPoint(graphics::Point viewPoint) const;
    // The standardised canvas rectangle mapped into the view.
    graphics::Rect viewRect(const graphics::Rect& canvasRect) const;

private:
    graphics::Size m_canvasSize;
    graphics::Rect m_fitted;
    bool m_valid = false;
};

} // namespace pelorama::canvas
