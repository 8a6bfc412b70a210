#include "geometry/PathBoolean.h"

#include "geometry/BezierGraph.h"
#include "geometry/VectorMath.h"

namespace pelorama::geometry {

namespace {

// The result's outlines run the way the receiver's do: outer ones as its largest contour runs, holes the
// other way. A receiver without area lends the argument's direction; counter-clockwise without either.
graphics::Path answer(const BezierGraph& result, ContourDirection outer, const graphics::Path& receiver)
{
    graphics::Path path = result.bezierPath(outer);
    copyAttributesFrom(path, receiver);
    return path;
}

ContourDirection outerDirection(const BezierGraph& receiver, const BezierGraph& other)
{
    return receiver.outerDirection().value_or(
        other.outerDirection().value_or(ContourDirection::counterClockwise));
}

// Runs one boolean operation of the receiver's graph with the other's.
graphics::Path combined(const graphics::Path& receiver, const graphics::Path& other,
                        BezierGraph (BezierGraph::*operation)(BezierGraph&))
{
    BezierGraph graph(receiver);
    BezierGraph otherGraph(other);
    const ContourDirection outer = outerDirection(graph, otherGraph);
    return answer((graph.*operation)(otherGraph), outer, receiver);
}

} // namespace

graphics::Path unioningWith(const graphics::Path& receiver, const graphics::Path& other)
{
    return combined(receiver, other, &BezierGraph::unionWith);
}

graphics::Path intersectingWith(const graphics::Path& receiver, const graphics::Path& other)
{
    return combined(receiver, other, &BezierGraph::intersect);
}

graphics::Path subtracting(const graphics::Path& receiver, const graphics::Path& other)
{
    return combined(receiver, other, &BezierGraph::difference);
}

graphics::Path symmetricDifferenceWith(const graphics::Path& receiver, const graphics::Path& other)
{
    return combined(receiver, other, &BezierGraph::symmetricDifference);
}

void copyAttributesFrom(graphics::Path& receiver, const graphics::Path& source)
{
    graphics::StrokeAttributes attributes = receiver.strokeAttributes();
    const graphics::StrokeAttributes& from = source.strokeAttributes();
    attributes.lineWidth = from.lineWidth;
    attributes.lineCap = from.lineCap;
    attributes.lineJoin = from.lineJoin;
    attributes.miterLimit = from.miterLimit;
    attributes.flatness = from.flatness;
    receiver.setStrokeAttributes(attributes);
}

graphics::Path circleAtPoint(graphics::Point point)
{
    return graphics::Path::oval(graphics::Rect(point.x - 5, point.y - 5, 10, 10));
}

graphics::Path rectAtPoint(graphics::Point point)
{
    return graphics::Path::rect(graphics::Rect(point.x - 5, point.y - 5, 10, 10));
}

graphics::Path smallCircleAtPoint(graphics::Point point)
{
    return graphics::Path::oval(graphics::Rect(point.x - 1.5, point.y - 1.5, 3, 3));
}

graphics::Path smallRectAtPoint(graphics::Point point)
{
    return graphics::Path::rect(graphics::Rect(point.x - 1.5, point.y - 1.5, 3, 3));
}

graphics::Path triangleAtPoint(graphics::Point point, graphics::Point direction)
{
    const graphics::Point tip = add(point, scale(direction, 15));
    const graphics::Point w = scale(direction, 15);
    const double length = vectorLength(w);
    const graphics::Point n = length != 0 ? scale(w, 1.0 / length) : w;
    const graphics::Point h{-n.y * 5, n.x * 5};
    graphics::Path path;
    path.moveTo(add(point, h));
    path.lineTo(tip);
    path.lineTo(subtract(point, h));
    path.lineTo(add(point, h));
    path.closeSubpath();
    return path;
}

} // namespace pelorama::geometry
