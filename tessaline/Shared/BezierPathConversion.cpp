#include "tessaline/Shared/BezierPathConversion.h"

namespace tessaline {

using graphics::PathElement;
using graphics::PathElementType;
using graphics::Point;

namespace {

enum class QuadCurves
{
    kept,
    asCubics,
};

// Copies the elements of path into a new path with no stroke attributes of its own.
graphics::Path rebuilt(const graphics::Path& path, QuadCurves quadCurves)
{
    graphics::Path result;
    path.forEachElement([&](const PathElement& element) {
        const auto& points = element.points;
        switch (element.type) {
        case PathElementType::moveTo:
            result.moveTo(points[0]);
            break;
        case PathElementType::lineTo:
            result.lineTo(points[0]);
            break;
        case PathElementType::quadCurveTo:
            if (quadCurves == QuadCurves::kept) {
                result.quadCurveTo(points[1], points[0]);
            } else {
                // The cubic that traces the same curve: controls two thirds of the way to the quad's.
                const Point q = points[0];
                const Point e = points[1];
                const Point c = result.currentPoint().value_or(Point{});
                const Point control1{(q.x + q.x + c.x) / 3, (q.y + q.y + c.y) / 3};
                const Point control2{(q.x + q.x + e.x) / 3, (q.y + q.y + e.y) / 3};
                result.curveTo(e, control1, control2);
            }
            break;
        case PathElementType::curveTo:
            result.curveTo(points[2], points[0], points[1]);
            break;
        case PathElementType::closeSubpath:
            result.closeSubpath();
            break;
        }
    });
    return result;
}

} // namespace

graphics::Path cgPath(const graphics::Path& bezierPath)
{
    return rebuilt(bezierPath, QuadCurves::kept);
}

graphics::Path bezierPathWithPath(const graphics::Path& path)
{
    return rebuilt(path, QuadCurves::asCubics);
}

} // namespace tessaline
