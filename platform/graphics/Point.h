#pragma once

#include <QMetaType>
#include <QPointF>

namespace graphics {

// A point in a y-up coordinate space, in double precision.
struct Point
{
    double x = 0;
    double y = 0;

    QPointF toQPointF() const { return {x, y}; }
    static Point fromQPointF(const QPointF& point) { return {point.x(), point.y()}; }

    friend bool operator==(const Point&, const Point&) = default;
    friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    friend Point operator*(Point a, double factor) { return {a.x * factor, a.y * factor}; }
};

} // namespace graphics

Q_DECLARE_METATYPE(graphics::Point)
