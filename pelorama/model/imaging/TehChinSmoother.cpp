#include "model/imaging/TehChinSmoother.h"

#include <array>

namespace pelorama::model {

namespace {

// The turn between two successive codes, indexed by (code - previous code + 7).
constexpr std::array<qint64, 15> turnTable = {1, 2, 3, 4, 3, 2, 1, 0, 1, 2, 3, 4, 3, 2, 1};

// Moves in path space, where rows grow downward in the codes but y grows upward.
constexpr qint64 xStep[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr qint64 yStep[8] = {0, -1, -1, -1, 0, 1, 1, 1};

qint64 wrapped(qint64 index, qint64 count)
{
    const qint64 r = index % count;
    return r < 0 ? r + count : r;
}

// The half-width k - 1 of the first k >= 2 at which the chord from point i - k to point i + k stops
// growing, or at which the point's distance from it, relative to its length, stops falling.
qint64 supportRegion(const std::vector<TehChinSmoother::PointState>& points, qint64 i)
{
    const qint64 n = static_cast<qint64>(points.size());
    const TehChinSmoother::PointState& p = points[static_cast<size_t>(i)];
    qint64 previousLength = 0;
    qint64 previousCross = 0;
    for (qint64 k = 1;; ++k) {
        const TehChinSmoother::PointState& a = points[static_cast<size_t>(wrapped(i - k, n))];
        const TehChinSmoother::PointState& b = points[static_cast<size_t>(wrapped(i + k, n))];
        const qint64 dx = b.x - a.x;
        const qint64 dy = b.y - a.y;
        const qint64 length = dx * dx + dy * dy;
        const qint64 cross = (p.x - a.x) * dy - (p.y - a.y) * dx;
        if (k >= 2) {
            // Products of two 64-bit values: wide enough for any bitmap a context can hold.
            const __int128 t =
                static_cast<__int128>(length) * previousCross - static_cast<__int128>(previousLength) * cross;
            if (previousLength >= length || (previousCross > 0 && t <= 0) || (previousCross < 0 && t >= 0))
                return k - 1;
        }
        previousLength = length;
        previousCross = cross;
    }
}

} // namespace

std::vector<TehChinSmoother::PointState>
TehChinSmoother::pointStates(qint64 x, qint64 y, const std::vector<std::uint8_t>& directions)
{
    const qint64 n = static_cast<qint64>(directions.size());
    std::vector<PointState> points(static_cast<size_t>(n));
    for (qint64 i = 0; i < n; ++i) {
        const int code = directions[static_cast<size_t>(i)] & 7;
        const int previous = directions[static_cast<size_t>(i == 0 ? n - 1 : i - 1)] & 7;
        points[static_cast<size_t>(i)] = {x, y, turnTable[static_cast<size_t>(code - previous + 7)], 0};
        x += xStep[code];
        y += yStep[code];
    }
    for (qint64 i = 0; i < n; ++i) {
        if (points[static_cast<size_t>(i)].oneCurvature != 0)
            points[static_cast<size_t>(i)].supportRegion = supportRegion(points, i);
    }
    return points;
}

std::vector<bool> TehChinSmoother::dominantPoints(const std::vector<PointState>& points)
{
    const qint64 n = static_cast<qint64>(points.size());
    const auto at = [&](qint64 i) -> const PointState& {
        return points[static_cast<size_t>(wrapped(i, n))];
    };
    std::vector<char> present(static_cast<size_t>(n));
    const auto isPresent = [&](qint64 i) -> char& {
        return present[static_cast<size_t>(wrapped(i, n))];
    };

    // Non-maximum suppression within half the region of support.
    for (qint64 i = 0; i < n; ++i) {
        const PointState& point = at(i);
        bool keep = true;
        if (point.supportRegion >= 2) {
            for (qint64 j = 1; j <= point.supportRegion / 2 && keep; ++j)
                keep = at(i - j).oneCurvature <= point.oneCurvature &&
                       at(i + j).oneCurvature <= point.oneCurvature;
        }
        isPresent(i) = keep && point.oneCurvature != 0;
    }
    // A point with the smallest region gives way to a present neighbour that turns at least as much.
    for (qint64 i = 0; i < n; ++i) {
        const PointState& point = at(i);
        if (isPresent(i) && point.supportRegion == 1 &&
            ((isPresent(i - 1) && at(i - 1).oneCurvature >= point.oneCurvature) ||
             (isPresent(i + 1) && at(i + 1).oneCurvature >= point.oneCurvature)))
            isPresent(i) = false;
    }
    // Of a pair of neighbours keep the stronger; of a longer run keep its ends. A run as long as the whole
    // chain has no ends, but a chain of two present points is still a pair.
    if (n >= 2) {
        for (qint64 i = 0; i < n; ++i) {
            if (!isPresent(i))
                continue;
            qint64 run = 1;
            while (run < n && isPresent(i + run))
                ++run;
            if (run == n && n > 2)
                break; // every point is present; nothing below changes that
            if (run == 2) {
                const PointState& first = at(i);
                const PointState& second = at(i + 1);
                const bool dropFirst = first.oneCurvature != second.oneCurvature
                                           ? first.oneCurvature < second.oneCurvature
                                           : first.supportRegion <= second.supportRegion;
                isPresent(dropFirst ? i : i + 1) = false;
            } else if (run >= 3) {
                for (qint64 j = 1; j <= run - 2; ++j)
                    isPresent(i + j) = false;
            }
        }
    }
    return std::vector<bool>(present.begin(), present.end());
}

graphics::Path TehChinSmoother::polygonPath(qint64 x, qint64 y, const std::vector<std::uint8_t>& directions)
{
    const std::vector<PointState> points = pointStates(x, y, directions);
    const std::vector<bool> present = dominantPoints(points);
    graphics::Path path;
    bool started = false;
    for (size_t i = 0; i < points.size(); ++i) {
        if (!present[i])
            continue;
        const graphics::Point point{static_cast<double>(points[i].x), static_cast<double>(points[i].y)};
        if (started) {
            path.lineTo(point);
        } else {
            path.moveTo(point);
            started = true;
        }
    }
    path.closeSubpath();
    return path;
}

} // namespace pelorama::model
