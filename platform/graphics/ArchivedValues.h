#pragma once

#include "foundation/ArchivedValueCoder.h"

#include <QLatin1String>

namespace graphics {

// Class names of graphics values in keyed archives; allow them by these names when unarchiving.
inline constexpr QLatin1String archivedColorClass{"Color"};
inline constexpr QLatin1String archivedFontClass{"Font"};

// Coders that let keyed archives hold Color ("red", "green", "blue", "alpha" as reals, "space" as an
// integer: 0 calibrated, 1 device RGB) and Font ("name" as text, "size" as a real). Decoding refuses
// components or sizes that are not finite numbers and unknown colour spaces.
foundation::ArchivedValueCoders archivedValueCoders();

} // namespace graphics
