#pragma once

#include "graphics/Color.h"
#include "graphics/Point.h"
#include "graphics/Rect.h"

#include <QLinearGradient>
#include <vector>

namespace graphics {

// A linear colour gradient of two or more stops at locations from 0 to 1.
class Gradient
{
public:
    struct Stop
    {
        Color color;
        double location = 0;

        friend bool operator==(const Stop&, const Stop&) = default;
    };

    // start at location 0, end at location 1.
    Gradient(const Color& start, const Color& end);
    // Fewer than two stops is a broken contract. Stops keep the given order.
    explicit Gradient(std::vector<Stop> stops);

    int stopCount() const { return static_cast<int>(m_stops.size()); }
    const Stop& stop(int index) const;
    const std::vector<Stop>& stops() const { return m_stops; }

    // The points between which the gradient runs when drawn along angleDegrees (counter-clockwise from
    // the x axis in a y-up space) over bounds: a line through the centre, long enough that the start colour
    // touches one corner and the end colour the opposite one.
    static std::pair<Point, Point> endPoints(const Rect& bounds, double angleDegrees);
    QLinearGradient toQGradient(Point start, Point end) const;

    friend bool operator==(const Gradient&, const Gradient&) = default;

private:
    std::vector<Stop> m_stops;
};

} // namespace graphics
