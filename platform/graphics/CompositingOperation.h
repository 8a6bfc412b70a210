#pragma once

namespace graphics {

// How drawing combines with what is already in the bitmap; the raw values are the platform's.
enum class CompositingOperation
{
    // The drawing replaces the bitmap's pixels where it covers them, transparency included.
    copy = 1,
    // The drawing is laid over the bitmap.
    sourceOver = 2,
};

} // namespace graphics
