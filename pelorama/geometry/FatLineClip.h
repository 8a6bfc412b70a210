#pragma once

#include "geometry/BezierCurveData.h"
#include "geometry/Range.h"
#include "graphics/Point.h"

#include <utility>
#include <vector>

namespace pelorama::geometry {

// The range a clip answers when the curve cannot meet the fat line.
inline constexpr Range noMeetingRange{1.0, 0.0};

inline bool isNoMeetingRange(const Range& range)
{
    return range.minimum == 1.0 && range.maximum == 0.0;
}

// The part of the curve between the two parameters of the range.
BezierCurveData subcurveWithRange(const BezierCurveData& curve, const Range& range);
// Counter-clockwise hull from the leftmost point, first point not repeated, collinear points dropped.
std::vector<graphics::Point> convexHull(const std::vector<graphics::Point>& points);
// Range of the curve's parameters that can lie inside the band [least, greatest] of the line.
Range clipWithFatLine(const BezierCurveData& curve, const NormalizedLine& line, double least,
                      double greatest);

struct ClipResult
{
    BezierCurveData curve;
    bool mayMeet;
};

// Narrows `curve` (which stands for `range` of `source`) against `other`; the piece is always cut from the
// source, so errors do not build up over iterations.
ClipResult bezierClip(const BezierCurveData& curve, const BezierCurveData& other,
                      const BezierCurveData& source, Range& range);

} // namespace pelorama::geometry
