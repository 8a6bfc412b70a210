#pragma once

#include "graphics/Point.h"

#include <cmath>

namespace pelorama::geometry {

// Every comparison of points, parameters, boxes and tangents in the path boolean code uses one of these.
inline constexpr double pointTolerance = 1e-10;
inline constexpr double boundsTolerance = 1e-9;
inline constexpr double tangentTolerance = 1e-12;
inline constexpr double pointCurveTolerance = 1e-5;
inline constexpr double collinearTolerance = 1e-7;
inline constexpr double curveMatchTolerance = 1e-4;
inline constexpr double clipRangeTolerance = 0.001;
inline constexpr double tangentDirectionTolerance = 1e-7;
inline constexpr double parameterTolerance = 1e-4;
inline constexpr double overlapContinuityTolerance = 0.01;

inline constexpr double intersectionTangentTolerance = tangentDirectionTolerance;

// -t <= a - b <= t, bounds inclusive; a difference that is not a number is never close.
inline bool isClose(double a, double b, double tolerance)
{
    const double d = a - b;
    return d >= -tolerance && d <= tolerance;
}

inline bool isCloseToZero(double value, double tolerance)
{
    return value >= -tolerance && value <= tolerance;
}

inline bool arePointsClose(const graphics::Point& a, const graphics::Point& b, double tolerance)
{
    return isClose(a.x, b.x, tolerance) && isClose(a.y, b.y, tolerance);
}

inline bool isParameterAtStart(double t)
{
    return isCloseToZero(t, parameterTolerance);
}

inline bool isParameterAtEnd(double t)
{
    return isCloseToZero(t - 1.0, parameterTolerance);
}

} // namespace pelorama::geometry
