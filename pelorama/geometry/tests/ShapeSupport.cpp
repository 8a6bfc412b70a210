#include "ShapeSupport.h"

#include "geometry/PathBoolean.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <numbers>
#include <optional>
#include <sstream>

namespace geometrytest {

using graphics::Path;
using graphics::Point;
using namespace pelorama::geometry;

std::vector<Polygon> flatten(const graphics::Path& path, int segmentsPerCurve)
{
    std::vector<Polygon> result;
    Polygon current;
    Point last;
    auto finish = [&]() {
        if (current.size() > 2)
            result.push_back(current);
        current.clear();
    };
    for (const graphics::PathElement& element : path.elements()) {
        switch (element.type) {
        case graphics::PathElementType::moveTo:
            finish();
            last = element.points[0];
            current.push_back(last);
            break;
        case graphics::PathElementType::lineTo:
            last = element.points[0];
            current.push_back(last);
            break;
        case graphics::PathElementType::quadCurveTo: {
            const Point c = element.points[0], e = element.points[1];
            for (int i = 1; i <= segmentsPerCurve; ++i) {
                const double t = double(i) / segmentsPerCurve, u = 1 - t;
                current.push_back(last * (u * u) + c * (2 * u * t) + e * (t * t));
            }
            last = e;
            break;
        }
        case graphics::PathElementType::curveTo: {
            const Point c1 = element.points[0], c2 = element.points[1], e = element.points[2];
            for (int i = 1; i <= segmentsPerCurve; ++i) {
                const double t = double(i) / segmentsPerCurve, u = 1 - t;
                current.push_back(last * (u * u * u) + c1 * (3 * u * u * t) + c2 * (3 * u * t * t) +
                                  e * (t * t * t));
            }
            last = e;
            break;
        }
        case graphics::PathElementType::closeSubpath:
            finish();
            break;
        }
    }
    finish();
    return result;
}

bool evenOddContains(const std::vector<Polygon>& polygons, Point point)
{
    bool inside = false;
    for (const Polygon& polygon : polygons) {
        for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
            const Point& a = polygon[i];
            const Point& b = polygon[j];
            if ((a.y > point.y) != (b.y > point.y)) {
                const double x = a.x + (point.y - a.y) * (b.x - a.x) / (b.y - a.y);
                if (point.x < x)
                    inside = !inside;
            }
        }
    }
    return inside;
}

double distanceToOutline(const std::vector<Polygon>& polygons, Point point)
{
    double best = std::numeric_limits<double>::infinity();
    for (const Polygon& polygon : polygons) {
        for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
            const Point a = polygon[j], b = polygon[i];
            const double dx = b.x - a.x, dy = b.y - a.y;
            const double lengthSquared = dx * dx + dy * dy;
            double t = lengthSquared > 0 ? ((point.x - a.x) * dx + (point.y - a.y) * dy) / lengthSquared : 0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = a.x + dx * t - point.x, ey = a.y + dy * t - point.y;
            best = std::min(best, ex * ex + ey * ey);
        }
    }
    return std::sqrt(best);
}

