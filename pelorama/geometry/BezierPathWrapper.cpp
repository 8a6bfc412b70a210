#include "geometry/BezierPathWrapper.h"

namespace pelorama::geometry {

void BezierPathWrapper::readElements()
{
    m_bezierPath.forEachElement([this](const graphics::PathElement& element) {
        elements.push_back(PathElement::fromElement(element));
    });
}

} // namespace pelorama::geometry
