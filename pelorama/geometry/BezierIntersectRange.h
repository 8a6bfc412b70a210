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

    BezierCurve* curve1() const { return m_curve1; }
    BezierCurve* curve2() const { return m_curve2; }
    const Range& parameterRange1() const { return m_parameterRange1; }
    const Range& parameterRange2() const { return m_parameterRange2; }
    bool reversed() const { return m_reversed; }

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

    BezierCurve* m_curve1;
    Range m_parameterRange1;
    std::shared_ptr<BezierCurve> m_curve1LeftBezier;
    std::shared_ptr<BezierCurve> m_curve1MiddleBezier;
    std::shared_ptr<BezierCurve> m_curve1RightBezier;
    BezierCurve* m_curve2;
    Range m_parameterRange2;
    std::shared_ptr<BezierCurve> m_curve2LeftBezier;
    std::shared_ptr<BezierCurve> m_curve2MiddleBezier;
    std::shared_ptr<BezierCurve> m_curve2RightBezier;
    bool m_needToComputeCurve1 = true;
    bool m_needToComputeCurve2 = true;
    bool m_reversed;
};

} // namespace pelorama::geometry
