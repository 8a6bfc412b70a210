#include "tessaline/Shared/ShadowInitializer.h"

namespace tessaline {

graphics::Shadow shadowWithColor(const graphics::Color& color, graphics::Size offset, double blurRadius)
{
    graphics::Shadow shadow;
    shadow.color = color;
    shadow.offset = offset;
    shadow.blurRadius = blurRadius;
    return shadow;
}

} // namespace tessaline
