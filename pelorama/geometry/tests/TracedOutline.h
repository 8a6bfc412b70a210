#pragma once

#include "graphics/Path.h"

#include <functional>

namespace geometrytest {

// The outline of the pixels of a size x size grid for which inside(x, y) holds, traced along pixel sides as
// a contour tracer does: one unit edge per pixel side, outer outlines counter-clockwise, holes clockwise.
graphics::Path traceOutline(int size, const std::function<bool(int, int)>& inside);

} // namespace geometrytest
