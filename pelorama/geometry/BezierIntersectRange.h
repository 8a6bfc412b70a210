#pragma once

#include "geometry/CurvePieces.h"
#include "geometry/Range.h"

#include <memory>

namespace pelorama::geometry {

// A stretch along which two curves coincide: a parameter range on each and whether the second runs against
// the first. The curves are referred to, not owned; the pieces before, inside and after each range are cut on
// first use and kept until the ranges change.
class BezierIntersectRange
{
public:
    BezierIntersectRange(BezierCurve* curve1, Range parameterRange1, BezierCurve* curve2,
                         Range parameterRange2, bool reversed);

    BezierCurve* curve1() const { return m_curve1.curve(); }
    BezierCurve* curve2() const { return m_curve2.curve(); }
    const Range& parameterRange1() const { return m_curve1.where(); }
    const Range& parameterRange2() const { return m_curve2.where(); }
    bool reversed() const { return m_reversed; }

    void resetPieces();
    // Widens both ranges to cover the other range's too.
    void merge(const BezierIntersectRange& other);

    const std::shared_ptr<BezierCurve>& curve1LeftBezier() { return m_curve1.pieces().left; }
    const std::shared_ptr<BezierCurve>& curve1MiddleBezier() { return m_curve1.pieces().middle; }
    const std::shared_ptr<BezierCurve>& curve1RightBezier() { return m_curve1.pieces().right; }
    const std::shared_ptr<BezierCurve>& curve2LeftBezier() { return m_curve2.pieces().left; }
    const std::shared_ptr<BezierCurve>& curve2MiddleBezier() { return m_curve2.pieces().middle; }
    const std::shared_ptr<BezierCurve>& curve2RightBezier() { return m_curve2.pieces().right; }

    // The curves on either side of the range on edge, which holds curve 1 (2): the piece of the curve
    // before (after) the range, or the edge's neighbour where the range reaches the edge's end.
    BezierCurve* curve1Before(const BezierCurve& edge);
    BezierCurve* curve1After(const BezierCurve& edge);
    BezierCurve* curve2Before(const BezierCurve& edge);
    BezierCurve* curve2After(const BezierCurve& edge);

private:
    CurvePiecesAroundRange m_curve1;
    CurvePiecesAroundRange m_curve2;
    bool m_reversed;
};

} // namespace pelorama::geometry