double evenOddArea(const std::vector<Polygon>& polygons)
{
    // Between two consecutive heights of vertices or crossings the covered width changes linearly, so the
    // width at the middle of each slab gives its area exactly. The sides spanning a slab are kept in a list
    // swept upwards; where two of them cross inside a slab, it is cut at the crossing.
    struct Side
    {
        Point low, high;
        double xAt(double y) const { return low.x + (y - low.y) * (high.x - low.x) / (high.y - low.y); }
    };
    std::vector<Side> sides;
    std::vector<double> heights;
    for (const Polygon& polygon : polygons)
        for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
            heights.push_back(polygon[i].y);
            if (polygon[i].y != polygon[j].y)
                sides.push_back(polygon[i].y < polygon[j].y ? Side{polygon[i], polygon[j]}
                                                            : Side{polygon[j], polygon[i]});
        }
    std::sort(heights.begin(), heights.end());
    heights.erase(std::unique(heights.begin(), heights.end()), heights.end());
    std::sort(sides.begin(), sides.end(), [](const Side& a, const Side& b) { return a.low.y < b.low.y; });
    std::vector<const Side*> active;
    std::vector<double> xs, cuts;
    auto slabArea = [&](double bottom, double top) {
        const double y = (bottom + top) / 2;
        xs.clear();
        for (const Side* side : active)
            xs.push_back(side->xAt(y));
        std::sort(xs.begin(), xs.end());
        double width = 0;
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
            width += xs[i + 1] - xs[i];
        return width * (top - bottom);
    };
    double area = 0;
    std::size_t next = 0;
    for (std::size_t k = 0; k + 1 < heights.size(); ++k) {
        const double bottom = heights[k], top = heights[k + 1], y = (bottom + top) / 2;
        while (next < sides.size() && sides[next].low.y < y)
            active.push_back(&sides[next++]);
        active.erase(
            std::remove_if(active.begin(), active.end(), [y](const Side* side) { return side->high.y < y; }),
            active.end());
        cuts = {bottom, top};
        for (std::size_t i = 0; i < active.size(); ++i)
            for (std::size_t j = i + 1; j < active.size(); ++j) {
                const double below = active[i]->xAt(bottom) - active[j]->xAt(bottom);
                const double above = active[i]->xAt(top) - active[j]->xAt(top);
                if ((below < 0 && above > 0) || (below > 0 && above < 0))
                    cuts.push_back(bottom + (top - bottom) * below / (below - above));
            }
        std::sort(cuts.begin(), cuts.end());
        for (std::size_t c = 0; c + 1 < cuts.size(); ++c)
            area += slabArea(cuts[c], cuts[c + 1]);
    }
    return area;
}

double signedArea(const std::vector<Polygon>& polygons)
{
    double area = 0;
    for (const Polygon& polygon : polygons)
        for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++)
            area += (polygon[j].x * polygon[i].y - polygon[i].x * polygon[j].y) / 2;
    return area;
}

std::string describe(const graphics::Path& path)
{
    std::ostringstream out;
    out.precision(17);
    for (const graphics::PathElement& e : path.elements()) {
        switch (e.type) {
        case graphics::PathElementType::moveTo:
            out << "M " << e.points[0].x << ' ' << e.points[0].y << ' ';
            break;
        case graphics::PathElementType::lineTo:
            out << "L " << e.points[0].x << ' ' << e.points[0].y << ' ';
            break;
        case graphics::PathElementType::quadCurveTo:
            out << "Q " << e.points[0].x << ' ' << e.points[0].y << ' ' << e.points[1].x << ' '
                << e.points[1].y << ' ';
            break;
        case graphics::PathElementType::curveTo:
            out << "C";
            for (int i = 0; i < 3; ++i)
                out << ' ' << e.points[std::size_t(i)].x << ' ' << e.points[std::size_t(i)].y;
            out << ' ';
            break;
        case graphics::PathElementType::closeSubpath:
            out << "Z ";
            break;
        }
    }
    return out.str();
}

graphics::Path randomPolygon(std::mt19937& random, int vertices, Point centre, double radius)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> angles;
    angles.reserve(std::size_t(vertices));
    for (int i = 0; i < vertices; ++i)
        angles.push_back((i + 0.8 * unit(random)) * 2 * std::numbers::pi / vertices);
    graphics::Path path;
    for (int i = 0; i < vertices; ++i) {
        const double r = radius * (0.3 + 0.7 * unit(random));
        const Point p{centre.x + r * std::cos(angles[std::size_t(i)]),
                      centre.y + r * std::sin(angles[std::size_t(i)])};
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

graphics::Path randomBlob(std::mt19937& random, int lobes, Point centre, double radius)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<Point> points;
    for (int i = 0; i < lobes; ++i) {
        const double angle = (i + 0.3 * unit(random)) * 2 * std::numbers::pi / lobes;
        const double r = radius * (0.5 + 0.5 * unit(random));
        points.push_back({centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)});
    }
    // A closed smooth curve through the points (Catmull-Rom tangents as cubic control points).
    graphics::Path path;
    path.moveTo(points[0]);
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Point p0 = points[(i + n - 1) % n], p1 = points[i], p2 = points[(i + 1) % n],
                    p3 = points[(i + 2) % n];
        path.curveTo(p2, p1 + (p2 - p0) * (1.0 / 6.0), p2 - (p3 - p1) * (1.0 / 6.0));
    }
    path.closeSubpath();
    return path;
}

