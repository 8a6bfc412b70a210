#include "geometry/BezierIntersectRange.h"

#include "geometry/BezierCurve.h"

#include <algorithm>

namespace pelorama::geometry {

namespace {

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

} // namespace pelorama::geometry
