#include "ShapeSupport.h"
#include "geometry/PathBoolean.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

using namespace geometrytest;
using namespace pelorama::geometry;
using graphics::Path;
using graphics::Point;

namespace {

// CI runs a few thousand cases; PELORAMA_GEOMETRY_ROUNDS asks for more (the long runs use 30,000).
int rounds(int ordinary)
{
    const char* text = std::getenv("PELORAMA_GEOMETRY_ROUNDS");
    if (text == nullptr)
        return ordinary;
    const int asked = std::atoi(text);
    return asked > 0 ? asked : ordinary;
}

// Failures stop a run after a few, unless PELORAMA_GEOMETRY_ALL_FAILURES asks to count them all.
int failureLimit()
{
    return std::getenv("PELORAMA_GEOMETRY_ALL_FAILURES") != nullptr ? 1 << 30 : 3;
}

// Checks every operation on count pairs of operands from makePair (given the round) at the given number of
// sample points, and every fifth round the first operand with itself, until failureLimit() failures.
// The failures.
int checkPairs(std::mt19937& random, int count, int samples, const std::string& name,
               const std::function<std::pair<Path, Path>(int round)>& makePair)
{
    int failures = 0;
    for (int round = 0; round < count && failures < failureLimit(); ++round) {
        const auto [a, b] = makePair(round);
        const std::string label = name + " " + std::to_string(round);
        failures += checkOperations(a, b, random, samples, label);
        if (round % 5 == 0)
            failures += checkWithItself(a, random, 20, label);
    }
    return failures;
}

} // namespace

TEST(GeometryTest, RandomShapesCombineLikeTheirMemberships)
{
    std::mt19937 random(20261208);
    const int failures = checkPairs(random, rounds(2500), 60, "round", [&](int) -> std::pair<Path, Path> {
        return {randomShape(random), randomShape(random)};
    });
    EXPECT_EQ(failures, 0);
}

TEST(GeometryTest, GridAlignedShapesWithSharedEdgesCombineLikeTheirMemberships)
{
    // Integer rectangles on a coarse grid share sides, corners and stretches of sides all the time.
    std::mt19937 random(4711);
    std::uniform_int_distribution<int> cell(0, 8);
    auto gridShape = [&]() {
        const int x = cell(random), y = cell(random);
        const int w = 1 + cell(random) % 4, h = 1 + cell(random) % 4;
        graphics::Path path = graphics::Path::rect(graphics::Rect(10.0 * x, 10.0 * y, 10.0 * w, 10.0 * h));
        if (random() % 3 == 0) {
            const int x2 = cell(random), y2 = cell(random);
            path.append(graphics::Path::rect(graphics::Rect(10.0 * x2 + 100, 10.0 * y2, 10, 10)));
        }
        return path;
    };
    const int failures =
        checkPairs(random, rounds(1500), 40, "grid round", [&](int) -> std::pair<Path, Path> {
            return {gridShape(), gridShape()};
        });
    EXPECT_EQ(failures, 0);
}

TEST(GeometryTest, OperandsWithOverlappingSubpathsAreReadByTheEvenOddRule)
{
    std::mt19937 random(99);
    const int failures = checkPairs(random, rounds(600) / 2, 60, "overlapping round", [&](int round) {
        Path a = randomShape(random);
        a.append(randomShape(random));
        Path b = randomShape(random);
        if (round % 2 == 0)
            b.append(randomShape(random));
        return std::pair{a, b};
    });
    EXPECT_EQ(failures, 0);
}

TEST(GeometryTest, TracedOutlinesCombineWithRectanglesLikeTheirMemberships)
{
    // The directional shadow's case: a picture's traced outline, many unit edges along pixel sides, with a
    // rectangle on pixel sides or between them; outlines clockwise as well as counter-clockwise.
    std::mt19937 random(3116);
    std::uniform_int_distribution<int> coordinate(-2, 30), extent(1, 30);
    int failures = 0;
    for (int round = 0; round < rounds(1000) / 5 && failures < failureLimit(); ++round) {
        Path outline = randomStaircase(random, 28);
        if (round % 2 == 1)
            outline = reversedPath(outline);
        const double offset = round % 3 == 0 ? 0.5 : 0.0;
        Path rectangle = Path::rect(graphics::Rect(coordinate(random) + offset, coordinate(random),
                                                   extent(random), extent(random) + offset));
        if (round % 4 == 3)
            rectangle = reversedPath(rectangle);
        const std::string label = "outline round " + std::to_string(round);
        failures += checkOperations(outline, rectangle, random, 60, label);
        failures += checkOperations(rectangle, outline, random, 20, label + ", rectangle first");
        if (round % 5 == 0)
            failures += checkWithItself(outline, random, 20, label);
    }
    EXPECT_EQ(failures, 0);
}
