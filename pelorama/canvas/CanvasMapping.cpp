#include "canvas/CanvasMapping.h"

#include "model/rendering/AspectFit.h"

#include <cmath>

namespace pelorama::canvas {

CanvasMapping::CanvasMapping(graphics::Size canvasSize, const graphics::Rect& bounds)
    : m_canvasSize(canvasSize)
    , m_fitted(model::aspectFit(canvasSize, bounds))
{
    const auto finite = [](double value) {
        return std::isfinite(value);
    };
    m_valid = canvasSize.width > 0 && canvasSize.height > 0 && finite(canvasSize.width) &&
              finite(canvasSize.height) && finite(m_fitted.origin.x) && finite(m_fitted.origin.y) &&
              m_fitted.size.width > 0 && m_fitted.size.height > 0 && finite(m_fitted.size.width) &&
              finite(m_fitted.size.height);
}

graphics::Point CanvasMapping::viewPoint(graphics::Point canvasPoint) const
{
    return {m_fitted.origin.x + canvasPoint.x * m_fitted.size.width / m_canvasSize.width,
            m_fitted.origin.y + canvasPoint.y * m_fitted.size.height / m_canvasSize.height};
}

graphics::Point CanvasMapping::canvasPoint(graphics::Point viewPoint) const
{
    return {(viewPoint.x - m_fitted.origin.x) * m_canvasSize.width / m_fitted.size.width,
            (viewPoint.y - m_fitted.origin.y) * m_canvasSize.height / m_fitted.size.height};
}

graphics::Rect CanvasMapping::viewRect(const graphics::Rect& canvasRect) const
{
    const graphics::Point origin = viewPoint({canvasRect.minX(), canvasRect.minY()});
    return {origin.x, origin.y, canvasRect.width() * m_fitted.size.width / m_canvasSize.width,
            canvasRect.height() * m_fitted.size.height / m_canvasSize.height};
}

} // namespace pelorama::canvas
