#pragma once

#include "graphics/Path.h"

namespace pelorama::model {

// The outline with each subpath turned to run as traced contours do, so that the material lies to the right
// of the direction of travel (what FlatShadowCaster relies on): subpaths inside an even number of others
// (outer boundaries, read by the even-odd rule) clockwise in a y-up space, those inside an odd number
// (holes) counter-clockwise. Path booleans make outlines whose direction follows rules of their own; this
// puts them back.
//
// Subpaths are compared by the polygons of their end points (curves count as their chords) and are
// expected not to cross one another, as the outlines of a boolean operation do not. Subpaths without area
// are kept as they are.
graphics::Path orientedLikeTracedContours(const graphics::Path& outline);

} // namespace pelorama::model
