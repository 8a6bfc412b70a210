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

CurvesAround around(const BezierCurve& edge, bool atStart, bool atEnd, CurvePiecesAtParameter& side)
{
    if (atStart)
        return {edge.previousNonpoint(), const_cast<BezierCurve*>(&edge)};
    if (atEnd)
        return {const_cast<BezierCurve*>(&edge), edge.nextNonpoint()};
    return {side.pieces().left.get(), side.pieces().right.get()};
}

} // namespace

BezierIntersection::BezierIntersection(BezierCurve* curve1, double parameter1, BezierCurve* curve2,
                                       double parameter2, Ends ends)
    : m_curve1(curve1, parameter1)
    , m_curve2(curve2, parameter2)
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

bool BezierIntersection::isAtEitherEndOfCurve1() const
{
    return isAtStart(parameter1()) || curve1()->data().isPoint() || isAtEnd(parameter1());
}

bool BezierIntersection::isAtEitherEndOfCurve2() const
{
    return isAtStart(parameter2()) || curve2()->data().isPoint() || isAtEnd(parameter2());
}

bool BezierIntersection::isAtStartOfCurve1() const
{
    return isAtStart(parameter1()) || curve1()->data().isPoint();
}

bool BezierIntersection::isAtStartOfCurve2() const
{
    return isAtStart(parameter2()) || curve2()->data().isPoint();
}

bool BezierIntersection::isAtEndOfCurve1() const
{
    return isAtEnd(parameter1()) || curve1()->data().isPoint();
}

bool BezierIntersection::isAtEndOfCurve2() const
{
    return isAtEnd(parameter2()) || curve2()->data().isPoint();
}

CurvesAround BezierIntersection::curve1Around(const BezierCurve& edge)
{
    return around(edge, isAtStartOfCurve1(), isAtEndOfCurve1(), m_curve1);
}

CurvesAround BezierIntersection::curve2Around(const BezierCurve& edge)
{
    return around(edge, isAtStartOfCurve2(), isAtEndOfCurve2(), m_curve2);
}

bool BezierIntersection::isTangent()
{
    if (isAtEitherEndOfCurve1() || isAtEitherEndOfCurve2())
        return false;
    const BezierCurveData& left1 = curve1LeftBezier()->data();
    const BezierCurveData& right1 = curve1RightBezier()->data();
    const BezierCurveData& left2 = curve2LeftBezier()->data();
    const BezierCurveData& right2 = curve2RightBezier()->data();
    const graphics::Point a = normalized(subtract(left1.controlPoint2, left1.endPoint2));
    const graphics::Point b = normalized(subtract(right1.controlPoint1, right1.endPoint1));
    const graphics::Point c = normalized(subtract(left2.controlPoint2, left2.endPoint2));
    const graphics::Point d = normalized(subtract(right2.controlPoint1, right2.endPoint1));
    return directionsAgree(a, c) || directionsAgree(a, d) || directionsAgree(b, c) || directionsAgree(b, d);
}

} // namespace pelorama::geometry
