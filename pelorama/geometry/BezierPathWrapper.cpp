#include "geometry/BezierPathWrapper.h"

namespace pelorama::geometry {

void BezierPathWrapper::readElements()
{
    elements.reserve(elements.size() + std::size_t(m_bezierPath.elementCount()));
    m_bezierPath.forEachElement([this](const graphics::PathElement& element) {
        elements.push_back(BezierGraphElement::fromElement(element));
    });
}

} // namespace pelorama::geometry
