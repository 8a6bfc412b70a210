#pragma once

namespace pelorama::geometry {

// Whether a contour encloses filled area or a hole.
enum class ContourInside
{
    filled,
    hole,
};

} // namespace pelorama::geometry
