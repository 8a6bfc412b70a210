#include "geometry/NearestPoint.h"

#include "geometry/VectorMath.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pelorama::geometry {

namespace {

// The nearest-point polynomial has degree 5: its control polygons, and every smaller one, fit in six points
// on the stack. The root search splits thousands of them per operation.
constexpr std::size_t smallPolygon = 6;
using SmallPolygon = std::array<graphics::Point, smallPolygon>;

// De Casteljau in place on work (count points); the pieces go to left and right when they are given.
graphics::Point splitInPlace(graphics::Point* work, std::size_t count, double t, graphics::Point* left,
                             graphics::Point* right)
{
    const std::size_t n = count - 1;
    if (left != nullptr) {
        left[0] = work[0];
        right[n] = work[n];
    }
    for (std::size_t level = 1; level <= n; ++level) {
        for (std::size_t j = 0; j <= n - level; ++j)
            work[j] = add(scale(work[j], 1 - t), scale(work[j + 1], t));
        if (left != nullptr) {
            left[level] = work[0];
            right[n - level] = work[n - level];
        }
    }
    return work[0];
}

// The point at t of a small polygon, which stays as it is.
graphics::Point smallPolygonPoint(SmallPolygon work, std::size_t count, double t)
{
    return splitInPlace(work.data(), count, t, nullptr, nullptr);
}

int signChanges(const graphics::Point* polygon, std::size_t count)
{
    int changes = 0;
    int previous = polygon[0].y < 0 ? -1 : 1;
    for (std::size_t i = 1; i < count; ++i) {
        const int sign = polygon[i].y < 0 ? -1 : 1;
        if (sign != previous)
            ++changes;
        previous = sign;
    }
    return changes;
}

FlatnessTest flatness(const graphics::Point* polygon, std::size_t count)
{
    const std::size_t n = count - 1;
    const graphics::Point& first = polygon[0];
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

template <typename Root>
void findRoots(const graphics::Point* polygon, std::size_t count, int depth, Root& root)
{
    const int changes = signChanges(polygon, count);
    if (changes == 0)
        return;
    if (changes == 1) {
        if (depth >= 64) {
            root((polygon[0].x + polygon[count - 1].x) / 2);
            return;
        }
        const FlatnessTest test = flatness(polygon, count);
        if (test.isFlat) {
            root(test.crossing.x);
            return;
        }
    } else if (depth >= 64) {
        // Several sign changes that no longer separate at the deepest level (roots closer than the
        // precision): report the one place once instead of dividing without end.
        root((polygon[0].x + polygon[count - 1].x) / 2);
        return;
    }
    if (count <= smallPolygon) {
        SmallPolygon work, left, right;
        std::copy(polygon, polygon + count, work.begin());
        splitInPlace(work.data(), count, 0.5, left.data(), right.data());
        findRoots(left.data(), count, depth + 1, root);
        findRoots(right.data(), count, depth + 1, root);
        return;
    }
    std::vector<graphics::Point> work(polygon, polygon + count), left(count), right(count);
    splitInPlace(work.data(), count, 0.5, left.data(), right.data());
    findRoots(left.data(), count, depth + 1, root);
    findRoots(right.data(), count, depth + 1, root);
}

SmallPolygon nearestPolynomial(const BezierCurveData& curve, const graphics::Point& point)
{
    const graphics::Point p[4] = {curve.endPoint1, curve.controlPoint1, curve.controlPoint2, curve.endPoint2};
    graphics::Point c[4];
    for (int j = 0; j < 4; ++j)
        c[j] = subtract(p[j], point);
    graphics::Point d[3];
    for (int i = 0; i < 3; ++i)
        d[i] = scale(subtract(p[i + 1], p[i]), 3);
    static constexpr double z[3][4] = {{1.0, 0.6, 0.3, 0.1}, {0.4, 0.6, 0.6, 0.4}, {0.1, 0.3, 0.6, 1.0}};
    SmallPolygon w;
    for (int k = 0; k <= 5; ++k)
        w[std::size_t(k)] = {double(k) / 5.0, 0.0};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            w[std::size_t(i + j)].y += dot(d[i], c[j]) * z[i][j];
    return w;
}

} // namespace

ControlPolygonSplit controlPolygonPoint(const std::vector<graphics::Point>& points, double t, bool wantPieces)
{
    std::vector<graphics::Point> work = points;
    ControlPolygonSplit result;
    if (wantPieces) {
        result.left.resize(points.size());
        result.right.resize(points.size());
    }
    result.point = splitInPlace(work.data(), work.size(), t, wantPieces ? result.left.data() : nullptr,
                                wantPieces ? result.right.data() : nullptr);
    return result;
}

double refineParameter(const BezierCurveData& curve, double t, const graphics::Point& point)
{
    const SmallPolygon p = {curve.endPoint1, curve.controlPoint1, curve.controlPoint2, curve.endPoint2};
    const graphics::Point q = smallPolygonPoint(p, 4, t);
    SmallPolygon first;
    for (std::size_t i = 0; i < 3; ++i)
        first[i] = scale(subtract(p[i + 1], p[i]), 3);
    const graphics::Point q1 = smallPolygonPoint(first, 3, t);
    SmallPolygon second;
    for (std::size_t i = 0; i < 2; ++i)
        second[i] = scale(subtract(first[i + 1], first[i]), 2);
    const graphics::Point q2 = smallPolygonPoint(second, 2, t);
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
    const SmallPolygon w = nearestPolynomial(curve, point);
    return std::vector<graphics::Point>(w.begin(), w.end());
}

int signChangeCount(const std::vector<graphics::Point>& polygon)
{
    return signChanges(polygon.data(), polygon.size());
}

FlatnessTest isControlPolygonFlat(const std::vector<graphics::Point>& polygon)
{
    return flatness(polygon.data(), polygon.size());
}

void findPolynomialRoots(const std::vector<graphics::Point>& polygon, int depth,
                         const std::function<void(double)>& root)
{
    findRoots(polygon.data(), polygon.size(), depth, root);
}

BezierCurveLocation closestLocation(const BezierCurveData& curve, const graphics::Point& point)
{
    const SmallPolygon w = nearestPolynomial(curve, point);
    BezierCurveLocation best{0.0, distanceBetween(point, curve.endPoint1)};
    auto consider = [&](double t) {
        const double distance = distanceBetween(point, curve.pointAt(t));
        if (distance < best.distance)
            best = {t, distance};
    };
    findRoots(w.data(), w.size(), 0, consider);
    const double endDistance = distanceBetween(point, curve.endPoint2);
    if (best.distance > endDistance)
        return {1.0, endDistance};
    return best;
}

} // namespace pelorama::geometry
