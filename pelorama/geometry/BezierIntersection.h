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
    // How a meeting at an end of a curve is told. A search that converges on its parameters counts those
    // within the parameter tolerance of 0 or 1; two straight edges meet exactly where they are computed to,
    // so an end is one only when the search put the parameter at exactly 0 or 1.
    enum class Ends
    {
        nearby,
        exact
    };

    BezierIntersection(BezierCurve* curve1, double parameter1, BezierCurve* curve2, double parameter2,
                       Ends ends = Ends::nearby);

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
    bool isAtStart(double parameter) const;
    bool isAtEnd(double parameter) const;

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
    Ends m_ends;
};

} // namespace pelorama::geometry
