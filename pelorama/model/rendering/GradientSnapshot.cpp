#include "model/rendering/GradientSnapshot.h"

#include "model/entities/Gradient.h"

namespace pelorama::model {

GradientSnapshot GradientSnapshot::of(const Gradient& gradient)
{
    return {gradient.gradient()};
}

} // namespace pelorama::model
