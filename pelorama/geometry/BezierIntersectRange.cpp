#include "geometry/BezierIntersectRange.h"

#include "geometry/BezierCurve.h"

#include <algorithm>

namespace pelorama::geometry {

BezierIntersectRange::BezierIntersectRange(BezierCurve* curve1, Range parameterRange1, BezierCurve* curve2,
                                           Range parameterRange2, bool reversed)
    : curve1_(curve1)
    , parameterRange1_(parameterRange1)
    , curve2_(curve2)
    , parameterRange2_(parameterRange2)
    , reversed_(reversed)
{}

void BezierIntersectRange::resetPieces()
{
    needToComputeCurve1_ = true;
    needToComputeCurve2_ = true;
    curve1LeftBezier_.reset();
    curve1MiddleBezier_.reset();
    curve1RightBezier_.reset();
    curve2LeftBezier_.reset();
    curve2MiddleBezier_.reset();
    curve2RightBezier_.reset();
}

void BezierIntersectRange::merge(const BezierIntersectRange& other)
{
    parameterRange1_.minimum = std::min(other.parameterRange1_.minimum, parameterRange1_.minimum);
    parameterRange1_.maximum = std::max(parameterRange1_.maximum, other.parameterRange1_.maximum);
    parameterRange2_.minimum = std::min(other.parameterRange2_.minimum, parameterRange2_.minimum);
    parameterRange2_.maximum = std::max(parameterRange2_.maximum, other.parameterRange2_.maximum);
    resetPieces();
}

void BezierIntersectRange::computeCurve1Pieces()
{
    if (!needToComputeCurve1_)
        return;
    BezierCurve::RangePieces pieces = curve1_->splitSubcurves(parameterRange1_, true, true, true);
    curve1LeftBezier_ = std::move(pieces.left);
    curve1MiddleBezier_ = std::move(pieces.middle);
    curve1RightBezier_ = std::move(pieces.right);
    needToComputeCurve1_ = false;
}

void BezierIntersectRange::computeCurve2Pieces()
{
    if (!needToComputeCurve2_)
        return;
    BezierCurve::RangePieces pieces = curve2_->splitSubcurves(parameterRange2_, true, true, true);
    curve2LeftBezier_ = std::move(pieces.left);
    curve2MiddleBezier_ = std::move(pieces.middle);
    curve2RightBezier_ = std::move(pieces.right);
    needToComputeCurve2_ = false;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve1LeftBezier()
{
    computeCurve1Pieces();
    return curve1LeftBezier_;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve1MiddleBezier()
{
    computeCurve1Pieces();
    return curve1MiddleBezier_;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve1RightBezier()
{
    computeCurve1Pieces();
    return curve1RightBezier_;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve2LeftBezier()
{
    computeCurve2Pieces();
    return curve2LeftBezier_;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve2MiddleBezier()
{
    computeCurve2Pieces();
    return curve2MiddleBezier_;
}

const std::shared_ptr<BezierCurve>& BezierIntersectRange::curve2RightBezier()
{
    computeCurve2Pieces();
    return curve2RightBezier_;
}

} // namespace pelorama::geometry
