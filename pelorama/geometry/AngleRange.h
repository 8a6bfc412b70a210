#pragma once

namespace pelorama::geometry {

// A range of angles in [0, 2pi); a minimum above the maximum means the range runs through angle 0.
struct AngleRange
{
    double minimum = 0;
    double maximum = 0;
};

} // namespace pelorama::geometry
