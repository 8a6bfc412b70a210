#include "model/rendering/BackgroundSnapshot.h"

#include "model/entities/Screenshot.h"
#include "model/entities/StockGradient.h"
#include "tessaline/Shared/ColorComponents.h"

namespace pelorama::model {

BackgroundSnapshot BackgroundSnapshot::of(const Screenshot& screenshot)
{
    const StockGradient& first = *StockGradient::all().front();
    const auto defaultSolidColor = [&] {
        return tessaline::interpolate(first.startColor(), first.endColor(), 0.5);
    };
    return {screenshot.backgroundType(), screenshot.solidBackgroundColor().value_or(defaultSolidColor()),
            screenshot.gradientStartColor().value_or(first.startColor()),
            screenshot.gradientEndColor().value_or(first.endColor())};
}

} // namespace pelorama::model
