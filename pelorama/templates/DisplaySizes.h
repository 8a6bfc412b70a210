#pragma once

#include "graphics/Size.h"

namespace pelorama::templates {

// The canvas sizes of the built-in templates, in canvas points; exported, one point is one pixel.
struct DisplaySizes
{
    static constexpr graphics::Size iPhone{1242, 2208};
    static constexpr graphics::Size iPadPortrait{2048, 2732};
    static constexpr graphics::Size iPadLandscape{2732, 2048};
    static constexpr graphics::Size mac{2880, 1800};
};

} // namespace pelorama::templates
