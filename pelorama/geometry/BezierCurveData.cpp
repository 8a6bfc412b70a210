#include "geometry/BezierCurveData.h"

#include "geometry/Primitives.h"
#include "geometry/Tolerances.h"
#include "geometry/VectorMath.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pelorama::geometry {

namespace {

// 12-point Gauss-Legendre nodes and weights on [-1, 1].
constexpr std::array<double, 12> gaussNodes = {-0.1252334085114689, 0.1252334085114689,  -0.3678314989981802,
                                               0.3678314989981802,  -0.5873179542866175, 0.5873179542866175,
                                               -0.7699026741943047, 0.7699026741943047,  -0.9041172563704749,
                                               0.9041172563704749,  -0.9815606342467192, 0.9815606342467192};
constexpr std::array<double, 12> gaussWeights = {0.2491470458134028, 0.2491470458134028, 0.2334925365383548,
                                                 0.2334925365383548, 0.2031674267230659, 0.2031674267230659,
                                                 0.1600783285433462, 0.1600783285433462, 0.1069393259953184,
                                                 0.1069393259953184, 0.0471753363865118, 0.0471753363865118};

double derivativeComponent(double p0, double p1, double p2, double p3, double u)
{
    const double a = 3 * p3 + 9 * p1 - 3 * p0 - 9 * p2;
    const double b = 6 * p0 - 12 * p1 + 6 * p2;
    const double c = 3 * p1 - 3 * p0;
    return (a * u + b) * u + c;
}

graphics::Point interpolate(const graphics::Point& from, const graphics::Point& to, double t)
{
    return {to.x * t + from.x * (1 - t), to.y * t + from.y * (1 - t)};
}

struct Box
{
    double minX, minY, maxX, maxY;

    void extend(const graphics::Point& p)
    {
        // A coordinate that is not a number never wins a comparison.
        if (p.x < minX)
            minX = p.x;
        if (p.x > maxX)
            maxX = p.x;
        if (p.y < minY)
            minY = p.y;
        if (p.y > maxY)
            maxY = p.y;
    }

    graphics::Rect rect() const { return graphics::Rect(minX, minY, maxX - minX, maxY - minY); }
};

} // namespace

BezierCurveData::BezierCurveData(graphics::Point endPoint1, graphics::Point controlPoint1,
                                 graphics::Point controlPoint2, graphics::Point endPoint2,
                                 bool isStraightLine)
    : endPoint1(endPoint1)
    , controlPoint1(controlPoint1)
    , controlPoint2(controlPoint2)
    , endPoint2(endPoint2)
    , isStraightLine(isStraightLine)
{}

BezierCurveData BezierCurveData::copying(const BezierCurveData& other)
{
    BezierCurveData copy(other.endPoint1, other.controlPoint1, other.controlPoint2, other.endPoint2,
                         other.isStraightLine);
    copy.m_length = other.m_length;
    return copy;
}

bool BezierCurveData::isPoint() const
{
    if (m_isPoint)
        return *m_isPoint;
    const double t = pointCurveTolerance;
    m_isPoint = isClose(endPoint1.x, endPoint2.x, t) && isClose(endPoint1.y, endPoint2.y, t) &&
                isClose(endPoint1.x, controlPoint1.x, t) && isClose(endPoint1.y, controlPoint1.y, t) &&
                isClose(endPoint1.x, controlPoint2.x, t) && isClose(endPoint1.y, controlPoint2.y, t);
    return *m_isPoint;
}

graphics::Rect BezierCurveData::boundingRect() const
{
    if (m_boundingRect)
        return *m_boundingRect;
    const double minX = std::min({endPoint1.x, controlPoint1.x, controlPoint2.x, endPoint2.x});
    const double maxX = std::max({endPoint1.x, controlPoint1.x, controlPoint2.x, endPoint2.x});
    const double minY = std::min({endPoint1.y, controlPoint1.y, controlPoint2.y, endPoint2.y});
    const double maxY = std::max({endPoint1.y, controlPoint1.y, controlPoint2.y, endPoint2.y});
    m_boundingRect = graphics::Rect(minX, minY, maxX - minX, maxY - minY);
    return *m_boundingRect;
}

std::vector<double> cubicDerivativeRoots(double p0, double p1, double p2, double p3)
{
    const double d = 3 * p1 - p0 - 3 * p2 + p3;
    if (isCloseToZero(d, pointTolerance))
        return {(p0 - p1) / (2 * (p0 - 2 * p1 + p2))};
    const double m = 2 * p1 - p0 - p2;
    const double s = std::sqrt(p1 * p1 - p0 * (p2 - p3) - p1 * (p3 + p2) + p2 * p2);
    return {(m - s) / d, (m + s) / d};
}

graphics::Rect BezierCurveData::bounds() const
{
    if (m_bounds)
        return *m_bounds;
    if (isStraightLine) {
        const double minX = std::min(endPoint1.x, endPoint2.x);
        const double minY = std::min(endPoint1.y, endPoint2.y);
        m_bounds = graphics::Rect(minX, minY, std::fabs(endPoint2.x - endPoint1.x),
                                  std::fabs(endPoint2.y - endPoint1.y));
        return *m_bounds;
    }
    const graphics::Point start = pointAt(0);
    Box box{start.x, start.y, start.x, start.y};
    box.extend(pointAt(1));
    for (double root : cubicDerivativeRoots(endPoint1.x, controlPoint1.x, controlPoint2.x, endPoint2.x))
        if (root >= 0 && root <= 1)
            box.extend(pointAt(root));
    for (double root : cubicDerivativeRoots(endPoint1.y, controlPoint1.y, controlPoint2.y, endPoint2.y))
        if (root >= 0 && root <= 1)
            box.extend(pointAt(root));
    m_bounds = box.rect();
    return *m_bounds;
}

