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

    BezierCurve* curve1() const { return m_curve1; }
    BezierCurve* curve2() const { return m_curve2; }
    double parameter1() const { return m_parameter1; }
    double parameter2() const { return m_parameter2; }

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
    bool needToComputeCurve1() const { return m_needToComputeCurve1; }
    bool needToComputeCurve2() const { return m_needToComputeCurve2; }

private:
    graphics::Point m_location;
    BezierCurve* m_curve1;
    double m_parameter1;
    std::shared_ptr<BezierCurve> m_curve1LeftBezier;
    std::shared_ptr<BezierCurve> m_curve1RightBezier;
    BezierCurve* m_curve2;
    double m_parameter2;
    std::shared_ptr<BezierCurve> m_curve2LeftBezier;
    std::shared_ptr<BezierCurve> m_curve2RightBezier;
    bool m_needToComputeCurve1 = true;
    bool m_needToComputeCurve2 = true;
};

} // namespace pelorama::geometry
