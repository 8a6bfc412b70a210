#pragma once

#include "graphics/Path.h"

namespace pelorama::model {

// The geometry of a directional shadow: flat, hard-edged bands cast from the straight edges of an outline
// in one direction, as by a low and distant light.
class FlatShadowCaster
{
public:
    FlatShadowCaster() = delete;

    // The bands cast from path's straight edges (lines and the closing edges of subpaths; curves cast
    // none) along angleDegrees (counter-clockwise from +x) for depth units. An edge casts when it faces
    // the shadow's direction as travelled: its direction has a positive part along the shadow's direction
    // turned a quarter clockwise. For clockwise outlines (material to the right of travel, as traced
    // contours run) those are the edges facing the shadow, so each band starts at the outline.
    //
    // Casting edges that follow one another exactly form one band: the run p0 ... pm gives the closed band
    // p0 ... pm, pm + s ... p0 + s with s = depth (cos a, sin a). Bands are filled together under the
    // non-zero rule. No casting edge gives the empty path.
    static graphics::Path shadowPath(const graphics::Path& path, double angleDegrees, double depth);
};

} // namespace pelorama::model
