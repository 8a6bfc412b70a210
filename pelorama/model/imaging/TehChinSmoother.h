#pragma once

#include "graphics/Path.h"

#include <QtGlobal>
#include <cstdint>
#include <vector>

namespace pelorama::model {

// Reduces a chain-coded contour (ChangContourDetector) to a polygon through its dominant points: the
// points where the contour turns most within their region of support (dominant-point detection with the
// 1-curvature measure).
class TehChinSmoother
{
public:
    // One point of a contour, in path space (y up).
    struct PointState
    {
        qint64 x = 0;
        qint64 y = 0;
        // The turn at the point, 0 (straight on) to 4 (back), in steps of 45 degrees.
        qint64 oneCurvature = 0;
        // Half the width of the point's region of support; 0 until computed.
        qint64 supportRegion = 0;
    };

    TehChinSmoother() = delete;

    // The closed polygon of one contour whose start point in path space is (x, y) and whose moves are
    // directions (codes as ChangContourDetector's, with rows growing downward, so code 2 moves to y - 1).
    // A contour that keeps no point gives the empty path.
    static graphics::Path polygonPath(qint64 x, qint64 y, const std::vector<std::uint8_t>& directions);

    // The points of the chain, each with its turn and region of support (no suppression yet).
    static std::vector<PointState> pointStates(qint64 x, qint64 y,
                                               const std::vector<std::uint8_t>& directions);
    // Which of the points of a closed chain are dominant, in order: those that turn and turn most within
    // half their region of support, then of two dominant neighbours the one that turns more (on a tie the
    // one with the wider region, else the first), and of a longer run of them both ends only.
    static std::vector<bool> dominantPoints(const std::vector<PointState>& points);
};

} // namespace pelorama::model
