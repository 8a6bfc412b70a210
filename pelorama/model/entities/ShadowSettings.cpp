#include "model/entities/ShadowSettings.h"

#include "model/entities/Shadowable.h"

#include <cmath>

namespace pelorama::model {

ShadowSettings ShadowSettings::of(const Shadowable& shadowable)
{
    return {shadowable.shadowType(),     shadowable.shadowAngle(),      shadowable.shadowDepth(),
            shadowable.shadowDistance(), shadowable.shadowBlurRadius(), shadowable.shadowColor()};
}

graphics::Shadow ShadowSettings::dropShadow(double scale) const
{
    const double radians = angle * 3.141592653589793 / 180;
    return graphics::Shadow{color,
                            {distance * std::cos(radians) * scale, distance * std::sin(radians) * scale},
                            blurRadius * scale};
}

double ShadowSettings::directionalLength(graphics::Size canvasSize) const
{
    return depth * std::sqrt(canvasSize.width * canvasSize.width + canvasSize.height * canvasSize.height);
}

} // namespace pelorama::model
