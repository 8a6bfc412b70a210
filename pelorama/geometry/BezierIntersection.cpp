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
                                       double parameter2)
    : curve1_(curve1)
    , parameter1_(parameter1)
    , curve2_(curve2)
    , parameter2_(parameter2)
{}

void BezierIntersection::computeCurve1Pieces()
{
    if (!needToComputeCurve1_)
        return;
    BezierCurve::Pieces pieces = curve1_->split(parameter1_);
    location_ = pieces.point;
    curve1LeftBezier_ = std::move(pieces.left);
    curve1RightBezier_ = std::move(pieces.right);
    needToComputeCurve1_ = false;
}

void BezierIntersection::computeCurve2Pieces()
{
    if (!needToComputeCurve2_)
        return;
    BezierCurve::Pieces pieces = curve2_->split(parameter2_);
    curve2LeftBezier_ = std::move(pieces.left);
    curve2RightBezier_ = std::move(pieces.right);
    needToComputeCurve2_ = false;
}

graphics::Point BezierIntersection::location()
{
    computeCurve1Pieces();
    return location_;
}

const std::shared_ptr<BezierCurve>& BezierIntersection::curve1LeftBezier()
{
    computeCurve1Pieces();
    return curve1LeftBezier_;
}

const std::shared_ptr<BezierCurve>& BezierIntersection::curve1RightBezier()
{
    computeCurve1Pieces();
    return curve1RightBezier_;
}

const std::shared_ptr<BezierCurve>& BezierIntersection::curve2LeftBezier()
{
    computeCurve2Pieces();
    return curve2LeftBezier_;
}

const std::shared_ptr<BezierCurve>& BezierIntersection::curve2RightBezier()
{
    computeCurve2Pieces();
    return curve2RightBezier_;
}

bool BezierIntersection::isAtEitherEndOfCurve1() const
{
    return isParameterAtStart(parameter1_) || curve1_->data().isPoint() || isParameterAtEnd(parameter1_);
}

bool BezierIntersection::isAtEitherEndOfCurve2() const
{
    return isParameterAtStart(parameter2_) || curve2_->data().isPoint() || isParameterAtEnd(parameter2_);
}

bool BezierIntersection::isAtStartOfCurve1() const
{
    return isParameterAtStart(parameter1_) || curve1_->data().isPoint();
}

bool BezierIntersection::isAtStartOfCurve2() const
{
    return isParameterAtStart(parameter2_) || curve2_->data().isPoint();
}

bool BezierIntersection::isAtEndOfCurve1() const
{
    return isParameterAtEnd(parameter1_) || curve1_->data().isPoint();
}

bool BezierIntersection::isAtEndOfCurve2() const
{
    return isParameterAtEnd(parameter2_) || curve2_->data().isPoint();
}

bool BezierIntersection::isTangent()
{
    if (isAtEitherEndOfCurve1() || isAtEitherEndOfCurve2())
        return false;
    computeCurve1Pieces();
    computeCurve2Pieces();
    const BezierCurveData& left1 = curve1LeftBezier_->data();
    const BezierCurveData& right1 = curve1RightBezier_->data();
    const BezierCurveData& left2 = curve2LeftBezier_->data();
    const BezierCurveData& right2 = curve2RightBezier_->data();
    const graphics::Point a = normalized(subtract(left1.controlPoint2, left1.endPoint2));
    const graphics::Point b = normalized(subtract(right1.controlPoint1, right1.endPoint1));
    const graphics::Point c = normalized(subtract(left2.controlPoint2, left2.endPoint2));
    const graphics::Point d = normalized(subtract(right2.controlPoint1, right2.endPoint1));
    return directionsAgree(a, c) || directionsAgree(a, d) || directionsAgree(b, c) || directionsAgree(b, d);
}

} // namespace pelorama::geometry
