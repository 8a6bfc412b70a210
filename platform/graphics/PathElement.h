#pragma once

#include "graphics/Point.h"

#include <array>

namespace graphics {

// The kinds of path element, in the platform's order (move 0 ... close 4).
enum class PathElementType
{
    moveTo,
    lineTo,
    quadCurveTo,
    curveTo,
    closeSubpath,
};

// One element of a Path. The points are kept in the platform's order: a move or a line has its point
// first; a quadratic curve its control point, then its end point; a cubic curve its two control points,
// then its end point. Unused points are zero.
struct PathElement
{
    PathElementType type = PathElementType::moveTo;
    std::array<Point, 3> points{};

    // The point where the element ends, or the zero point for a close.
    Point endPoint() const;

    friend bool operator==(const PathElement&, const PathElement&) = default;
};

} // namespace graphics
