#include "geometry/BoxTree.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

namespace pelorama::geometry {

namespace {

constexpr int leafSize = 4;

bool hasNumbers(const Box& box)
{
    return !std::isnan(box.minX) && !std::isnan(box.minY) && !std::isnan(box.maxX) && !std::isnan(box.maxY);
}

// Spreads the 16 bits of a value over the even bits of a 32-bit word.
std::uint32_t spread(std::uint32_t value)
{
    value = (value | (value << 8)) & 0x00FF00FFu;
    value = (value | (value << 4)) & 0x0F0F0F0Fu;
    value = (value | (value << 2)) & 0x33333333u;
    value = (value | (value << 1)) & 0x55555555u;
    return value;
}

// A box centre's place on the Z-order curve through the given bounds of all centres, 16 bits per axis.
// Infinite and out-of-range centres land on the bounds.
std::uint32_t zOrder(const Box& box, const Box& centres)
{
    auto quantize = [](double value, double low, double high) {
        const double unit = high > low ? (value - low) / (high - low) : 0.0;
        const double clamped = std::isnan(unit) ? 0.0 : std::clamp(unit, 0.0, 1.0);
        return std::uint32_t(clamped * 65535.0);
    };
    const double x = box.minX / 2 + box.maxX / 2, y = box.minY / 2 + box.maxY / 2;
    return spread(quantize(x, centres.minX, centres.maxX)) |
           (spread(quantize(y, centres.minY, centres.maxY)) << 1);
}

} // namespace

Box Box::united(const Box& other) const
{
    return {std::min(minX, other.minX), std::min(minY, other.minY), std::max(maxX, other.maxX),
            std::max(maxY, other.maxY)};
}

BoxTree::BoxTree(const std::vector<Box>& boxes)
{
    // Boxes go in the order of their centres along a Z-order curve, and the tree splits that order in
    // halves: one sort of small keys instead of a partition at every level. A box with a coordinate that is
    // not a number meets nothing; it is left out so that it cannot spoil the boxes of the nodes above it.
    Box centres{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                -std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
    std::vector<std::pair<std::uint32_t, int>> keys;
    keys.reserve(boxes.size());
    for (const Box& box : boxes) {
        if (!hasNumbers(box))
            continue;
        const double x = box.minX / 2 + box.maxX / 2, y = box.minY / 2 + box.maxY / 2;
        if (std::isfinite(x) && std::isfinite(y))
            centres = centres.united({x, y, x, y});
    }
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (hasNumbers(boxes[i]))
            keys.emplace_back(zOrder(boxes[i], centres), int(i));
    if (keys.empty())
        return;
    std::sort(keys.begin(), keys.end());
    m_entries.reserve(keys.size());
    for (const auto& [key, index] : keys)
        m_entries.push_back({boxes[std::size_t(index)], index});
    m_nodes.reserve(2 * m_entries.size() / leafSize + 2);
    build(0, int(m_entries.size()));
}

int BoxTree::build(int begin, int end)
{
    const int index = int(m_nodes.size());
    m_nodes.push_back({});
    m_nodes[std::size_t(index)].begin = begin;
    m_nodes[std::size_t(index)].end = end;
    if (end - begin <= leafSize) {
        Box box = m_entries[std::size_t(begin)].box;
        for (int i = begin + 1; i < end; ++i)
            box = box.united(m_entries[std::size_t(i)].box);
        m_nodes[std::size_t(index)].box = box;
        return index;
    }
    const int middle = begin + (end - begin) / 2;
    const int first = build(begin, middle);
    const int second = build(middle, end);
    Node& node = m_nodes[std::size_t(index)];
    node.first = first;
    node.second = second;
    node.box = m_nodes[std::size_t(first)].box.united(m_nodes[std::size_t(second)].box);
    return index;
}

} // namespace pelorama::geometry
