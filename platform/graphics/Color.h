#pragma once

#include <QColor>
#include <QMetaType>

namespace graphics {

// The colour space a Color was made in; it takes part in equality, as the platform's colours do.
enum class ColorSpace
{
    calibratedRGB,
    deviceRGB,
};

// A colour value in double precision. Components are not clamped: values outside 0...1 survive arithmetic
// and interpolation untouched; painting clamps them (see toQColor).
struct Color
{
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;
    ColorSpace space = ColorSpace::calibratedRGB;

    // The colour for painting: components clamped to 0...1 (a component that is not a number counts as 0).
    QColor toQColor() const;
    // A colour with a QColor's RGBA components, tagged with the given colour space.
    static Color fromQColor(const QColor& color, ColorSpace space = ColorSpace::calibratedRGB);

    friend bool operator==(const Color&, const Color&) = default;
};

} // namespace graphics

Q_DECLARE_METATYPE(graphics::Color)
