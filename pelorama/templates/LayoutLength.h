#pragma once

namespace pelorama::templates::layout {

enum class Axis
{
    horizontal,
    vertical,
};

// A coordinate or extent along one axis of a template's canvas, as the built-in layouts give them: a
// multiple of the canvas extent along the axis (W or H), plus multiples of the anchor's low and high edges
// along it (minX and maxX, or minY and maxY), plus points. The anchor is the rectangle of the device or
// picture a layout placed last. Lengths of the two axes do not mix: W - maxY does not compile.
template <Axis axis> struct Length
{
    double canvas = 0;
    double anchorMin = 0;
    double anchorMax = 0;
    double points = 0;

    constexpr Length() = default;
    // A bare number is points.
    constexpr Length(double points)
        : points(points)
    {}
    constexpr Length(double canvas, double anchorMin, double anchorMax, double points)
        : canvas(canvas)
        , anchorMin(anchorMin)
        , anchorMax(anchorMax)
        , points(points)
    {}

    constexpr bool usesAnchor() const { return anchorMin != 0 || anchorMax != 0; }

    // The value on a canvas of this extent against an anchor with these edges. The terms are added in
    // this order, so W - maxX - 150 comes out as the same number as the expression written out.
    constexpr double resolve(double extent, double low, double high) const
    {
        double value = canvas * extent;
        if (anchorMin != 0)
            value += anchorMin * low;
        if (anchorMax != 0)
            value += anchorMax * high;
        return value + points;
    }

    friend constexpr Length operator+(Length a, Length b)
    {
        return {a.canvas + b.canvas, a.anchorMin + b.anchorMin, a.anchorMax + b.anchorMax,
                a.points + b.points};
    }
    friend constexpr Length operator*(double factor, Length length)
    {
        return {factor * length.canvas, factor * length.anchorMin, factor * length.anchorMax,
                factor * length.points};
    }
    friend constexpr Length operator-(Length a, Length b) { return a + -1.0 * b; }
};

using X = Length<Axis::horizontal>;
using Y = Length<Axis::vertical>;

// The canvas width and height, named as the layout formulas name them.
inline constexpr X W{1, 0, 0, 0}; // NOLINT(readability-identifier-naming)
inline constexpr Y H{1, 0, 0, 0}; // NOLINT(readability-identifier-naming)
inline constexpr X minX{0, 1, 0, 0};
inline constexpr X maxX{0, 0, 1, 0};
inline constexpr Y minY{0, 1, 0, 0};
inline constexpr Y maxY{0, 0, 1, 0};

// A rectangle of lengths: origin at the bottom left, y up.
struct Rect
{
    X x;
    Y y;
    X width;
    Y height;

    constexpr bool usesAnchor() const
    {
        return x.usesAnchor() || y.usesAnchor() || width.usesAnchor() || height.usesAnchor();
    }
};

} // namespace pelorama::templates::layout
