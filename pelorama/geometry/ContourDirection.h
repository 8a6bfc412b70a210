#pragma once

namespace pelorama::geometry {

// Which way an outline runs, seen with y up.
enum class ContourDirection
{
    counterClockwise,
    clockwise,
};

} // namespace pelorama::geometry
