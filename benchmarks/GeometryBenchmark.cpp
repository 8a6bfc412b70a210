#include "geometry/PathBoolean.h"
#include "graphics/Path.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <map>
#include <numbers>
#include <random>
#include <utility>
#include <vector>

using graphics::Path;
using graphics::Point;
using graphics::Rect;
namespace geometry = pelorama::geometry;

namespace {

Path circle(Point centre, double radius)
{
    return Path::oval(Rect(centre.x - radius, centre.y - radius, 2 * radius, 2 * radius));
}

// A star-shaped polygon: vertices at jittered angles and random radii around the centre.
Path randomPolygon(std::mt19937& random, int vertices, Point centre, double radius)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    Path path;
    for (int i = 0; i < vertices; ++i) {
        const double angle = (i + 0.8 * unit(random)) * 2 * std::numbers::pi / vertices;
        const double r = radius * (0.5 + 0.5 * unit(random));
        const Point p{centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)};
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// The outline of a rasterised disc with three round holes, traced along pixel edges: one unit edge per
// pixel side, as a contour tracer over a picture's alpha produces it.
Path pixelStaircase(int size)
{
    auto inside = [size](int x, int y) {
        if (x < 0 || y < 0 || x >= size || y >= size)
            return false;
        const double cx = x + 0.5 - size / 2.0, cy = y + 0.5 - size / 2.0;
        if (cx * cx + cy * cy > 0.2 * size * size)
            return false;
        const double holes[3][3] = {{-0.2, 0.0, 0.1}, {0.2, 0.1, 0.08}, {0.0, -0.25, 0.06}};
        for (const auto& hole : holes) {
            const double hx = cx - hole[0] * size, hy = cy - hole[1] * size;
            if (hx * hx + hy * hy < hole[2] * hole[2] * size * size)
                return false;
        }
        return true;
    };
    // Directed unit edges with the inside on their left, keyed by start vertex.
    std::multimap<std::pair<int, int>, std::pair<int, int>> edges;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (!inside(x, y))
                continue;
            if (!inside(x, y - 1))
                edges.emplace(std::pair{x, y}, std::pair{x + 1, y});
            if (!inside(x + 1, y))
                edges.emplace(std::pair{x + 1, y}, std::pair{x + 1, y + 1});
            if (!inside(x, y + 1))
                edges.emplace(std::pair{x + 1, y + 1}, std::pair{x, y + 1});
            if (!inside(x - 1, y))
                edges.emplace(std::pair{x, y + 1}, std::pair{x, y});
        }
    }
    Path path;
    while (!edges.empty()) {
        auto edge = edges.begin();
        const std::pair<int, int> start = edge->first;
        path.moveTo({double(start.first), double(start.second)});
        while (true) {
            const std::pair<int, int> end = edge->second;
            edges.erase(edge);
            if (end == start)
                break;
            path.lineTo({double(end.first), double(end.second)});
            edge = edges.find(end);
            if (edge == edges.end())
                break;
        }
        path.closeSubpath();
    }
    return path;
}

void twoCirclesUnion(benchmark::State& state)
{
    const Path a = circle({0, 0}, 100), b = circle({80, 30}, 90);
    for (auto _ : state)
        benchmark::DoNotOptimize(geometry::unioningWith(a, b));
}
BENCHMARK(twoCirclesUnion);

void twoCirclesIntersection(benchmark::State& state)
{
    const Path a = circle({0, 0}, 100), b = circle({80, 30}, 90);
    for (auto _ : state)
        benchmark::DoNotOptimize(geometry::intersectingWith(a, b));
}
BENCHMARK(twoCirclesIntersection);

void randomPolygonsUnion(benchmark::State& state)
{
    std::mt19937 random(1);
    const Path a = randomPolygon(random, 200, {0, 0}, 100), b = randomPolygon(random, 200, {60, 20}, 100);
    for (auto _ : state)
        benchmark::DoNotOptimize(geometry::unioningWith(a, b));
}
BENCHMARK(randomPolygonsUnion)->Unit(benchmark::kMillisecond);

void randomPolygonsIntersection(benchmark::State& state)
{
    std::mt19937 random(1);
    const Path a = randomPolygon(random, 200, {0, 0}, 100), b = randomPolygon(random, 200, {60, 20}, 100);
    for (auto _ : state)
        benchmark::DoNotOptimize(geometry::intersectingWith(a, b));
}
BENCHMARK(randomPolygonsIntersection)->Unit(benchmark::kMillisecond);

Path fiftyCircles()
{
    std::mt19937 random(2);
    std::uniform_real_distribution<double> x(20, 380), y(20, 280), r(4, 12);
    Path circles;
    for (int i = 0; i < 50; ++i)
        circles.append(circle({x(random), y(random)}, r(random)));
    return circles;
}

void roundedRectMinusCircles(benchmark::State& state)
{
    const Path rounded = Path::roundedRect(Rect(0, 0, 400, 300), 40, 40);
    const Path circles = fiftyCircles();
    for (auto _ : state)
        benchmark::DoNotOptimize(geometry::subtracting(rounded, circles));
}
BENCHMARK(roundedRectMinusCircles)->Unit(benchmark::kMillisecond);

void staircaseIntersectedWithRect(benchmark::State& state)
{
    const Path outline = pixelStaircase(1000);
    const Path clip = Path::rect(Rect(150.5, 200.5, 600, 500));
    for (auto _ : state)
        benchmark::DoNotOptimize(geometry::intersectingWith(outline, clip));
    state.counters["elements"] = outline.elementCount();
}
BENCHMARK(staircaseIntersectedWithRect)->Unit(benchmark::kMillisecond);

void staircaseUnitedWithRect(benchmark::State& state)
{
    const Path outline = pixelStaircase(1000);
    const Path clip = Path::rect(Rect(150.5, 200.5, 600, 500));
    for (auto _ : state)
        benchmark::DoNotOptimize(geometry::unioningWith(outline, clip));
}
BENCHMARK(staircaseUnitedWithRect)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
