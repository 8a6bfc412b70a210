#pragma once

#include "graphics/Shadow.h"
#include "tessaline/Shared/TessalineExport.h"

namespace tessaline {

// A shadow configured in one call; the values are taken as they are.
TESSALINE_EXPORT graphics::Shadow shadowWithColor(const graphics::Color& color, graphics::Size offset,
                                                  double blurRadius);

} // namespace tessaline
