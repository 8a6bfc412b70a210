#include "geometry/FatLineClip.h"

#include "geometry/Tolerances.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pelorama::geometry {

BezierCurveData subcurveWithRange(const BezierCurveData& curve, const Range& range)
{
    BezierCurveData right = curve.pieceAfter(range.minimum);
    if (range.minimum == 1.0)
        return right;
    return right.pieceBefore((range.maximum - range.minimum) / (1 - range.minimum));
}

namespace {

// The monotone-chain hull of n points into hull, which has room for 2n + 1; answers the hull's count. The
// points are sorted in place. Fixed arrays keep the clipping, which runs this twice per step, off the heap.
int hullInto(graphics::Point* points, int n, graphics::Point* hull)
{
    int limit = n;
    while (limit > 1) {
        int lastSwap = 0;
        for (int i = 1; i < limit; ++i) {
            const graphics::Point& a = points[i - 1];
            const graphics::Point& b = points[i];
            if (a.x > b.x || (std::fabs(a.x - b.x) <= pointTolerance && a.y > b.y)) {
                std::swap(points[i - 1], points[i]);
                lastSwap = i;
            }
        }
        if (lastSwap == 0)
            break;
        limit = lastSwap;
    }

    auto turnsAway = [](const graphics::Point& o, const graphics::Point& a, const graphics::Point& p) {
        const double ux = a.x - o.x, uy = a.y - o.y;
        const double vx = p.x - o.x, vy = p.y - o.y;
        const double cross = ux * vy - uy * vx;
        return cross < 0 || isCloseToZero(cross, pointTolerance);
    };

    int k = 0;
    for (int i = 0; i < n; ++i) {
        while (k >= 2 && turnsAway(hull[k - 2], hull[k - 1], points[i]))
            --k;
        hull[k++] = points[i];
    }
    const int t = k + 1;
    for (int i = n - 2; i >= 0; --i) {
        while (k >= t && turnsAway(hull[k - 2], hull[k - 1], points[i]))
            --k;
        hull[k++] = points[i];
    }
    return std::max(k - 1, 0);
}

} // namespace

std::vector<graphics::Point> convexHull(const std::vector<graphics::Point>& input)
{
    std::vector<graphics::Point> points = input;
    std::vector<graphics::Point> hull(2 * points.size() + 1);
    hull.resize(std::size_t(hullInto(points.data(), int(points.size()), hull.data())));
    return hull;
}

Range clipWithFatLine(const BezierCurveData& curve, const NormalizedLine& line, double least, double greatest)
{
    std::array<graphics::Point, 4> distances = {{
        {0.0, line.distanceFromPoint(curve.endPoint1)},
        {1.0 / 3.0, line.distanceFromPoint(curve.controlPoint1)},
        {2.0 / 3.0, line.distanceFromPoint(curve.controlPoint2)},
        {1.0, line.distanceFromPoint(curve.endPoint2)},
    }};
    std::array<graphics::Point, 2 * distances.size() + 1> hull;
    const std::size_t count = std::size_t(hullInto(distances.data(), int(distances.size()), hull.data()));
    Range result = noMeetingRange;
    auto widen = [&result](double x) {
        if (x < result.minimum)
            result.minimum = x;
        if (x > result.maximum)
            result.maximum = x;
    };
    // A hull corner within the band (or within the point tolerance of it) is kept whole, and a hull side
    // that passes a band line is cut where it does. A side that runs along a band line is thus kept by its
    // corners: dividing by its tiny slope would put the cut anywhere and lose a meeting at the range's end.
    for (std::size_t i = 0; i < count; ++i) {
        const graphics::Point& s = hull[i];
        const graphics::Point& e = hull[(i + 1) % count];
        if ((least <= s.y || isCloseToZero(least - s.y, pointTolerance)) &&
            (s.y <= greatest || isCloseToZero(s.y - greatest, pointTolerance)))
            widen(s.x);
        for (double d : {least, greatest}) {
            if ((s.y < d) == (e.y < d))
                continue;
            const double f = (d - s.y) / (e.y - s.y);
            widen(s.x + std::clamp(f, 0.0, 1.0) * (e.x - s.x));
        }
    }
    if (!std::isfinite(result.minimum) || !std::isfinite(result.maximum))
        return Range{0.0, 1.0};
    return result;
}

ClipResult bezierClip(const BezierCurveData& curve, const BezierCurveData& other,
                      const BezierCurveData& source, Range& range)
{
    const FatLine chord = other.chordFatLine();
    const Range r1 = clipWithFatLine(curve, chord.line, chord.range.minimum, chord.range.maximum);
    if (isNoMeetingRange(r1))
        return {curve, false};
    const FatLine perpendicular = other.perpendicularFatLine();
    const Range r2 =
        clipWithFatLine(curve, perpendicular.line, perpendicular.range.minimum, perpendicular.range.maximum);
    if (isNoMeetingRange(r2))
        return {curve, false};
    const Range clipped{std::max(r1.minimum, r2.minimum), std::min(r1.maximum, r2.maximum)};
    const Range old = range;
    range = Range{old.minimum + old.size() * clipped.minimum, old.minimum + old.size() * clipped.maximum};
    return {subcurveWithRange(source, range), true};
}

} // namespace pelorama::geometry
