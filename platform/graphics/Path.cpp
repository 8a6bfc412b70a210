#include "graphics/Path.h"

#include "foundation/Diagnostics.h"
#include "foundation/Fatal.h"

#include <algorithm>
#include <cmath>

namespace graphics {
namespace {

// Control-point distance of a quarter ellipse drawn as one cubic curve.
constexpr double kappa = 0.5522847498307936;

void includePoint(double& minX, double& minY, double& maxX, double& maxY, Point point)
{
    minX = std::min(minX, point.x);
    minY = std::min(minY, point.y);
    maxX = std::max(maxX, point.x);
    maxY = std::max(maxY, point.y);
}

// Parameters in (0, 1) where one coordinate of a cubic curve has a zero derivative.
std::vector<double> cubicExtremes(double p0, double p1, double p2, double p3)
{
    // Derivative / 3 = a t^2 + b t + c.
    const double a = -p0 + 3 * p1 - 3 * p2 + p3;
    const double b = 2 * (p0 - 2 * p1 + p2);
    const double c = p1 - p0;
    std::vector<double> roots;
    if (std::abs(a) < 1e-12) {
        if (std::abs(b) > 1e-12) {
            roots.push_back(-c / b);
        }
    } else {
        const double discriminant = b * b - 4 * a * c;
        if (discriminant >= 0) {
            const double root = std::sqrt(discriminant);
            roots.push_back((-b + root) / (2 * a));
            roots.push_back((-b - root) / (2 * a));
        }
    }
    std::erase_if(roots, [](double t) { return !(t > 0 && t < 1); });
    return roots;
}

int usedPointCount(PathElementType type)
{
    switch (type) {
    case PathElementType::moveTo:
    case PathElementType::lineTo:
        return 1;
    case PathElementType::quadCurveTo:
        return 2;
    case PathElementType::curveTo:
        return 3;
    case PathElementType::closeSubpath:
        break;
    }
    return 0;
}

Point cubicPoint(Point p0, Point p1, Point p2, Point p3, double t)
{
    const double u = 1 - t;
    const double w0 = u * u * u;
    const double w1 = 3 * u * u * t;
    const double w2 = 3 * u * t * t;
    const double w3 = t * t * t;
    return {w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x, w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y};
}

} // namespace

Point PathElement::endPoint() const
{
    switch (type) {
    case PathElementType::moveTo:
    case PathElementType::lineTo:
        return points[0];
    case PathElementType::quadCurveTo:
        return points[1];
    case PathElementType::curveTo:
        return points[2];
    case PathElementType::closeSubpath:
        break;
    }
    return {};
}

Path Path::rect(const Rect& rect)
{
    Path path;
    const Rect r = rect.standardized();
    if (r.isNull()) {
        return path;
    }
    path.moveTo({r.minX(), r.minY()});
    path.lineTo({r.maxX(), r.minY()});
    path.lineTo({r.maxX(), r.maxY()});
    path.lineTo({r.minX(), r.maxY()});
    path.closeSubpath();
    return path;
}

Path Path::oval(const Rect& rect)
{
    Path path;
    const Rect r = rect.standardized();
    if (r.isNull()) {
        return path;
    }
    const double rx = r.width() / 2;
    const double ry = r.height() / 2;
    const double cx = r.midX();
    const double cy = r.midY();
    const double kx = rx * kappa;
    const double ky = ry * kappa;
    path.moveTo({cx + rx, cy});
    path.curveTo({cx, cy + ry}, {cx + rx, cy + ky}, {cx + kx, cy + ry});
    path.curveTo({cx - rx, cy}, {cx - kx, cy + ry}, {cx - rx, cy + ky});
    path.curveTo({cx, cy - ry}, {cx - rx, cy - ky}, {cx - kx, cy - ry});
    path.curveTo({cx + rx, cy}, {cx + kx, cy - ry}, {cx + rx, cy - ky});
    path.closeSubpath();
    return path;
}

Path Path::roundedRect(const Rect& rect, double xRadius, double yRadius)
{
    const Rect r = rect.standardized();
    if (r.isNull()) {
        return {};
    }
    const double rx = std::clamp(xRadius, 0.0, r.width() / 2);
    const double ry = std::clamp(yRadius, 0.0, r.height() / 2);
    if (!(rx > 0 && ry > 0)) {
        return Path::rect(r);
    }
    const double kx = rx * kappa;
    const double ky = ry * kappa;
    const double left = r.minX();
    const double right = r.maxX();
    const double bottom = r.minY();
    const double top = r.maxY();
    Path path;
    path.moveTo({left + rx, bottom});
    path.lineTo({right - rx, bottom});
    path.curveTo({right, bottom + ry}, {right - rx + kx, bottom}, {right, bottom + ry - ky});
    path.lineTo({right, top - ry});
    path.curveTo({right - rx, top}, {right, top - ry + ky}, {right - rx + kx, top});
    path.lineTo({left + rx, top});
    path.curveTo({left, top - ry}, {left + rx - kx, top}, {left, top - ry + ky});
    path.lineTo({left, bottom + ry});
    path.curveTo({left + rx, bottom}, {left, bottom + ry - ky}, {left + rx - kx, bottom});
    path.closeSubpath();
    return path;
}

void Path::moveTo(Point point)
{
    m_elements.push_back({PathElementType::moveTo, {point, Point{}, Point{}}});
    m_currentPoint = point;
    m_subpathStart = point;
}

bool Path::prepareSegment(const char* kind)
{
    if (!m_currentPoint) {
        foundation::warning(
            QStringLiteral("Path: %1 without a current point is ignored").arg(QLatin1String(kind)));
        return false;
    }
    if (m_elements.back().type == PathElementType::closeSubpath) {
        moveTo(m_subpathStart);
    }
    return true;
}

void Path::lineTo(Point point)
{
    if (!prepareSegment("line")) {
        return;
    }
    m_elements.push_back({PathElementType::lineTo, {point, Point{}, Point{}}});
    m_currentPoint = point;
}

void Path::quadCurveTo(Point end, Point control)
{
    if (!prepareSegment("quadratic curve")) {
        return;
    }
    m_elements.push_back({PathElementType::quadCurveTo, {control, end, Point{}}});
    m_currentPoint = end;
}

void Path::curveTo(Point end, Point control1, Point control2)
{
    if (!prepareSegment("curve")) {
        return;
    }
    m_elements.push_back({PathElementType::curveTo, {control1, control2, end}});
    m_currentPoint = end;
}

void Path::closeSubpath()
{
    if (!m_currentPoint || m_elements.back().type == PathElementType::closeSubpath) {
        return;
    }
    m_elements.push_back({PathElementType::closeSubpath, {}});
    m_currentPoint = m_subpathStart;
}

void Path::append(const Path& other)
{
    for (const PathElement& element : other.m_elements) {
        switch (element.type) {
        case PathElementType::moveTo:
            moveTo(element.points[0]);
            break;
        case PathElementType::lineTo:
            lineTo(element.points[0]);
            break;
        case PathElementType::quadCurveTo:
            quadCurveTo(element.points[1], element.points[0]);
            break;
        case PathElementType::curveTo:
            curveTo(element.points[2], element.points[0], element.points[1]);
            break;
        case PathElementType::closeSubpath:
            closeSubpath();
            break;
        }
    }
}

const PathElement& Path::element(int index) const
{
    if (index < 0 || index >= elementCount()) {
        foundation::fatal(
            QStringLiteral("Path element index %1 out of range 0..%2").arg(index).arg(elementCount()));
    }
    return m_elements[static_cast<std::size_t>(index)];
}

void Path::forEachElement(const std::function<void(const PathElement&)>& visit) const
{
    for (const PathElement& element : m_elements) {
        visit(element);
    }
}

void Path::transform(const AffineTransform& transform)
{
    for (PathElement& element : m_elements) {
        for (int i = 0; i < usedPointCount(element.type); ++i) {
            Point& point = element.points[static_cast<std::size_t>(i)];
            point = transform.apply(point);
        }
    }
    if (m_currentPoint) {
        m_currentPoint = transform.apply(*m_currentPoint);
    }
    m_subpathStart = transform.apply(m_subpathStart);
}

Path Path::transformed(const AffineTransform& transform) const
{
    Path copy = *this;
    copy.transform(transform);
    return copy;
}

Rect Path::controlPointBounds() const
{
    if (m_elements.empty()) {
        return Rect::null();
    }
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (const PathElement& element : m_elements) {
        for (int i = 0; i < usedPointCount(element.type); ++i) {
            includePoint(minX, minY, maxX, maxY, element.points[static_cast<std::size_t>(i)]);
        }
    }
    return {minX, minY, maxX - minX, maxY - minY};
}

Rect Path::bounds() const
{
    if (m_elements.empty()) {
        return Rect::null();
    }
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    Point current;
    for (const PathElement& element : m_elements) {
        Point p0 = current;
        Point p1, p2, p3;
        switch (element.type) {
        case PathElementType::moveTo:
        case PathElementType::lineTo:
            current = element.points[0];
            includePoint(minX, minY, maxX, maxY, current);
            continue;
        case PathElementType::closeSubpath:
            continue;
        case PathElementType::quadCurveTo:
            // The same curve in cubic form.
            p1 = p0 + (element.points[0] - p0) * (2.0 / 3.0);
            p3 = element.points[1];
            p2 = p3 + (element.points[0] - p3) * (2.0 / 3.0);
            break;
        case PathElementType::curveTo:
            p1 = element.points[0];
            p2 = element.points[1];
            p3 = element.points[2];
            break;
        }
        includePoint(minX, minY, maxX, maxY, p3);
        for (double t : cubicExtremes(p0.x, p1.x, p2.x, p3.x)) {
            includePoint(minX, minY, maxX, maxY, cubicPoint(p0, p1, p2, p3, t));
        }
        for (double t : cubicExtremes(p0.y, p1.y, p2.y, p3.y)) {
            includePoint(minX, minY, maxX, maxY, cubicPoint(p0, p1, p2, p3, t));
        }
        current = p3;
    }
    return {minX, minY, maxX - minX, maxY - minY};
}

bool Path::contains(Point point) const
{
    return toQPainterPath().contains(point.toQPointF());
}

QPainterPath Path::toQPainterPath() const
{
    QPainterPath path;
    path.setFillRule(m_windingRule == WindingRule::evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
    for (const PathElement& element : m_elements) {
        switch (element.type) {
        case PathElementType::moveTo:
            path.moveTo(element.points[0].toQPointF());
            break;
        case PathElementType::lineTo:
            path.lineTo(element.points[0].toQPointF());
            break;
        case PathElementType::quadCurveTo:
            path.quadTo(element.points[0].toQPointF(), element.points[1].toQPointF());
            break;
        case PathElementType::curveTo:
            path.cubicTo(element.points[0].toQPointF(), element.points[1].toQPointF(),
                         element.points[2].toQPointF());
            break;
        case PathElementType::closeSubpath:
            path.closeSubpath();
            break;
        }
    }
    return path;
}

} // namespace graphics
