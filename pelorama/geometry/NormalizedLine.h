#pragma once

#include "graphics/Point.h"

#include <cmath>

namespace pelorama::geometry {

// The line a*x + b*y + c = 0 with (a, b) a unit normal: the direction from p1 to p2 turned a quarter turn
// counter-clockwise. Coinciding points give the all-zero line.
struct NormalizedLine
{
    double a = 0;
    double b = 0;
    double c = 0;

    static NormalizedLine through(const graphics::Point& p1, const graphics::Point& p2)
    {
        const double d = std::hypot(p2.x - p1.x, p2.y - p1.y);
        if (d == 0)
            return {};
        return {(p1.y - p2.y) / d, (p2.x - p1.x) / d, (p1.x * p2.y - p2.x * p1.y) / d};
    }

    double distanceFromPoint(const graphics::Point& p) const { return a * p.x + b * p.y + c; }
};

} // namespace pelorama::geometry
