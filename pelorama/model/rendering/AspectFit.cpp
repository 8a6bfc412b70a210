#include "model/rendering/AspectFit.h"

#include <cmath>

namespace pelorama::model {

graphics::Rect aspectFit(const graphics::Size& size, const graphics::Rect& rect)
{
    const double x = rect.minX();
    const double y = rect.minY();
    const double w = rect.width();
    const double h = rect.height();
    const double heightRatio = std::abs(h / size.height);
    const double widthRatio = std::abs(w / size.width);
    const double scale = heightRatio < widthRatio ? heightRatio : widthRatio;
    const double fittedWidth = scale * size.width;
    const double fittedHeight = scale * size.height;
    return {x + (w - fittedWidth) * 0.5, y + (h - fittedHeight) * 0.5, fittedWidth, fittedHeight};
}

} // namespace pelorama::model
