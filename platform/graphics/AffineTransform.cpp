#include "graphics/AffineTransform.h"

#include "graphics/Rect.h"

#include <cmath>

namespace graphics {

AffineTransform AffineTransform::rotation(double radians)
{
    const double sine = std::sin(radians);
    const double cosine = std::cos(radians);
    return {cosine, sine, -sine, cosine, 0, 0};
}

bool AffineTransform::isInvertible() const
{
    const double determinant = a * d - b * c;
    return determinant != 0 && std::isfinite(determinant);
}

AffineTransform AffineTransform::concatenating(const AffineTransform& other) const
{
    return {a * other.a + b * other.c,
            a * other.b + b * other.d,
            c * other.a + d * other.c,
            c * other.b + d * other.d,
            tx * other.a + ty * other.c + other.tx,
            tx * other.b + ty * other.d + other.ty};
}

AffineTransform AffineTransform::translatedBy(double x, double y) const
{
    return translation(x, y).concatenating(*this);
}

AffineTransform AffineTransform::scaledBy(double sx, double sy) const
{
    return scale(sx, sy).concatenating(*this);
}

AffineTransform AffineTransform::rotatedBy(double radians) const
{
    return rotation(radians).concatenating(*this);
}

AffineTransform AffineTransform::inverted() const
{
    if (!isInvertible()) {
        return *this;
    }
    const double determinant = a * d - b * c;
    return {d / determinant,
            -b / determinant,
            -c / determinant,
            a / determinant,
            (c * ty - d * tx) / determinant,
            (b * tx - a * ty) / determinant};
}

Point AffineTransform::apply(Point point) const
{
    return {a * point.x + c * point.y + tx, b * point.x + d * point.y + ty};
}

Size AffineTransform::apply(Size size) const
{
    return {a * size.width + c * size.height, b * size.width + d * size.height};
}

Rect AffineTransform::apply(const Rect& rect) const
{
    return rect.applying(*this);
}

AffineTransform AffineTransform::fromQTransform(const QTransform& transform)
{
    return {transform.m11(), transform.m12(), transform.m21(),
            transform.m22(), transform.dx(),  transform.dy()};
}

} // namespace graphics
