#pragma once

#include "model/BackgroundSnapshot.h"
#include "model/CaptionSnapshot.h"
#include "model/DeviceImageSnapshot.h"
#include "model/GradientSnapshot.h"
#include "model/ImageSnapshot.h"

#include <variant>

namespace pelorama::model {

// Everything one drawable of a canvas is drawn from, taken at one moment: plain values that keep no
// pointer into a context and share pictures without copying their pixels. A snapshot never changes, so
// any thread may draw it (CanvasRenderer) while the document goes on.
using DrawableSnapshot =
    std::variant<BackgroundSnapshot, ImageSnapshot, DeviceImageSnapshot, CaptionSnapshot, GradientSnapshot>;

} // namespace pelorama::model
