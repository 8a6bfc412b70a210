#pragma once

#include "graphics/Point.h"
#include "graphics/Size.h"

#include <QMetaType>
#include <QRectF>
#include <cmath>

namespace graphics {

struct AffineTransform;

// A rectangle with Core Graphics semantics: the stored origin and size may describe it from any corner
// (negative sizes allowed); the accessors answer for the standardised rectangle. The null rectangle
// (infinite origin, zero size) stands for "no rectangle": it is the identity of union, the result of an
// empty intersection, and it stays null through every operation.
struct Rect
{
    Point origin;
    Size size;

    Rect() = default;
    Rect(Point origin, Size size)
        : origin(origin)
        , size(size)
    {}
    Rect(double x, double y, double width, double height)
        : origin{x, y}
        , size{width, height}
    {}

    static Rect null();
    static Rect infinite();
    static Rect zero() { return {}; }

    bool isNull() const;
    bool isInfinite() const;
    // True for the null rectangle and for rectangles of zero width or height.
    bool isEmpty() const;

    // Inline: the path operations read them for every pair of edges they compare.
    double minX() const { return size.width < 0 ? origin.x + size.width : origin.x; }
    double midX() const { return origin.x + size.width / 2; }
    double maxX() const { return size.width < 0 ? origin.x : origin.x + size.width; }
    double minY() const { return size.height < 0 ? origin.y + size.height : origin.y; }
    double midY() const { return origin.y + size.height / 2; }
    double maxY() const { return size.height < 0 ? origin.y : origin.y + size.height; }
    double width() const { return std::abs(size.width); }   // never negative
    double height() const { return std::abs(size.height); } // never negative

    Rect standardized() const;
    // Rounds the minimum edges down and the maximum edges up to whole numbers.
    Rect integral() const;
    Rect insetBy(double dx, double dy) const;
    Rect offsetBy(double dx, double dy) const;
    // The smallest rectangle holding both; the null rectangle is the identity, zero-size rectangles count.
    Rect united(const Rect& other) const;
    // The shared area; the null rectangle when the two do not meet. Rectangles sharing an edge meet in a
    // rectangle of zero width or height.
    Rect intersected(const Rect& other) const;
    // True when the two share an area of more than zero width and height.
    bool intersects(const Rect& other) const;
    // Minimum edges count as inside, maximum edges as outside.
    bool contains(Point point) const;
    bool contains(const Rect& other) const;
    // The bounding box of the four transformed corners.
    Rect applying(const AffineTransform& transform) const;

    QRectF toQRectF() const;
    static Rect fromQRectF(const QRectF& rect);

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace graphics

Q_DECLARE_METATYPE(graphics::Rect)