graphics::Path circle(Point centre, double radius)
{
    return graphics::Path::oval(graphics::Rect(centre.x - radius, centre.y - radius, 2 * radius, 2 * radius));
}

graphics::Path square(double x, double y, double size)
{
    return graphics::Path::rect(graphics::Rect(x, y, size, size));
}

graphics::Path ring(Point centre, double outer, double inner)
{
    graphics::Path path = circle(centre, outer);
    path.append(circle(centre, inner));
    return path;
}

graphics::Path randomShape(std::mt19937& random)
{
    std::uniform_real_distribution<double> coordinate(25.0, 75.0);
    std::uniform_real_distribution<double> size(10.0, 35.0);
    const Point centre{coordinate(random), coordinate(random)};
    const double radius = size(random);
    switch (random() % 6) {
    case 0:
        return randomPolygon(random, 3 + int(random() % 12), centre, radius);
    case 1:
        return circle(centre, radius);
    case 2:
        return graphics::Path::roundedRect(
            graphics::Rect(centre.x - radius, centre.y - radius * 0.7, 2 * radius, 1.4 * radius),
            radius * 0.3, radius * 0.3);
    case 3:
        return randomBlob(random, 3 + int(random() % 5), centre, radius);
    case 4:
        return ring(centre, radius, radius * (0.3 + 0.4 * (double(random() % 100) / 100)));
    default: {
        graphics::Path path = randomPolygon(random, 6 + int(random() % 8), centre, radius);
        path.append(circle(centre, radius * 0.12));
        return path;
    }
    }
}

graphics::Path randomStaircase(std::mt19937& random, int size)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double cx = size * (0.35 + 0.3 * unit(random)), cy = size * (0.35 + 0.3 * unit(random));
    const double r = size * (0.2 + 0.15 * unit(random));
    const double hx = cx + r * (unit(random) - 0.5), hy = cy + r * (unit(random) - 0.5);
    const double hr = r * 0.4 * unit(random);
    const int notchY = int(cy), notchLength = int(r * unit(random));
    const int speckX = int(size * unit(random)), speckY = int(size * unit(random));
    return traceOutline(size, [=](int x, int y) {
        if (x == speckX && y == speckY)
            return true;
        const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
        if (dx * dx + dy * dy > r * r)
            return false;
        const double ex = x + 0.5 - hx, ey = y + 0.5 - hy;
        if (ex * ex + ey * ey < hr * hr)
            return false;
        // A one-pixel notch cut in from the left.
        return !(y == notchY && x < cx - r + notchLength);
    });
}

namespace {

struct Operation
{
    const char* name;
    Path (*apply)(const Path&, const Path&);
    bool (*keeps)(bool inA, bool inB);
};

const Operation operations[] = {
    {"union", unioningWith,
     [](bool a, bool b) {
         return a || b;
     }},
    {"intersection", intersectingWith,
     [](bool a, bool b) {
         return a && b;
     }},
    {"difference", subtracting,
     [](bool a, bool b) {
         return a && !b;
     }},
    {"exclusive or", symmetricDifferenceWith,
     [](bool a, bool b) {
         return a != b;
     }},
};

// +1 when the path's outlines run counter-clockwise around filled area and clockwise around holes (its
// signed area is its even-odd area), -1 for the opposite rule, nothing when it follows neither or is empty.
std::optional<int> directionRule(const std::vector<Polygon>& polygons)
{
    const double evenOdd = evenOddArea(polygons), signedSum = signedArea(polygons);
    const double tolerance = 1e-6 * evenOdd + 1e-6;
    if (evenOdd <= tolerance)
        return std::nullopt;
    if (std::fabs(signedSum - evenOdd) <= tolerance)
        return 1;
    if (std::fabs(signedSum + evenOdd) <= tolerance)
        return -1;
    return std::nullopt;
}

} // namespace

