#pragma once

#include "geometry/AngleRange.h"
#include "geometry/TangentPair.h"
#include "graphics/Point.h"
#include "graphics/Rect.h"

namespace pelorama::geometry {

// True when the boxes overlap, touch, or lie apart by at most boundsTolerance on each axis.
bool rectsMightOverlap(const graphics::Rect& a, const graphics::Rect& b);
// True when some tangent of one pair points the same way as some tangent of the other.
bool tangentsAreAmbiguous(const TangentPair& p, const TangentPair& q);
// True when the second edge passes from one side of the first edge to the other at their meeting point.
bool tangentsCross(const TangentPair& edge1, const TangentPair& edge2);
// Direction of a vector as an angle in [0, 2pi).
double polarAngle(const graphics::Point& vector);
// True when the angle lies strictly inside the range, at least tangentTolerance from both ends.
bool angleRangeContainsAngle(const AngleRange& range, double angle);
graphics::Point midpoint(const graphics::Point& p1, const graphics::Point& p2);
// Compares truncations to a count of decimal places; false for values whose scaled form is not finite.
bool areValuesEqual(double a, double b, int places);

} // namespace pelorama::geometry
