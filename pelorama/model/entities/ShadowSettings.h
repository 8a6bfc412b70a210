#pragma once

#include "graphics/Color.h"
#include "graphics/Shadow.h"
#include "graphics/Size.h"
#include "model/entities/ShadowType.h"

namespace pelorama::model {

class Shadowable;

// The six shadow settings of an image, device image or caption as plain values, read at one moment (see
// Shadowable for their meaning; a missing value reads as a new drawable's).
struct ShadowSettings
{
    ShadowType type = ShadowType::none;
    double angle = 0;
    double depth = 0;
    double distance = 0;
    double blurRadius = 0;
    graphics::Color color;

    // The settings of shadowable as they are now; on its context's queue.
    static ShadowSettings of(const Shadowable& shadowable);

    // The drop shadow for a render at scale pixels per canvas point: offset distance x scale along the
    // angle (so 270 degrees moves it down; the cosine there is not exactly zero), blur radius x scale.
    graphics::Shadow dropShadow(double scale) const;
    // The length of a directional shadow on a canvas of canvasSize: depth is a fraction of the canvas's
    // diagonal, so the band keeps its place whatever the render's scale.
    double directionalLength(graphics::Size canvasSize) const;

    friend bool operator==(const ShadowSettings&, const ShadowSettings&) = default;
};

} // namespace pelorama::model
