#pragma once

#include "graphics/Path.h"
#include "graphics/Point.h"

namespace pelorama::geometry {

// The boolean operations on paths. Each answers a new path with the even-odd rule that carries the
// receiver's stroke attributes; receiver and argument are left unchanged.
graphics::Path unioningWith(const graphics::Path& receiver, const graphics::Path& other);
graphics::Path intersectingWith(const graphics::Path& receiver, const graphics::Path& other);
graphics::Path subtracting(const graphics::Path& receiver, const graphics::Path& other);
graphics::Path symmetricDifferenceWith(const graphics::Path& receiver, const graphics::Path& other);

// Copies line width, cap, join, miter limit and flatness.
void copyAttributesFrom(graphics::Path& receiver, const graphics::Path& source);

// Marker shapes around a point.
graphics::Path circleAtPoint(graphics::Point point);
graphics::Path rectAtPoint(graphics::Point point);
graphics::Path smallCircleAtPoint(graphics::Point point);
graphics::Path smallRectAtPoint(graphics::Point point);
// A triangle from the point towards point + 15 * direction, 10 units wide at its base.
graphics::Path triangleAtPoint(graphics::Point point, graphics::Point direction);

} // namespace pelorama::geometry
