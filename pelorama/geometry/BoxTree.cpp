#include "geometry/BoxTree.h"

#include <algorithm>
#include <cmath>

namespace pelorama::geometry {

namespace {

constexpr int leafSize = 4;

bool hasNumbers(const Box& box)
{
    return !std::isnan(box.minX) && !std::isnan(box.minY) && !std::isnan(box.maxX) && !std::isnan(box.maxY);
}

// Twice the centre, which orders the same. An infinite box's centre is not a number; any place will do.
double centreX(const Box& box)
{
    const double x = box.minX + box.maxX;
    return std::isnan(x) ? 0.0 : x;
}

double centreY(const Box& box)
{
    const double y = box.minY + box.maxY;
    return std::isnan(y) ? 0.0 : y;
}

} // namespace

Box Box::united(const Box& other) const
{
    return {std::min(minX, other.minX), std::min(minY, other.minY), std::max(maxX, other.maxX),
            std::max(maxY, other.maxY)};
}

BoxTree::BoxTree(const std::vector<Box>& boxes)
{
    // A box with a coordinate that is not a number meets nothing; it is left out so that it cannot spoil the
    // boxes of the nodes above it.
    m_entries.reserve(boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (hasNumbers(boxes[i]))
            m_entries.push_back({boxes[i], int(i)});
    if (m_entries.empty())
        return;
    m_nodes.reserve(2 * m_entries.size() / leafSize + 1);
    build(0, int(m_entries.size()));
}

int BoxTree::build(int begin, int end)
{
    const int index = int(m_nodes.size());
    m_nodes.push_back({});
    m_nodes[std::size_t(index)].begin = begin;
    m_nodes[std::size_t(index)].end = end;
    const auto entries = m_entries.begin();
    if (end - begin <= leafSize) {
        Box box = m_entries[std::size_t(begin)].box;
        for (int i = begin + 1; i < end; ++i)
            box = box.united(m_entries[std::size_t(i)].box);
        m_nodes[std::size_t(index)].box = box;
        return index;
    }
    // The spread of the centres picks the side to split, so the boxes themselves are only read once more.
    double minX = centreX(m_entries[std::size_t(begin)].box), maxX = minX;
    double minY = centreY(m_entries[std::size_t(begin)].box), maxY = minY;
    for (int i = begin + 1; i < end; ++i) {
        const Box& box = m_entries[std::size_t(i)].box;
        minX = std::min(minX, centreX(box));
        maxX = std::max(maxX, centreX(box));
        minY = std::min(minY, centreY(box));
        maxY = std::max(maxY, centreY(box));
    }
    const int middle = begin + (end - begin) / 2;
    if (maxX - minX >= maxY - minY)
        std::nth_element(entries + begin, entries + middle, entries + end,
                         [](const Entry& a, const Entry& b) { return centreX(a.box) < centreX(b.box); });
    else
        std::nth_element(entries + begin, entries + middle, entries + end,
                         [](const Entry& a, const Entry& b) { return centreY(a.box) < centreY(b.box); });
    const int first = build(begin, middle);
    const int second = build(middle, end);
    Node& node = m_nodes[std::size_t(index)];
    node.first = first;
    node.second = second;
    node.box = m_nodes[std::size_t(first)].box.united(m_nodes[std::size_t(second)].box);
    return index;
}

} // namespace pelorama::geometry
