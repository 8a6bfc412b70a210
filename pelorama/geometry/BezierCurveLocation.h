#pragma once

namespace pelorama::geometry {

// A place on a curve: its parameter and its distance from the point it was sought for.
struct BezierCurveLocation
{
    double parameter = 0;
    double distance = 0;
};

} // namespace pelorama::geometry
