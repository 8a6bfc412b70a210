#include "geometry/BezierGraphElement.h"

namespace pelorama::geometry {

BezierGraphElement BezierGraphElement::fromElement(const graphics::PathElement& element)
{
    const auto& p = element.points;
    switch (element.type) {
    case graphics::PathElementType::moveTo:
        return moveTo(p[0]);
    case graphics::PathElementType::lineTo:
        return lineTo(p[0]);
    case graphics::PathElementType::quadCurveTo:
        return quadCurveTo(p[1], p[0]);
    case graphics::PathElementType::curveTo:
        return cubicCurveTo(p[2], p[0], p[1]);
    case graphics::PathElementType::closeSubpath:
        return close();
    }
    return moveTo(p[0]);
}

} // namespace pelorama::geometry
