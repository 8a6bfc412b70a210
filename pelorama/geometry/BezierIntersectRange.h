#pragma once

#include "geometry/Range.h"

#include <memory>

namespace pelorama::geometry {

class BezierCurve;

// A stretch along which two curves coincide: a parameter range on each and whether the second runs against
// the first. The curves are referred to, not owned; the pieces before, inside and after each range are cut on
// first use and kept until the ranges change.
class BezierIntersectRange
{
public:
    BezierIntersectRange(BezierCurve* curve1, Range parameterRange1, BezierCurve* curve2,
                         Range parameterRange2, bool reversed);

    BezierCurve* curve1() const { return curve1_; }
    BezierCurve* curve2() const { return curve2_; }
    const Range& parameterRange1() const { return parameterRange1_; }
    const Range& parameterRange2() const { return parameterRange2_; }
    bool reversed() const { return reversed_; }

    void resetPieces();
    // Widens both ranges to cover the other range's too.
    void merge(const BezierIntersectRange& other);

    const std::shared_ptr<BezierCurve>& curve1LeftBezier();
    const std::shared_ptr<BezierCurve>& curve1MiddleBezier();
    const std::shared_ptr<BezierCurve>& curve1RightBezier();
    const std::shared_ptr<BezierCurve>& curve2LeftBezier();
    const std::shared_ptr<BezierCurve>& curve2MiddleBezier();
    const std::shared_ptr<BezierCurve>& curve2RightBezier();

private:
    void computeCurve1Pieces();
    void computeCurve2Pieces();

    BezierCurve* curve1_;
    Range parameterRange1_;
    std::shared_ptr<BezierCurve> curve1LeftBezier_;
    std::shared_ptr<BezierCurve> curve1MiddleBezier_;
    std::shared_ptr<BezierCurve> curve1RightBezier_;
    BezierCurve* curve2_;
    Range parameterRange2_;
    std::shared_ptr<BezierCurve> curve2LeftBezier_;
    std::shared_ptr<BezierCurve> curve2MiddleBezier_;
    std::shared_ptr<BezierCurve> curve2RightBezier_;
    bool needToComputeCurve1_ = true;
    bool needToComputeCurve2_ = true;
    bool reversed_;
};

} // namespace pelorama::geometry
