#include "model/imaging/OutlineOrientation.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace pelorama::model {

namespace {

struct Subpath
{
    size_t first = 0; // index of its move
    size_t end = 0;   // one past its last element
    bool closed = false;
    std::vector<graphics::Point> polygon; // the move's point and each segment's end point
    double twiceArea = 0;                 // positive counter-clockwise (y up)
    graphics::Rect bounds;
};

std::vector<Subpath> subpathsOf(const std::vector<graphics::PathElement>& elements)
{
    std::vector<Subpath> subpaths;
    for (size_t i = 0; i < elements.size(); ++i) {
        const graphics::PathElement& element = elements[i];
        if (element.type == graphics::PathElementType::moveTo) {
            subpaths.push_back({i, i + 1, false, {element.points[0]}, 0, {}});
            continue;
        }
        if (subpaths.empty())
            continue; // a path always starts with a move; nothing to attach to otherwise
        Subpath& current = subpaths.back();
        current.end = i + 1;
        if (element.type == graphics::PathElementType::closeSubpath)
            current.closed = true;
        else
            current.polygon.push_back(element.endPoint());
    }
    for (Subpath& subpath : subpaths) {
        const std::vector<graphics::Point>& p = subpath.polygon;
        double minX = p[0].x, maxX = p[0].x, minY = p[0].y, maxY = p[0].y;
        for (size_t i = 0; i < p.size(); ++i) {
            const graphics::Point& a = p[i];
            const graphics::Point& b = p[(i + 1) % p.size()];
            subpath.twiceArea += a.x * b.y - b.x * a.y;
            minX = std::min(minX, a.x);
            maxX = std::max(maxX, a.x);
            minY = std::min(minY, a.y);
            maxY = std::max(maxY, a.y);
        }
        subpath.bounds = {minX, minY, maxX - minX, maxY - minY};
    }
    return subpaths;
}

// The middle of the subpath's first edge that has length; a point on its outline away from corners,
// where other outlines of a boolean result do not pass.
std::optional<graphics::Point> pointOnOutline(const Subpath& subpath)
{
    const std::vector<graphics::Point>& p = subpath.polygon;
    for (size_t i = 0; i < p.size(); ++i) {
        const graphics::Point& a = p[i];
        const graphics::Point& b = p[(i + 1) % p.size()];
        if (!(a == b))
            return graphics::Point{(a.x + b.x) / 2, (a.y + b.y) / 2};
    }
    return std::nullopt;
}

bool encloses(const Subpath& subpath, graphics::Point point)
{
    const graphics::Rect& box = subpath.bounds;
    if (point.x < box.origin.x || point.x > box.origin.x + box.size.width || point.y < box.origin.y ||
        point.y > box.origin.y + box.size.height)
        return false;
    bool inside = false;
    const std::vector<graphics::Point>& p = subpath.polygon;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        if ((p[i].y > point.y) != (p[j].y > point.y) &&
            point.x < (p[j].x - p[i].x) * (point.y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
            inside = !inside;
    }
    return inside;
}

void appendReversed(graphics::Path& path, const std::vector<graphics::PathElement>& elements,
                    const Subpath& subpath)
{
    const std::vector<graphics::Point>& p = subpath.polygon;
    path.moveTo(p.back());
    // Segment k (1-based) runs from p[k - 1] to p[k]; walked back, it runs from p[k] to p[k - 1].
    size_t k = p.size() - 1;
    for (size_t i = subpath.end; i-- > subpath.first + 1;) {
        const graphics::PathElement& element = elements[i];
        switch (element.type) {
        case graphics::PathElementType::lineTo:
            path.lineTo(p[k - 1]);
            break;
        case graphics::PathElementType::quadCurveTo:
            path.quadCurveTo(p[k - 1], element.points[0]);
            break;
        case graphics::PathElementType::curveTo:
            path.curveTo(p[k - 1], element.points[1], element.points[0]);
            break;
        case graphics::PathElementType::moveTo:
        case graphics::PathElementType::closeSubpath:
            continue;
        }
        --k;
    }
    if (subpath.closed)
        path.closeSubpath();
}

} // namespace

graphics::Path orientedLikeTracedContours(const graphics::Path& outline)
{
    const std::vector<graphics::PathElement>& elements = outline.elements();
    const std::vector<Subpath> subpaths = subpathsOf(elements);
    graphics::Path result;
    result.setWindingRule(outline.windingRule());
    result.setStrokeAttributes(outline.strokeAttributes());
    for (size_t s = 0; s < subpaths.size(); ++s) {
        const Subpath& subpath = subpaths[s];
        bool reverse = false;
        const std::optional<graphics::Point> probe = pointOnOutline(subpath);
        if (subpath.twiceArea != 0 && probe) {
            int depth = 0;
            for (size_t other = 0; other < subpaths.size(); ++other) {
                if (other != s && subpaths[other].twiceArea != 0 && encloses(subpaths[other], *probe))
                    ++depth;
            }
            const bool clockwise = subpath.twiceArea < 0;
            reverse = clockwise != (depth % 2 == 0);
        }
        if (reverse) {
            appendReversed(result, elements, subpath);
            continue;
        }
        for (size_t i = subpath.first; i < subpath.end; ++i) {
            const graphics::PathElement& element = elements[i];
            switch (element.type) {
            case graphics::PathElementType::moveTo:
                result.moveTo(element.points[0]);
                break;
            case graphics::PathElementType::lineTo:
                result.lineTo(element.points[0]);
                break;
            case graphics::PathElementType::quadCurveTo:
                result.quadCurveTo(element.points[1], element.points[0]);
                break;
            case graphics::PathElementType::curveTo:
                result.curveTo(element.points[2], element.points[0], element.points[1]);
                break;
            case graphics::PathElementType::closeSubpath:
                result.closeSubpath();
                break;
            }
        }
    }
    return result;
}

} // namespace pelorama::model
