#pragma once

#include "graphics/Point.h"

#include <cmath>

namespace pelorama::geometry {

// Points double as vectors in the curve code.
inline graphics::Point add(const graphics::Point& a, const graphics::Point& b)
{
    return {a.x + b.x, a.y + b.y};
}

inline graphics::Point subtract(const graphics::Point& a, const graphics::Point& b)
{
    return {a.x - b.x, a.y - b.y};
}

inline graphics::Point scale(const graphics::Point& a, double factor)
{
    return {a.x * factor, a.y * factor};
}

inline double dot(const graphics::Point& a, const graphics::Point& b)
{
    return a.x * b.x + a.y * b.y;
}

inline double vectorLength(const graphics::Point& a)
{
    return std::sqrt(a.x * a.x + a.y * a.y);
}

inline double distanceBetween(const graphics::Point& a, const graphics::Point& b)
{
    return vectorLength(subtract(a, b));
}

// The vector divided by its length; a zero vector stays as it is.
inline graphics::Point normalized(const graphics::Point& a)
{
    const double length = vectorLength(a);
    return length != 0 ? graphics::Point{a.x / length, a.y / length} : a;
}

} // namespace pelorama::geometry
