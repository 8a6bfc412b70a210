#include "geometry/BezierIntersectRange.h"

#include "geometry/BezierCurve.h"
#include "geometry/Tolerances.h"

#include <algorithm>

namespace pelorama::geometry {

namespace {

BezierCurve* before(const BezierCurve& edge, CurvePiecesAroundRange& side)
{
    return isParameterAtStart(side.where().minimum) ? edge.previousNonpoint() : side.pieces().left.get();
}

BezierCurve* after(const BezierCurve& edge, CurvePiecesAroundRange& side)
{
    return isParameterAtEnd(side.where().maximum) ? edge.nextNonpoint() : side.pieces().right.get();
}

Range covering(const Range& a, const Range& b)
{
    return {std::min(a.minimum, b.minimum), std::max(a.maximum, b.maximum)};
}

} // namespace

BezierIntersectRange::BezierIntersectRange(BezierCurve* curve1, Range parameterRange1, BezierCurve* curve2,
                                           Range parameterRange2, bool reversed)
    : m_curve1(curve1, parameterRange1)
    , m_curve2(curve2, parameterRange2)
    , m_reversed(reversed)
{}

void BezierIntersectRange::resetPieces()
{
    m_curve1.reset();
    m_curve2.reset();
}

void BezierIntersectRange::merge(const BezierIntersectRange& other)
{
    m_curve1.setWhere(covering(m_curve1.where(), other.m_curve1.where()));
    m_curve2.setWhere(covering(m_curve2.where(), other.m_curve2.where()));
}

BezierCurve* BezierIntersectRange::curve1Before(const BezierCurve& edge)
{
    return before(edge, m_curve1);
}

BezierCurve* BezierIntersectRange::curve1After(const BezierCurve& edge)
{
    return after(edge, m_curve1);
}

BezierCurve* BezierIntersectRange::curve2Before(const BezierCurve& edge)
{
    return before(edge, m_curve2);
}

BezierCurve* BezierIntersectRange::curve2After(const BezierCurve& edge)
{
    return after(edge, m_curve2);
}

} // namespace pelorama::geometry
