#pragma once

#include "graphics/Path.h"
#include "tessaline/Shared/TessalineExport.h"

namespace tessaline {

// The element-level path of bezierPath, as the path boolean code walks it: a new path with the same moves,
// lines, curves and closes, point for point and in order, and default line attributes and winding rule.
TESSALINE_EXPORT graphics::Path cgPath(const graphics::Path& bezierPath);

// A bezier path (moves, lines, cubic curves and closes only) equal to path: each quadratic curve with
// control q and end e from current point c becomes the cubic curve to e with controls (2q + c) / 3 and
// (2q + e) / 3. The result has the default line attributes.
TESSALINE_EXPORT graphics::Path bezierPathWithPath(const graphics::Path& path);

} // namespace tessaline
