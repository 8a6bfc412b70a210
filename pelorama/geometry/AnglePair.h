#pragma once

namespace pelorama::geometry {

// A pair of angles in radians.
struct AnglePair
{
    double a = 0;
    double b = 0;
};

} // namespace pelorama::geometry
