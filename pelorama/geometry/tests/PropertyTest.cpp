#include "ShapeSupport.h"
#include "geometry/PathBoolean.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace geometrytest;
using namespace pelorama::geometry;
using graphics::Path;
using graphics::Point;

namespace {

struct Results
{
    Path unionPath, intersectionPath, differencePath, xorPath;
};

Results combine(const Path& a, const Path& b)
{
    return {unioningWith(a, b), intersectingWith(a, b), subtracting(a, b), symmetricDifferenceWith(a, b)};
}

// Checks membership of sample points away from both outlines and the area identity; returns the number of
// failures and prints the operands of a failing case.
int checkCase(const Path& a, const Path& b, std::mt19937& random, int samples, const std::string& label)
{
    const Results results = combine(a, b);
    const auto polygonsA = flatten(a), polygonsB = flatten(b);
    const auto unionPolygons = flatten(results.unionPath),
               intersectionPolygons = flatten(results.intersectionPath),
               differencePolygons = flatten(results.differencePath), xorPolygons = flatten(results.xorPath);
    int failures = 0;
    std::uniform_real_distribution<double> coordinate(-5.0, 105.0);
    for (int i = 0; i < samples; ++i) {
        const Point p{coordinate(random), coordinate(random)};
        if (distanceToOutline(polygonsA, p) < 0.05 || distanceToOutline(polygonsB, p) < 0.05)
            continue;
        const bool inA = evenOddContains(polygonsA, p), inB = evenOddContains(polygonsB, p);
        const bool ok = evenOddContains(unionPolygons, p) == (inA || inB) &&
                        evenOddContains(intersectionPolygons, p) == (inA && inB) &&
                        evenOddContains(differencePolygons, p) == (inA && !inB) &&
                        evenOddContains(xorPolygons, p) == (inA != inB);
        if (!ok) {
            ++failures;
            ADD_FAILURE() << label << ": membership of (" << p.x << ", " << p.y
                          << ") wrong\nA: " << describe(a) << "\nB: " << describe(b)
                          << "\nunion: " << describe(results.unionPath)
                          << "\nintersection: " << describe(results.intersectionPath);
            break;
        }
    }
    const double areaA = evenOddArea(polygonsA), areaB = evenOddArea(polygonsB);
    const double areaUnion = evenOddArea(unionPolygons), areaIntersection = evenOddArea(intersectionPolygons);
    const double tolerance = 0.002 * (areaA + areaB) + 0.05;
    if (std::fabs(areaUnion + areaIntersection - areaA - areaB) > tolerance) {
        ++failures;
        ADD_FAILURE() << label << ": area identity broken: " << areaUnion << " + " << areaIntersection
                      << " vs " << areaA << " + " << areaB << "\nA: " << describe(a)
                      << "\nB: " << describe(b);
    }
    return failures;
}

} // namespace

TEST(GeometryTest, RandomShapesCombineLikeTheirMemberships)
{
    std::mt19937 random(20261208);
    int failures = 0;
    for (int round = 0; round < 400 && failures < 3; ++round) {
        const Path a = randomShape(random);
        const Path b = randomShape(random);
        failures += checkCase(a, b, random, 60, "round " + std::to_string(round));
    }
    EXPECT_EQ(failures, 0);
}
