#pragma once

#include "graphics/Path.h"

#include <QImage>
#include <cstring>
#include <initializer_list>
#include <ostream>
#include <vector>

// Pictures drawn as text and paths read back as polygons, for the contour and shadow tests.

using Polygon = std::vector<graphics::Point>;

namespace graphics {
inline void PrintTo(const Point& point, std::ostream* out)
{
    *out << "(" << point.x << ", " << point.y << ")";
}
} // namespace graphics

// The points of each subpath (moves and lines; curves are not expected), one polygon per subpath.
inline std::vector<Polygon> polygons(const graphics::Path& path)
{
    std::vector<Polygon> result;
    for (const graphics::PathElement& element : path.elements()) {
        if (element.type == graphics::PathElementType::moveTo)
            result.emplace_back();
        if (element.type == graphics::PathElementType::moveTo ||
            element.type == graphics::PathElementType::lineTo)
            result.back().push_back(element.points[0]);
    }
    return result;
}

// A closed subpath through the polygon's points: a move to the first, lines to the others, a close.
inline graphics::Path closedPath(const Polygon& polygon)
{
    graphics::Path path;
    path.moveTo(polygon.front());
    for (size_t i = 1; i < polygon.size(); ++i)
        path.lineTo(polygon[i]);
    path.closeSubpath();
    return path;
}

// Twice the area a polygon encloses, positive when it runs counter-clockwise in a y-up space.
inline double signedArea(const Polygon& polygon)
{
    double sum = 0;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const graphics::Point& a = polygon[i];
        const graphics::Point& b = polygon[(i + 1) % polygon.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

// A bitmap of the picture's rows, top row first: '#' opaque black, '.' transparent.
inline QImage pictureOf(const std::vector<const char*>& rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(std::strlen(rows.front()));
    QImage bitmap(width, height, QImage::Format_RGBA8888_Premultiplied);
    bitmap.fill(Qt::transparent);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; x < width; ++x) {
            if (row[x] == '#')
                bitmap.setPixelColor(x, y, Qt::black);
        }
        ++y;
    }
    return bitmap;
}
