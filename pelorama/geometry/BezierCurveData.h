#pragma once

#include "geometry/NormalizedLine.h"
#include "geometry/Range.h"
#include "graphics/Point.h"
#include "graphics/Rect.h"

#include <optional>
#include <utility>
#include <vector>

namespace pelorama::geometry {

struct FatLine
{
    NormalizedLine line;
    Range range;
};

// The geometry of one cubic segment. Points and the straight-line flag never change after construction;
// the measurement caches are filled on first use and never invalidated. Edges may share one instance.
class BezierCurveData
{
public:
    struct Split;

    BezierCurveData(graphics::Point endPoint1, graphics::Point controlPoint1, graphics::Point controlPoint2,
                    graphics::Point endPoint2, bool isStraightLine);
    // A copy keeps the points, the flag and the measured length; the box and point caches start empty.
    static BezierCurveData copying(const BezierCurveData& other);

    graphics::Point endPoint1;
    graphics::Point controlPoint1;
    graphics::Point controlPoint2;
    graphics::Point endPoint2;
    bool isStraightLine = false;

    bool isPoint() const;
    graphics::Rect boundingRect() const;
    graphics::Rect bounds() const;
    double length(double t = 1.0) const;
    // Cached whole length; -1.0 marks "not measured".
    double cachedLength() const { return m_length; }
    Split point(double t) const;
    // The parts of point(t) alone, each exactly as it gives it, for callers that need no more.
    graphics::Point pointAt(double t) const;
    BezierCurveData pieceBefore(double t) const;
    BezierCurveData pieceAfter(double t) const;
    FatLine chordFatLine() const;
    FatLine perpendicularFatLine() const;
    bool isEqual(const BezierCurveData& other, double tolerance) const;
    BezierCurveData reversed() const;

private:
    mutable double m_length = -1.0;
    mutable std::optional<graphics::Rect> m_bounds;
    mutable std::optional<bool> m_isPoint;
    mutable std::optional<graphics::Rect> m_boundingRect;
};

struct BezierCurveData::Split
{
    graphics::Point point;
    BezierCurveData left;
    BezierCurveData right;
};

// Parameters where the derivative of the one-dimensional cubic p0..p3 is zero: one root when the derivative
// is linear, two otherwise; the roots may be infinite or not numbers.
std::vector<double> cubicDerivativeRoots(double p0, double p1, double p2, double p3);

} // namespace pelorama::geometry
