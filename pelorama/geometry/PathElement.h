#pragma once

#include "graphics/PathElement.h"
#include "graphics/Point.h"

namespace pelorama::geometry {

// One element of a path as the boolean operations read it. Note the order: in both curve kinds the end point
// comes first, before the control points.
struct PathElement
{
    enum class Kind
    {
        move,
        line,
        quadCurve,
        cubicCurve,
        close,
    };

    Kind kind = Kind::move;
    graphics::Point to;
    graphics::Point via; // the control point of a quadratic curve, the first of a cubic one
    graphics::Point v2;  // the second control point of a cubic curve

    static PathElement move(graphics::Point to) { return {Kind::move, to, {}, {}}; }
    static PathElement line(graphics::Point to) { return {Kind::line, to, {}, {}}; }
    static PathElement quadCurve(graphics::Point to, graphics::Point via)
    {
        return {Kind::quadCurve, to, via, {}};
    }
    static PathElement cubicCurve(graphics::Point to, graphics::Point v1, graphics::Point v2)
    {
        return {Kind::cubicCurve, to, v1, v2};
    }
    static PathElement close() { return {Kind::close, {}, {}, {}}; }

    // Reads a platform element; an unknown kind reads as a move to its first point.
    static PathElement fromElement(const graphics::PathElement& element);

    friend bool operator==(const PathElement&, const PathElement&) = default;
};

} // namespace pelorama::geometry
