#include "model/GradientSnapshot.h"

#include "model/Gradient.h"

namespace pelorama::model {

GradientSnapshot GradientSnapshot::of(const Gradient& gradient)
{
    return {gradient.gradient()};
}

} // namespace pelorama::model
