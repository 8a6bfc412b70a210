#pragma once

#include "graphics/Color.h"
#include "graphics/Size.h"

namespace graphics {

// A drop shadow as a graphics context applies it to each drawing: the drawn alpha blurred by blurRadius,
// tinted with color and moved by offset. Offset and blur are in device pixels of a y-up space (a positive
// height moves the shadow up) and do not follow the context's transform.
struct Shadow
{
    // The platform's default: black at a third opacity.
    Color color{0, 0, 0, 1.0 / 3.0};
    Size offset;
    double blurRadius = 0;

    friend bool operator==(const Shadow&, const Shadow&) = default;
};

} // namespace graphics
