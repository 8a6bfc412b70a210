#pragma once

#include "graphics/PathElement.h"
#include "graphics/Point.h"

namespace pelorama::geometry {

// One element of a path as a BezierGraph reads it for the boolean operations. Note the order: in both curve
// kinds the end point comes first, before the control points.
struct BezierGraphElement
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

    static BezierGraphElement moveTo(graphics::Point to) { return {Kind::move, to, {}, {}}; }
    static BezierGraphElement lineTo(graphics::Point to) { return {Kind::line, to, {}, {}}; }
    static BezierGraphElement quadCurveTo(graphics::Point to, graphics::Point via)
    {
        return {Kind::quadCurve, to, via, {}};
    }
    static BezierGraphElement cubicCurveTo(graphics::Point to, graphics::Point v1, graphics::Point v2)
    {
        return {Kind::cubicCurve, to, v1, v2};
    }
    static BezierGraphElement close() { return {Kind::close, {}, {}, {}}; }

    // Reads a platform element; an unknown kind reads as a move to its first point.
    static BezierGraphElement fromElement(const graphics::PathElement& element);

    friend bool operator==(const BezierGraphElement&, const BezierGraphElement&) = default;
};

} // namespace pelorama::geometry
