#include "geometry/Primitives.h"

#include <gtest/gtest.h>
#include <numbers>

using namespace pelorama::geometry;

TEST(GeometryTest, AngleRangesExcludeTheirEndsAndMayWrapThroughZero)
{
    const double pi = std::numbers::pi;
    EXPECT_FALSE(angleRangeContainsAngle({1, 2}, 1));
    EXPECT_FALSE(angleRangeContainsAngle({1, 2}, 2 - 1e-13));
    EXPECT_TRUE(angleRangeContainsAngle({1, 2}, 1.5));
    const AngleRange wrapping{3 * pi / 2, pi / 2};
    EXPECT_TRUE(angleRangeContainsAngle(wrapping, 0));
    EXPECT_TRUE(angleRangeContainsAngle(wrapping, 7 * pi / 4));
    EXPECT_FALSE(angleRangeContainsAngle(wrapping, pi));
    // An angle just under 2pi lies on an end at 0.
    EXPECT_FALSE(angleRangeContainsAngle({3 * pi / 2, 0}, polarAngle({10, -7e-15})));
    EXPECT_FALSE(angleRangeContainsAngle({0, 3 * pi / 2}, 2 * pi - 1e-15));
}

TEST(GeometryTest, TangentsCrossOnlyWhenTheSecondEdgeChangesSides)
{
    const TangentPair alongX{{-1, 0}, {1, 0}};
    EXPECT_FALSE(tangentsCross(alongX, alongX));
    EXPECT_TRUE(tangentsCross(alongX, {{0, -1}, {0, 1}}));
    EXPECT_FALSE(tangentsCross(alongX, {{-1, 1}, {1, 1}}));
    // One edge turning down at a joint, the other running straight on: the shared direction, cut with
    // rounding, is no crossing.
    EXPECT_FALSE(tangentsCross({{20, 0}, {0, -10}}, {{10, -7.1e-15}, {-20, -7.1e-15}}));
}
