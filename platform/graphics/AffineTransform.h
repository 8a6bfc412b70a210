#pragma once

#include "graphics/Point.h"
#include "graphics/Size.h"

#include <QTransform>

namespace graphics {

struct Rect;

// An affine transform with Core Graphics semantics: a point (x, y) maps to
// (a x + c y + tx, b x + d y + ty). Angles are radians, counter-clockwise positive in a y-up space.
struct AffineTransform
{
    double a = 1;
    double b = 0;
    double c = 0;
    double d = 1;
    double tx = 0;
    double ty = 0;

    static AffineTransform identity() { return {}; }
    static AffineTransform translation(double tx, double ty) { return {1, 0, 0, 1, tx, ty}; }
    static AffineTransform scale(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    static AffineTransform rotation(double radians);

    bool isIdentity() const { return *this == identity(); }
    bool isInvertible() const;

    // This transform followed by other.
    AffineTransform concatenating(const AffineTransform& other) const;
    // The translation, scale or rotation applied first, then this transform (as the platform's
    // translate/scale/rotate functions do).
    AffineTransform translatedBy(double tx, double ty) const;
    AffineTransform scaledBy(double sx, double sy) const;
    AffineTransform rotatedBy(double radians) const;
    // The inverse; a transform that has none is returned unchanged.
    AffineTransform inverted() const;

    Point apply(Point point) const;
    // Sizes and vectors ignore the translation.
    Size apply(Size size) const;
    Rect apply(const Rect& rect) const;

    QTransform toQTransform() const { return {a, b, c, d, tx, ty}; }
    static AffineTransform fromQTransform(const QTransform& transform);

    friend bool operator==(const AffineTransform&, const AffineTransform&) = default;
};

} // namespace graphics
