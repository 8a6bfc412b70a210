#include "geometry/BezierIntersectRange.h"

#include "geometry/BezierCurve.h"

#include <algorithm>

namespace pelorama::geometry {

BezierIntersectRange::BezierIntersectRange(BezierCurve* curve1, Range parameterRange1, BezierCurve* curve2,
                                           Range parameterRange2, bool reversed)
    : m_curve1(curve1)
    , m_parameterRange1(parameterRange1)
    , m_curve2(curve2)
    , m_parameterRange2(parameterRange2)
    , m_reversed(reversed)
{}

void BezierIntersectRange::resetPieces()
{
    m_needToComputeCurve1 = true;
    m_needToComputeCurve2 = true;
    m_curve1LeftBezier.reset();
    m_curve1MiddleBezier.reset();
    m_curve1RightBezier.reset();
    m_curve2LeftBezier.reset();
    m_curve2MiddleBezier.reset();
    m_curve2RightBezier.reset();
}

void BezierIntersectRange::merge(const BezierIntersectRange& other)
{
    m_parameterRange1.minimum = std::min(other.m_parameterRange1.minimum, m_parameterRange1.minimum);
    m_parameterRange1.maximum = std::max(m_parameterRange1.maximum, other.m_parameterRange1.maximum);
    m_parameterRange2.minimum = std::min(other.m_parameterRange2.minimum, m_parameterRange2.minimum);
    m_parameterRange2.maximum = std::max(m_parameterRange2.maximum, other.m_parameterRange2.maximum);
    resetPieces();
}

void BezierIntersectRange::computeCurve1Pieces()
{
    if (!m_needToComputeCurve1)
        return;
    BezierCurve::RangePieces pieces = m_curve1->splitSubcurves(m_parameterRange1, true, true, true);
    m_curve1LeftBezier = std::move(pieces.left);
    m_curve1MiddleBezier = std::move(pieces.middle);
    m_curve1RightBezier = std::move(pieces.right);
    m_needToComputeCurve1 = false;
}

void BezierIntersectRange::computeCurve2Pieces()
{
    if (!m_needToComputeCurve2)
        return;
    BezierCurve::RangePieces pieces = m_curve2->splitSubcurves(m_parameterRange2, true, true, true);
    m_curve2LeftBezier = std::move(pieces.left);
    m_curve2MiddleBezier = std::move(pieces.middle);
    m_curve2RightBezier = std::move(pieces.right);
    m_needToComputeCurve2 = false;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve1LeftBezier()
{
    computeCurve1Pieces();
    return m_curve1LeftBezier;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve1MiddleBezier()
{
    computeCurve1Pieces();
    return m_curve1MiddleBezier;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve1RightBezier()
{
    computeCurve1Pieces();
    return m_curve1RightBezier;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve2LeftBezier()
{
    computeCurve2Pieces();
    return m_curve2LeftBezier;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve2MiddleBezier()
{
    computeCurve2Pieces();
    return m_curve2MiddleBezier;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve2RightBezier()
{
    computeCurve2Pieces();
    return m_curve2RightBezier;
}

} // namespace pelorama::geometry
