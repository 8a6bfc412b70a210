#include "geometry/NearestPoint.h"

#include "geometry/VectorMath.h"

#include <algorithm>
#include <cmath>

namespace pelorama::geometry {

ControlPolygonSplit controlPolygonPoint(const std::vector<graphics::Point>& points, double t, bool wantPieces)
{
    const std::size_t n = points.size() - 1;
    std::vector<graphics::Point> work = points;
    ControlPolygonSplit result;
    if (wantPieces) {
        result.left.resize(n + 1);
        result.right.resize(n + 1);
        result.left[0] = work[0];
        result.right[n] = work[n];
    }
    for (std::size_t level = 1; level <= n; ++level) {
        for (std::size_t j = 0; j <= n - level; ++j)
            work[j] = add(scale(work[j], 1 - t), scale(work[j + 1], t));
        if (wantPieces) {
            result.left[level] = work[0];
            result.right[n - level] = work[n - level];
        }
    }
    result.point = work[0];
    return result;
}

double refineParameter(const BezierCurveData& curve, double t, const graphics::Point& point)
{
    const std::vector<graphics::Point> p = {curve.endPoint1, curve.controlPoint1, curve.controlPoint2,
                                            curve.endPoint2};
    const graphics::Point q = controlPolygonPoint(p, t, false).point;
    std::vector<graphics::Point> first(3);
    for (std::size_t i = 0; i < 3; ++i)
        first[i] = scale(subtract(p[i + 1], p[i]), 3);
    const graphics::Point q1 = controlPolygonPoint(first, t, false).point;
    std::vector<graphics::Point> second(2);
    for (std::size_t i = 0; i < 2; ++i)
        second[i] = scale(subtract(first[i + 1], first[i]), 2);
    const graphics::Point q2 = controlPolygonPoint(second, t, false).point;
    const graphics::Point offset = subtract(q, point);
    const double denominator = dot(q1, q1) + dot(offset, q2);
    if (denominator == 0)
        return t;
    const double refined = t - dot(offset, q1) / denominator;
    return std::isfinite(refined) ? refined : t;
}

std::vector<graphics::Point> nearestPointPolynomial(const BezierCurveData& curve,
                                                    const graphics::Point& point)
{
    const graphics::Point p[4] = {curve.endPoint1, curve.controlPoint1, curve.controlPoint2, curve.endPoint2};
    graphics::Point c[4];
    for (int j = 0; j < 4; ++j)
        c[j] = subtract(p[j], point);
    graphics::Point d[3];
    for (int i = 0; i < 3; ++i)
        d[i] = scale(subtract(p[i + 1], p[i]), 3);
    static constexpr double z[3][4] = {{1.0, 0.6, 0.3, 0.1}, {0.4, 0.6, 0.6, 0.4}, {0.1, 0.3, 0.6, 1.0}};
    std::vector<graphics::Point> w(6);
    for (int k = 0; k <= 5; ++k)
        w[std::size_t(k)] = {double(k) / 5.0, 0.0};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            w[std::size_t(i + j)].y += dot(d[i], c[j]) * z[i][j];
    return w;
}

int signChangeCount(const std::vector<graphics::Point>& polygon)
{
    int count = 0;
    int previous = polygon.front().y < 0 ? -1 : 1;
    for (std::size_t i = 1; i < polygon.size(); ++i) {
        const int sign = polygon[i].y < 0 ? -1 : 1;
        if (sign != previous)
            ++count;
        previous = sign;
    }
    return count;
}

FlatnessTest isControlPolygonFlat(const std::vector<graphics::Point>& polygon)
{
    const std::size_t n = polygon.size() - 1;
    const graphics::Point& first = polygon.front();
    const graphics::Point& last = polygon[n];
    double a = first.y - last.y;
    double b = last.x - first.x;
    double c = first.x * last.y - last.x * first.y;
    const double length = std::sqrt(a * a + b * b);
    if (length != 0) {
        a /= length;
        b /= length;
        c /= length;
    } else {
        a = b = c = 0;
    }
    double upper = 0;
    double lower = 0;
    for (std::size_t i = 1; i < n; ++i) {
        const double value = a * polygon[i].x + b * polygon[i].y + c;
        upper = std::max(upper, value);
        lower = std::min(lower, value);
    }
    const double x1 = (c - upper) / -a;
    const double x2 = (c - lower) / -a;
    const double epsilon = std::ldexp(1.0, -63);
    const bool flat = std::max(x1, x2) - std::min(x1, x2) < epsilon;
    return {flat, {c / -a, 0.0}};
}

void findPolynomialRoots(const std::vector<graphics::Point>& polygon, int depth,
                         const std::function<void(double)>& root)
{
    const int count = signChangeCount(polygon);
    if (count == 0)
        return;
    if (count == 1) {
        if (depth >= 64) {
            root((polygon.front().x + polygon.back().x) / 2);
            return;
        }
        const FlatnessTest flatness = isControlPolygonFlat(polygon);
        if (flatness.isFlat) {
            root(flatness.crossing.x);
            return;
        }
    } else if (depth >= 64) {
        // Several sign changes that no longer separate at the deepest level (roots closer than the
        // precision): report the one place once instead of dividing without end.
        root((polygon.front().x + polygon.back().x) / 2);
        return;
    }
    const ControlPolygonSplit split = controlPolygonPoint(polygon, 0.5, true);
    findPolynomialRoots(split.left, depth + 1, root);
    findPolynomialRoots(split.right, depth + 1, root);
}

BezierCurveLocation closestLocation(const BezierCurveData& curve, const graphics::Point& point)
{
    const std::vector<graphics::Point> w = nearestPointPolynomial(curve, point);
    BezierCurveLocation best{0.0, distanceBetween(point, curve.endPoint1)};
    findPolynomialRoots(w, 0, [&](double t) {
        const double distance = distanceBetween(point, curve.point(t).point);
        if (distance < best.distance)
            best = {t, distance};
    });
    const double endDistance = distanceBetween(point, curve.endPoint2);
    if (best.distance > endDistance)
        return {1.0, endDistance};
    return best;
}

} // namespace pelorama::geometry
