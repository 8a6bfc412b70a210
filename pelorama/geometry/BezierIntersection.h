#pragma once

#include "geometry/CurvePieces.h"
#include "graphics/Point.h"

#include <memory>

namespace pelorama::geometry {

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

    BezierCurve* curve1() const { return m_curve1.curve(); }
    BezierCurve* curve2() const { return m_curve2.curve(); }
    double parameter1() const { return m_curve1.where(); }
    double parameter2() const { return m_curve2.where(); }

    graphics::Point location() { return m_curve1.pieces().point; }
    const std::shared_ptr<BezierCurve>& curve1LeftBezier() { return m_curve1.pieces().left; }
    const std::shared_ptr<BezierCurve>& curve1RightBezier() { return m_curve1.pieces().right; }
    const std::shared_ptr<BezierCurve>& curve2LeftBezier() { return m_curve2.pieces().left; }
    const std::shared_ptr<BezierCurve>& curve2RightBezier() { return m_curve2.pieces().right; }
    // The curves on either side of the point on edge, which holds curve 1 (2): the edge and its neighbour
    // where the point is at an end of the curve, else the curve's pieces before and after it.
    CurvesAround curve1Around(const BezierCurve& edge);
    CurvesAround curve2Around(const BezierCurve& edge);

    bool isTangent();
    bool isAtEitherEndOfCurve1() const;
    bool isAtEitherEndOfCurve2() const;
    bool isAtStartOfCurve1() const;
    bool isAtStartOfCurve2() const;
    bool isAtEndOfCurve1() const;
    bool isAtEndOfCurve2() const;

    bool needToComputeCurve1() const { return !m_curve1.isCut(); }
    bool needToComputeCurve2() const { return !m_curve2.isCut(); }

private:
    bool isAtStart(double parameter) const;
    bool isAtEnd(double parameter) const;

    CurvePiecesAtParameter m_curve1;
    CurvePiecesAtParameter m_curve2;
    Ends m_ends;
};

} // namespace pelorama::geometry
