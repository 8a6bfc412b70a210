#pragma once

#include "graphics/Color.h"
#include "model/entities/BackgroundType.h"

#include <QStringList>

namespace pelorama::model {

class Screenshot;

// What a screenshot's background is drawn from (SnapshotDrawing.h), as plain values. A colour the
// screenshot does not have reads as a new screenshot's (Screenshot's colour accessors).
struct BackgroundSnapshot
{
    BackgroundType type = BackgroundType::solid;
    graphics::Color solidColor;
    graphics::Color gradientStartColor; // at the bottom
    graphics::Color gradientEndColor;   // at the top

    // On the screenshot's context queue.
    static BackgroundSnapshot of(const Screenshot& screenshot);

    friend bool operator==(const BackgroundSnapshot&, const BackgroundSnapshot&) = default;
};

} // namespace pelorama::model
