#include "TracedOutline.h"

#include <map>
#include <utility>

namespace geometrytest {

graphics::Path traceOutline(int size, const std::function<bool(int, int)>& inside)
{
    auto filled = [size, &inside](int x, int y) {
        return x >= 0 && y >= 0 && x < size && y < size && inside(x, y);
    };
    // Directed unit edges with the inside on their left, keyed by start vertex.
    std::multimap<std::pair<int, int>, std::pair<int, int>> edges;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (!filled(x, y))
                continue;
            if (!filled(x, y - 1))
                edges.emplace(std::pair{x, y}, std::pair{x + 1, y});
            if (!filled(x + 1, y))
                edges.emplace(std::pair{x + 1, y}, std::pair{x + 1, y + 1});
            if (!filled(x, y + 1))
                edges.emplace(std::pair{x + 1, y + 1}, std::pair{x, y + 1});
            if (!filled(x - 1, y))
                edges.emplace(std::pair{x, y + 1}, std::pair{x, y});
        }
    graphics::Path path;
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

} // namespace geometrytest
