#pragma once

#include "graphics/Rect.h"

namespace pelorama::model {

// A drawable that can be hovered, selected and framed on the canvas (images, device images, text rects).
class Selectable
{
public:
    virtual ~Selectable() = default;

    // The drawable's rectangle in canvas points (y up). The canvas view hit-tests it from the last
    // drawable to the first, so the topmost one wins.
    virtual graphics::Rect boundingRect() const = 0;

protected:
    Selectable() = default;
    Selectable(const Selectable&) = default;
    Selectable& operator=(const Selectable&) = default;
};

} // namespace pelorama::model
