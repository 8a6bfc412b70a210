#pragma once

#include "model/rendering/BackgroundSnapshot.h"
#include "model/rendering/CaptionSnapshot.h"
#include "model/rendering/DeviceImageSnapshot.h"
#include "model/rendering/GradientSnapshot.h"
#include "model/rendering/ImageSnapshot.h"

#include <variant>

namespace pelorama::model {

// Everything one drawable of a canvas is drawn from, taken at one moment: plain values that keep no
// pointer into a context and share pictures without copying their pixels. A snapshot never changes, so
// any thread may draw it (CanvasRenderer) while the document goes on.
using DrawableSnapshot =
    std::variant<BackgroundSnapshot, ImageSnapshot, DeviceImageSnapshot, CaptionSnapshot, GradientSnapshot>;

} // namespace pelorama::model
