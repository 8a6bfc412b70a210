#pragma once

#include "graphics/Gradient.h"

#include <QStringList>
#include <optional>

namespace pelorama::model {

class Gradient;

// What a gradient drawable is drawn from (SnapshotDrawing.h): its two colours, none while either is
// missing.
struct GradientSnapshot
{
    std::optional<graphics::Gradient> gradient;

    // On the gradient's context queue.
    static GradientSnapshot of(const Gradient& gradient);

    friend bool operator==(const GradientSnapshot&, const GradientSnapshot&) = default;
};

} // namespace pelorama::model
