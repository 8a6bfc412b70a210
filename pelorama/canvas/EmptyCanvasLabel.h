#pragma once

#include "tessaline/Tessaline/MarkupLabel.h"

namespace pelorama::canvas {

// What a canvas view shows while it has no canvas: "No screenshot selected" and how to add one, in the
// disabled text colour, centred vertically and spanning the view's width. Mouse events pass through it.
class EmptyCanvasLabel : public tessaline::MarkupLabel
{
    Q_OBJECT

public:
    explicit EmptyCanvasLabel(QWidget& view);

    // Places the label in the view's current bounds.
    void place();
};

} // namespace pelorama::canvas
