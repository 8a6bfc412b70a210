#include "model/rendering/DrawingBounds.h"

#include <algorithm>
#include <cmath>

namespace pelorama::model {

namespace {

double bounded(double number, double largest)
{
    return std::isnan(number) ? 0 : std::clamp(number, -largest, largest);
}

} // namespace

double DrawingBounds::shadowDepth(double depth)
{
    return bounded(depth, largestShadowDepth);
}

double DrawingBounds::scaleFactor(double scaleFactor)
{
    return bounded(scaleFactor, largestScaleFactor);
}

} // namespace pelorama::model
