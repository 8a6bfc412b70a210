#pragma once

#include "graphics/Rect.h"
#include "graphics/Size.h"

namespace pelorama::model {

// The largest copy of size, scaled uniformly, that fits rect, centred in rect (taken standardised). The
// scale is the smaller of |rect height / height| and |rect width / width|, the width ratio winning
// when either is not a number. A size with a zero or non-finite side gives a non-finite result; callers
// that divide by or convert the result check it first.
graphics::Rect aspectFit(const graphics::Size& size, const graphics::Rect& rect);

} // namespace pelorama::model
