#pragma once

namespace pelorama::geometry {

// A closed range of curve parameters (the clipping also keeps ranges of signed distances in it). No order
// of the two values is enforced.
struct Range
{
    double minimum = 0;
    double maximum = 0;

    double size() const { return maximum - minimum; }
    double middle() const { return (minimum + maximum) * 0.5; }
};

} // namespace pelorama::geometry
