#include "geometry/Primitives.h"

#include "geometry/Tolerances.h"
#include "geometry/VectorMath.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace pelorama::geometry {

namespace {

constexpr double pi = 3.141592653589793;
constexpr double halfPi = 1.5707963267948966;
constexpr double twoPi = 6.283185307179586;

bool directionsMatch(const graphics::Point& a, const graphics::Point& b)
{
    return isClose(a.x, b.x, tangentTolerance) && isClose(a.y, b.y, tangentTolerance);
}

} // namespace

bool rectsMightOverlap(const graphics::Rect& a, const graphics::Rect& b)
{
    const double left = std::max(a.minX(), b.minX());
    const double right = std::min(a.maxX(), b.maxX());
    if (left > right && !isCloseToZero(left - right, boundsTolerance))
        return false;
    const double top = std::max(a.minY(), b.minY());
    const double bottom = std::min(a.maxY(), b.maxY());
    return bottom >= top || isCloseToZero(top - bottom, boundsTolerance);
}

bool tangentsAreAmbiguous(const TangentPair& p, const TangentPair& q)
{
    const graphics::Point pLeft = normalized(p.left);
    const graphics::Point pRight = normalized(p.right);
    const graphics::Point qLeft = normalized(q.left);
    const graphics::Point qRight = normalized(q.right);
    return directionsMatch(pLeft, qLeft) || directionsMatch(pLeft, qRight) ||
           directionsMatch(pRight, qLeft) || directionsMatch(pRight, qRight);
}

double polarAngle(const graphics::Point& vector)
{
    double angle = 0;
    if (vector.x > 0)
        angle = std::atan(vector.y / vector.x);
    else if (vector.x < 0)
        angle = vector.y >= 0 ? std::atan(vector.y / vector.x) + pi : std::atan(vector.y / vector.x) - pi;
    else if (vector.y > 0)
        angle = halfPi;
    else if (vector.y < 0)
        angle = -halfPi;
    while (angle < 0)
        angle += twoPi;
    while (angle >= twoPi)
        angle -= twoPi;
    return angle;
}

bool angleRangeContainsAngle(const AngleRange& range, double angle)
{
    // Angles are compared on the circle: a direction a hair below the x axis has an angle just under 2pi and
    // still lies on an end at 0 (curve pieces cut from a straight edge carry such rounding).
    auto nearEnd = [angle](double end) {
        const double d = angle - end;
        return isCloseToZero(d, tangentTolerance) || isCloseToZero(d - twoPi, tangentTolerance) ||
               isCloseToZero(d + twoPi, tangentTolerance);
    };
    if (nearEnd(range.minimum) || nearEnd(range.maximum))
        return false;
    const bool aboveMinimum =
        angle > range.minimum && !isCloseToZero(angle - range.minimum, tangentTolerance);
    const bool belowMaximum =
        range.maximum > angle && !isCloseToZero(angle - range.maximum, tangentTolerance);
    if (range.maximum >= range.minimum)
        return aboveMinimum && belowMaximum;
    if (aboveMinimum && angle <= twoPi)
        return true;
    if (angle >= 0)
        return belowMaximum;
    return false;
}

bool tangentsCross(const TangentPair& edge1, const TangentPair& edge2)
{
    const double a = polarAngle(edge1.left);
    const double b = polarAngle(edge1.right);
    const double c = polarAngle(edge2.left);
    const double d = polarAngle(edge2.right);
    const AngleRange range1{a, b};
    const AngleRange range2{b, a};
    const int count1 = int(angleRangeContainsAngle(range1, c)) + int(angleRangeContainsAngle(range1, d));
    const int count2 = int(angleRangeContainsAngle(range2, c)) + int(angleRangeContainsAngle(range2, d));
    return count1 == 1 && count2 == 1;
}

graphics::Point midpoint(const graphics::Point& p1, const graphics::Point& p2)
{
    const graphics::Point d = subtract(p2, p1);
    const double length = vectorLength(d);
    const graphics::Point unit = length != 0 ? scale(d, 1.0 / length) : d;
    const double unitLength = vectorLength(unit);
    if (unitLength == 0)
        return p1;
    return add(p1, scale(unit, 0.5 * length / unitLength));
}

bool areValuesEqual(double a, double b, int places)
{
    // The powers of ten up to 10^22 are exact doubles, as pow answers them; the clipping asks this at every
    // step, and the table spares it the call.
    static constexpr double exactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const double factor =
        places >= 0 && places < int(std::size(exactPowers)) ? exactPowers[places] : std::pow(10.0, places);
    const double scaledA = a * factor;
    const double scaledB = b * factor;
    // Outside the 64-bit range (and for values that are not numbers) truncation is undefined: such values
    // never count as equal.
    constexpr double limit = 9.2e18;
    if (!std::isfinite(scaledA) || !std::isfinite(scaledB) || std::fabs(scaledA) >= limit ||
        std::fabs(scaledB) >= limit)
        return false;
    return static_cast<std::int64_t>(scaledA) == static_cast<std::int64_t>(scaledB);
}

} // namespace pelorama::geometry