double BezierCurveData::length(double t) const
{
    if (t == 1.0 && m_length != -1.0)
        return m_length;
    double result = 0;
    if (isStraightLine) {
        result = distanceBetween(endPoint1, endPoint2) * t;
    } else {
        const double z = t / 2;
        double sum = 0;
        for (std::size_t i = 0; i < gaussNodes.size(); ++i) {
            const double u = z * gaussNodes[i] + z;
            const double dx =
                derivativeComponent(endPoint1.x, controlPoint1.x, controlPoint2.x, endPoint2.x, u);
            const double dy =
                derivativeComponent(endPoint1.y, controlPoint1.y, controlPoint2.y, endPoint2.y, u);
            sum += gaussWeights[i] * std::sqrt(dx * dx + dy * dy);
        }
        result = z * sum;
    }
    if (t == 1.0)
        m_length = result;
    return result;
}

namespace {

// De Casteljau subdivision at t: the point and the control points of both pieces.
struct Subdivision
{
    graphics::Point point;
    std::array<graphics::Point, 4> left;
    std::array<graphics::Point, 4> right;
};

Subdivision subdivide(const BezierCurveData& curve, double t)
{
    std::array<graphics::Point, 4> w = {curve.endPoint1, curve.controlPoint1, curve.controlPoint2,
                                        curve.endPoint2};
    Subdivision result;
    result.left[0] = curve.endPoint1;
    result.right[3] = curve.endPoint2;
    for (int k = 1; k <= 3; ++k) {
        for (int i = 0; i <= 3 - k; ++i)
            w[i] = interpolate(w[i], w[i + 1], t);
        result.left[k] = w[0];
        result.right[3 - k] = w[3 - k];
    }
    result.point = w[0];
    return result;
}

} // namespace

BezierCurveData::Split BezierCurveData::point(double t) const
{
    const Subdivision s = subdivide(*this, t);
    return Split{s.point, BezierCurveData(s.left[0], s.left[1], s.left[2], s.left[3], isStraightLine),
                 BezierCurveData(s.right[0], s.right[1], s.right[2], s.right[3], isStraightLine)};
}

graphics::Point BezierCurveData::pointAt(double t) const
{
    return subdivide(*this, t).point;
}

BezierCurveData BezierCurveData::pieceBefore(double t) const
{
    const Subdivision s = subdivide(*this, t);
    return BezierCurveData(s.left[0], s.left[1], s.left[2], s.left[3], isStraightLine);
}

BezierCurveData BezierCurveData::pieceAfter(double t) const
{
    const Subdivision s = subdivide(*this, t);
    return BezierCurveData(s.right[0], s.right[1], s.right[2], s.right[3], isStraightLine);
}

FatLine BezierCurveData::chordFatLine() const
{
    const NormalizedLine line = NormalizedLine::through(endPoint1, endPoint2);
    const double d1 = line.distanceFromPoint(controlPoint1);
    const double d2 = line.distanceFromPoint(controlPoint2);
    return {line, Range{std::min({d1, d2, 0.0}), std::max({d1, d2, 0.0})}};
}

FatLine BezierCurveData::perpendicularFatLine() const
{
    const graphics::Point u = normalized(subtract(endPoint2, endPoint1));
    const graphics::Point n{-u.y, u.x};
    const graphics::Point m = midpoint(endPoint1, endPoint2);
    const NormalizedLine line = NormalizedLine::through(m, add(m, n));
    const double d1 = line.distanceFromPoint(endPoint2);
    const double d2 = line.distanceFromPoint(endPoint1);
    const double d3 = line.distanceFromPoint(controlPoint2);
    const double d4 = line.distanceFromPoint(controlPoint1);
    return {line, Range{std::min({d1, d2, d3, d4}), std::max({d1, d2, d3, d4})}};
}

bool BezierCurveData::isEqual(const BezierCurveData& other, double tolerance) const
{
    if (isPoint() || other.isPoint())
        return false;
    if (isStraightLine != other.isStraightLine)
        return false;
    if (!isClose(endPoint1.x, other.endPoint1.x, tolerance) ||
        !isClose(endPoint1.y, other.endPoint1.y, tolerance))
        return false;
    if (!isStraightLine) {
        if (!isClose(controlPoint1.x, other.controlPoint1.x, tolerance) ||
            !isClose(controlPoint1.y, other.controlPoint1.y, tolerance) ||
            !isClose(controlPoint2.x, other.controlPoint2.x, tolerance) ||
            !isClose(controlPoint2.y, other.controlPoint2.y, tolerance))
            return false;
    }
    return isClose(endPoint2.x, other.endPoint2.x, tolerance) &&
           isClose(endPoint2.y, other.endPoint2.y, tolerance);
}

BezierCurveData BezierCurveData::reversed() const
{
    return BezierCurveData(endPoint2, controlPoint2, controlPoint1, endPoint1, isStraightLine);
}

} // namespace pelorama::geometry
