#include "graphics/Rect.h"

#include "graphics/AffineTransform.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace graphics {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
// The platform's infinite rectangle: large enough to hold every other, small enough that its maximum
// edges stay finite.
constexpr double infiniteExtent = std::numeric_limits<double>::max();
constexpr double infiniteOrigin = -infiniteExtent / 2;

} // namespace

Rect Rect::null()
{
    return {infinity, infinity, 0, 0};
}

Rect Rect::infinite()
{
    return {infiniteOrigin, infiniteOrigin, infiniteExtent, infiniteExtent};
}

bool Rect::isNull() const
{
    return std::isinf(origin.x) || std::isinf(origin.y);
}

bool Rect::isInfinite() const
{
    return *this == infinite();
}

bool Rect::isEmpty() const
{
    return isNull() || size.width == 0 || size.height == 0;
}

Rect Rect::standardized() const
{
    if (isNull()) {
        return null();
    }
    return {minX(), minY(), width(), height()};
}

Rect Rect::integral() const
{
    if (isNull() || isInfinite()) {
        return *this;
    }
    const double x = std::floor(minX());
    const double y = std::floor(minY());
    return {x, y, std::ceil(maxX()) - x, std::ceil(maxY()) - y};
}

Rect Rect::insetBy(double dx, double dy) const
{
    if (isNull()) {
        return null();
    }
    const Rect standard = standardized();
    const Rect result{standard.origin.x + dx, standard.origin.y + dy, standard.size.width - 2 * dx,
                      standard.size.height - 2 * dy};
    if (result.size.width < 0 || result.size.height < 0) {
        return null();
    }
    return result;
}

Rect Rect::offsetBy(double dx, double dy) const
{
    if (isNull()) {
        return null();
    }
    return {origin.x + dx, origin.y + dy, size.width, size.height};
}

Rect Rect::united(const Rect& other) const
{
    if (isNull()) {
        return other.standardized();
    }
    if (other.isNull()) {
        return standardized();
    }
    const double x = std::min(minX(), other.minX());
    const double y = std::min(minY(), other.minY());
    return {x, y, std::max(maxX(), other.maxX()) - x, std::max(maxY(), other.maxY()) - y};
}

Rect Rect::intersected(const Rect& other) const
{
    if (isNull() || other.isNull()) {
        return null();
    }
    const double x1 = std::max(minX(), other.minX());
    const double x2 = std::min(maxX(), other.maxX());
    const double y1 = std::max(minY(), other.minY());
    const double y2 = std::min(maxY(), other.maxY());
    if (x1 > x2 || y1 > y2) {
        return null();
    }
    return {x1, y1, x2 - x1, y2 - y1};
}

bool Rect::intersects(const Rect& other) const
{
    return !intersected(other).isEmpty();
}

bool Rect::contains(Point point) const
{
    if (isNull()) {
        return false;
    }
    return point.x >= minX() && point.x < maxX() && point.y >= minY() && point.y < maxY();
}

bool Rect::contains(const Rect& other) const
{
    if (isNull() || other.isNull()) {
        return false;
    }
    return united(other) == standardized();
}

Rect Rect::applying(const AffineTransform& transform) const
{
    if (isNull()) {
        return null();
    }
    if (isInfinite()) {
        return *this;
    }
    const Point corners[] = {transform.apply(Point{minX(), minY()}), transform.apply(Point{maxX(), minY()}),
                             transform.apply(Point{maxX(), maxY()}), transform.apply(Point{minX(), maxY()})};
    double left = corners[0].x;
    double right = corners[0].x;
    double bottom = corners[0].y;
    double top = corners[0].y;
    for (const Point& corner : corners) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        bottom = std::min(bottom, corner.y);
        top = std::max(top, corner.y);
    }
    return {left, bottom, right - left, top - bottom};
}

QRectF Rect::toQRectF() const
{
    return {origin.x, origin.y, size.width, size.height};
}

Rect Rect::fromQRectF(const QRectF& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

} // namespace graphics
