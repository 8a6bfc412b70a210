#pragma once

namespace graphics {

enum class LineCap
{
    butt = 0,
    round = 1,
    square = 2,
};

enum class LineJoin
{
    miter = 0,
    round = 1,
    bevel = 2,
};

// The line attributes a path carries for stroking, with the platform's defaults.
struct StrokeAttributes
{
    double lineWidth = 1;
    LineCap lineCap = LineCap::butt;
    LineJoin lineJoin = LineJoin::miter;
    // Ratio of the miter length to the line width beyond which a miter join is drawn bevelled.
    double miterLimit = 10;
    // Largest distance allowed between a curve and its flattened polygon, in device pixels.
    double flatness = 0.6;

    friend bool operator==(const StrokeAttributes&, const StrokeAttributes&) = default;
};

} // namespace graphics
