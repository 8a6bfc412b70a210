#include "graphics/Gradient.h"

#include "foundation/Fatal.h"

#include <cmath>
#include <numbers>

namespace graphics {

Gradient::Gradient(const Color& start, const Color& end)
    : m_stops{{start, 0}, {end, 1}}
{}

Gradient::Gradient(std::vector<Stop> stops)
    : m_stops(std::move(stops))
{
    if (m_stops.size() < 2) {
        foundation::fatal(QStringLiteral("A gradient needs at least two colour stops"));
    }
}

const Gradient::Stop& Gradient::stop(int index) const
{
    if (index < 0 || index >= stopCount()) {
        foundation::fatal(
            QStringLiteral("Gradient stop index %1 out of range 0..%2").arg(index).arg(stopCount()));
    }
    return m_stops[static_cast<std::size_t>(index)];
}

std::pair<Point, Point> Gradient::endPoints(const Rect& bounds, double angleDegrees)
{
    const double radians = angleDegrees * std::numbers::pi / 180;
    const double dx = std::cos(radians);
    const double dy = std::sin(radians);
    const double reach = std::abs(bounds.width() / 2 * dx) + std::abs(bounds.height() / 2 * dy);
    const Point centre{bounds.midX(), bounds.midY()};
    const Point along{dx * reach, dy * reach};
    return {centre - along, centre + along};
}

QLinearGradient Gradient::toQGradient(Point start, Point end) const
{
    QLinearGradient gradient(start.toQPointF(), end.toQPointF());
    for (const Stop& stop : m_stops) {
        gradient.setColorAt(std::clamp(stop.location, 0.0, 1.0), stop.color.toQColor());
    }
    return gradient;
}

} // namespace graphics
