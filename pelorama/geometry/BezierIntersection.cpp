#include "geometry/BezierIntersection.h"

#include "geometry/BezierCurve.h"
#include "geometry/Tolerances.h"
#include "geometry/VectorMath.h"

namespace pelorama::geometry {

namespace {

bool directionsAgree(const graphics::Point& a, const graphics::Point& b)
{
    return isClose(a.x, b.x, intersectionTangentTolerance) && isClose(a.y, b.y, intersectionTangentTolerance);
}

} // namespace

BezierIntersection::BezierIntersection(BezierCurve* curve1, double parameter1, BezierCurve* curve2,
                                       double parameter2, Ends ends)
    : m_curve1(curve1)
    , m_parameter1(parameter1)
    , m_curve2(curve2)
    , m_parameter2(parameter2)
    , m_ends(ends)
{}

bool BezierIntersection::isAtStart(double parameter) const
{
    return m_ends == Ends::exact ? parameter == 0.0 : isParameterAtStart(parameter);
}

bool BezierIntersection::isAtEnd(double parameter) const
{
    return m_ends == Ends::exact ? parameter == 1.0 : isParameterAtEnd(parameter);
}

void BezierIntersection::computeCurve1Pieces()
{
    if (!m_needToComputeCurve1)
        return;
    BezierCurve::Pieces pieces = m_curve1->split(m_parameter1);
    m_location = pieces.point;
    m_curve1LeftBezier = std::move(pieces.left);
    m_curve1RightBezier = std::move(pieces.right);
    m_needToComputeCurve1 = false;
}

void BezierIntersection::computeCurve2Pieces()
{
    if (!m_needToComputeCurve2)
        return;
    BezierCurve::Pieces pieces = m_curve2->split(m_parameter2);
    m_curve2LeftBezier = std::move(pieces.left);
    m_curve2RightBezier = std::move(pieces.right);
    m_needToComputeCurve2 = false;
}

graphics::Point BezierIntersection::location()
{
    computeCurve1Pieces();
    return m_location;
}

const std::shared_ptr<BezierCurve>& BezierIntersection::curve1LeftBezier()
{
    computeCurve1Pieces();
    return m_curve1LeftBezier;
}

const std::shared_ptr<BezierCurve>& BezierIntersection::curve1RightBezier()
{
    computeCurve1Pieces();
    return m_curve1RightBezier;
}

const std::shared_ptr<BezierCurve>& BezierIntersection::curve2LeftBezier()
{
    computeCurve2Pieces();
    return m_curve2LeftBezier;
}

const std::shared_ptr<BezierCurve>& BezierIntersection::curve2RightBezier()
{
    computeCurve2Pieces();
    return m_curve2RightBezier;
}

bool BezierIntersection::isAtEitherEndOfCurve1() const
{
    return isAtStart(m_parameter1) || m_curve1->data().isPoint() || isAtEnd(m_parameter1);
}

bool BezierIntersection::isAtEitherEndOfCurve2() const
{
    return isAtStart(m_parameter2) || m_curve2->data().isPoint() || isAtEnd(m_parameter2);
}

bool BezierIntersection::isAtStartOfCurve1() const
{
    return isAtStart(m_parameter1) || m_curve1->data().isPoint();
}

bool BezierIntersection::isAtStartOfCurve2() const
{
    return isAtStart(m_parameter2) || m_curve2->data().isPoint();
}

bool BezierIntersection::isAtEndOfCurve1() const
{
    return isAtEnd(m_parameter1) || m_curve1->data().isPoint();
}

bool BezierIntersection::isAtEndOfCurve2() const
{
    return isAtEnd(m_parameter2) || m_curve2->data().isPoint();
}

bool BezierIntersection::isTangent()
{
    if (isAtEitherEndOfCurve1() || isAtEitherEndOfCurve2())
        return false;
    computeCurve1Pieces();
    computeCurve2Pieces();
    const BezierCurveData& left1 = m_curve1LeftBezier->data();
    const BezierCurveData& right1 = m_curve1RightBezier->data();
    const BezierCurveData& left2 = m_curve2LeftBezier->data();
    const BezierCurveData& right2 = m_curve2RightBezier->data();
    const graphics::Point a = normalized(subtract(left1.controlPoint2, left1.endPoint2));
    const graphics::Point b = normalized(subtract(right1.controlPoint1, right1.endPoint1));
    const graphics::Point c = normalized(subtract(left2.controlPoint2, left2.endPoint2));
    const graphics::Point d = normalized(subtract(right2.controlPoint1, right2.endPoint1));
    return directionsAgree(a, c) || directionsAgree(a, d) || directionsAgree(b, c) || directionsAgree(b, d);
}

} // namespace pelorama::geometry
