#pragma once

#include "graphics/Point.h"

namespace pelorama::geometry {

// The two tangent directions where an edge meets another: left points back along the arriving curve, right
// forward along the leaving one. Not necessarily of unit length.
struct TangentPair
{
    graphics::Point left;
    graphics::Point right;
};

} // namespace pelorama::geometry
