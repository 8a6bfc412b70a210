#pragma once

#include "graphics/Image.h"
#include "graphics/Rect.h"

#include <functional>
#include <optional>

namespace pelorama::model {

struct CanvasRenderingContext;
struct ShadowSettings;

// What casts a directional shadow: the part clipRect of picture (in its own space; the zero rectangle is
// the whole picture) drawn into imageRect, in a context already turned by turn degrees.
struct ShadowCaster
{
    graphics::Image picture;
    graphics::Rect imageRect;
    graphics::Rect clipRect = graphics::Rect::zero();
    double turn = 0;
};

// The shadow of what the caller draws next, inside a graphics state it has saved and restores after
// drawing: a drop shadow is left in force, so the drawing casts it; a directional shadow's bands are
// filled now in the shadow's colour, from the outline of the caster, which is asked for only then and may
// answer none (nothing to cast from). The turn is taken back from the shadow's angle, so the bands point
// along that angle on the canvas. The depth is drawn within DrawingBounds::largestShadowDepth; the graphics
// context bounds a drop shadow's blur and offset.
void castShadow(const ShadowSettings& shadow, const CanvasRenderingContext& context,
                const std::function<std::optional<ShadowCaster>()>& caster);

} // namespace pelorama::model