int checkOperations(const Path& a, const Path& b, std::mt19937& random, int samples, const std::string& label)
{
    const auto polygonsA = flatten(a), polygonsB = flatten(b);
    std::vector<Polygon> results[4];
    for (int k = 0; k < 4; ++k)
        results[k] = flatten(operations[k].apply(a, b));
    auto report = [&](const std::string& what) {
        ADD_FAILURE() << label << ": " << what << "\nA: " << describe(a) << "\nB: " << describe(b);
        return 1;
    };

    const graphics::Rect box = a.bounds().united(b.bounds()).insetBy(-5, -5);
    std::uniform_real_distribution<double> x(box.minX(), box.maxX()), y(box.minY(), box.maxY());
    for (int i = 0; i < samples; ++i) {
        const Point p{x(random), y(random)};
        if (distanceToOutline(polygonsA, p) < 0.05 || distanceToOutline(polygonsB, p) < 0.05)
            continue;
        const bool inA = evenOddContains(polygonsA, p), inB = evenOddContains(polygonsB, p);
        for (int k = 0; k < 4; ++k)
            if (evenOddContains(results[k], p) != operations[k].keeps(inA, inB))
                return report(std::string(operations[k].name) + ": membership of (" + std::to_string(p.x) +
                              ", " + std::to_string(p.y) + ") wrong");
    }

    const double areaA = evenOddArea(polygonsA), areaB = evenOddArea(polygonsB);
    const double areaUnion = evenOddArea(results[0]), areaIntersection = evenOddArea(results[1]);
    const double tolerance = 0.002 * (areaA + areaB) + 0.05;
    if (std::fabs(areaUnion + areaIntersection - areaA - areaB) > tolerance)
        return report("area identity broken: " + std::to_string(areaUnion) + " + " +
                      std::to_string(areaIntersection) + " vs " + std::to_string(areaA) + " + " +
                      std::to_string(areaB));

    std::optional<int> rule = directionRule(polygonsA);
    if (areaA == 0)
        rule = directionRule(polygonsB);
    if (rule) {
        for (int k = 0; k < 4; ++k) {
            const double evenOdd = evenOddArea(results[k]), signedSum = signedArea(results[k]);
            if (std::fabs(signedSum - *rule * evenOdd) > 1e-6 * (areaA + areaB) + 1e-6)
                return report(std::string(operations[k].name) + ": outlines run the wrong way: signed area " +
                              std::to_string(signedSum) + ", even-odd area " + std::to_string(evenOdd));
        }
    }
    return 0;
}

int checkWithItself(const Path& a, std::mt19937& random, int samples, const std::string& label)
{
    const auto polygons = flatten(a);
    const double area = evenOddArea(polygons);
    for (const Operation& operation : operations) {
        const Path result = operation.apply(a, a);
        const auto resultPolygons = flatten(result);
        const bool keeps = operation.keeps(true, true);
        const double expected = keeps ? area : 0;
        if (std::fabs(evenOddArea(resultPolygons) - expected) > 0.002 * area + 0.05) {
            ADD_FAILURE() << label << ": A " << operation.name << " A has area "
                          << evenOddArea(resultPolygons) << ", not " << expected << "\nA: " << describe(a)
                          << "\nresult: " << describe(result);
            return 1;
        }
        const graphics::Rect box = a.bounds();
        std::uniform_real_distribution<double> x(box.minX(), box.maxX()), y(box.minY(), box.maxY());
        for (int i = 0; i < samples; ++i) {
            const Point p{x(random), y(random)};
            if (distanceToOutline(polygons, p) < 0.05)
                continue;
            if (evenOddContains(resultPolygons, p) != (keeps && evenOddContains(polygons, p))) {
                ADD_FAILURE() << label << ": A " << operation.name << " A wrong at (" << p.x << ", " << p.y
                              << ")\nA: " << describe(a) << "\nresult: " << describe(result);
                return 1;
            }
        }
    }
    return 0;
}

Path reversedPath(const Path& path)
{
    Path result;
    for (const Polygon& polygon : flatten(path, 1)) {
        result.moveTo(polygon.back());
        for (auto point = polygon.rbegin() + 1; point != polygon.rend(); ++point)
            result.lineTo(*point);
        result.closeSubpath();
    }
    return result;
}

} // namespace geometrytest
