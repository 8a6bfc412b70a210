#pragma once

#include "graphics/Point.h"

#include <memory>

namespace pelorama::geometry {

class BezierCurve;

// One point where two curves meet, with the parameter on each. The curves are referred to, not owned; the
// pieces of each curve before and after the point are split on first use and kept.
class BezierIntersection
{
public:
    BezierIntersection(BezierCurve* curve1, double parameter1, BezierCurve* curve2, double parameter2);

    BezierCurve* curve1() const { return curve1_; }
    BezierCurve* curve2() const { return curve2_; }
    double parameter1() const { return parameter1_; }
    double parameter2() const { return parameter2_; }

    graphics::Point location();
    const std::shared_ptr<BezierCurve>& curve1LeftBezier();
    const std::shared_ptr<BezierCurve>& curve1RightBezier();
    const std::shared_ptr<BezierCurve>& curve2LeftBezier();
    const std::shared_ptr<BezierCurve>& curve2RightBezier();

    bool isTangent();
    bool isAtEitherEndOfCurve1() const;
    bool isAtEitherEndOfCurve2() const;
    bool isAtStartOfCurve1() const;
    bool isAtStartOfCurve2() const;
    bool isAtEndOfCurve1() const;
    bool isAtEndOfCurve2() const;

    void computeCurve1Pieces();
    void computeCurve2Pieces();
    bool needToComputeCurve1() const { return needToComputeCurve1_; }
    bool needToComputeCurve2() const { return needToComputeCurve2_; }

private:
    graphics::Point location_;
    BezierCurve* curve1_;
    double parameter1_;
    std::shared_ptr<BezierCurve> curve1LeftBezier_;
    std::shared_ptr<BezierCurve> curve1RightBezier_;
    BezierCurve* curve2_;
    double parameter2_;
    std::shared_ptr<BezierCurve> curve2LeftBezier_;
    std::shared_ptr<BezierCurve> curve2RightBezier_;
    bool needToComputeCurve1_ = true;
    bool needToComputeCurve2_ = true;
};

} // namespace pelorama::geometry
