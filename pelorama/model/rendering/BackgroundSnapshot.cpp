#include "model/rendering/BackgroundSnapshot.h"

#include "model/entities/Screenshot.h"

namespace pelorama::model {

BackgroundSnapshot BackgroundSnapshot::of(const Screenshot& screenshot)
{
    return {screenshot.backgroundType(), screenshot.solidBackgroundColor(), screenshot.gradientStartColor(),
            screenshot.gradientEndColor()};
}

} // namespace pelorama::model
