#include "model/imaging/FlatShadowCaster.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace pelorama::model {

graphics::Path FlatShadowCaster::shadowPath(const graphics::Path& path, double angleDegrees, double depth)
{
    const double a = angleDegrees * std::numbers::pi / 180;
    const double testX = std::cos(a - std::numbers::pi / 2);
    const double testY = std::sin(a - std::numbers::pi / 2);

    std::vector<std::vector<graphics::Point>> runs;
    const auto offer = [&](graphics::Point p, graphics::Point q) {
        const double dx = q.x - p.x;
        const double dy = q.y - p.y;
        const double length = std::hypot(dx, dy);
        if (!((dx * testX + dy * testY) / length > 0))
            return;
        if (!runs.empty() && runs.back().back() == p)
            runs.back().push_back(q);
        else
            runs.push_back({p, q});
    };

    graphics::Point current;
    graphics::Point subpathStart;
    for (const graphics::PathElement& element : path.elements()) {
        switch (element.type) {
        case graphics::PathElementType::moveTo:
            current = subpathStart = element.points[0];
            break;
        case graphics::PathElementType::lineTo:
            offer(current, element.points[0]);
            current = element.points[0];
            break;
        case graphics::PathElementType::quadCurveTo:
        case graphics::PathElementType::curveTo:
            current = element.endPoint();
            break;
        case graphics::PathElementType::closeSubpath:
            offer(current, subpathStart);
            current = subpathStart;
            break;
        }
    }

    const double shiftX = depth * std::cos(a);
    const double shiftY = depth * std::sin(a);
    graphics::Path bands;
    for (const std::vector<graphics::Point>& run : runs) {
        bands.moveTo(run.front());
        for (size_t i = 1; i < run.size(); ++i)
            bands.lineTo(run[i]);
        for (size_t i = run.size(); i-- > 0;)
            bands.lineTo({run[i].x + shiftX, run[i].y + shiftY});
        bands.closeSubpath();
    }
    return bands;
}

} // namespace pelorama::model
