#pragma once

namespace pelorama::model {

// What drawing does with a number a document holds, bounded where a larger one would draw wrongly or not
// at all. A document keeps every number as it was given (the inspector, key-value coding, copy and paste
// and saving take any); only drawing takes one beyond its bound as the bound, and a NaN as no effect.
//
// The bounds lie far above anything the inspector or the templates make, and far below where the doubles
// the shapes are made of stop telling pixels apart (about 2^52 pixels from the origin). The cost of a
// drop shadow's blur and offset is bounded where it arises, by the graphics context
// (graphics::ShadowRenderer::largestRadius, a blur of 2^24 pixels; an offset of 2^26 pixels).
struct DrawingBounds
{
    // A directional shadow's depth, in canvas diagonals: 2^20. A band one diagonal long already crosses
    // the canvas from anywhere on it; at the bound it reaches some 5 * 10^10 pixels on the largest bitmap.
    static constexpr double largestShadowDepth = 1 << 20;
    // A device's scale factor, in canvas points per frame pixel: 2^20, which draws the largest frame
    // (4000 pixels wide) some 4 * 10^9 points wide.
    static constexpr double largestScaleFactor = 1 << 20;

    // depth within -largestShadowDepth ... largestShadowDepth; 0 (no band) for NaN.
    static double shadowDepth(double depth);
    // scaleFactor within -largestScaleFactor ... largestScaleFactor; 0 (nothing drawn) for NaN.
    static double scaleFactor(double scaleFactor);
};

} // namespace pelorama::model
