#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace pelorama::geometry {

// An axis-aligned box as four plain numbers: the broad phase compares many of them.
struct Box
{
    double minX = 0;
    double minY = 0;
    double maxX = 0;
    double maxY = 0;

    // Touching boxes meet.
    bool meets(const Box& other) const
    {
        return minX <= other.maxX && other.minX <= maxX && minY <= other.maxY && other.minY <= maxY;
    }
    Box grownBy(double margin) const { return {minX - margin, minY - margin, maxX + margin, maxY + margin}; }
    Box united(const Box& other) const;
};

// A bounding-box tree over a fixed list of boxes, the broad phase of the edge searches: a query visits the
// boxes that meet its box in time that grows with how many do, not with the length of the list. Neighbours
// in space stay neighbours in the tree whatever the layout, long runs of equal unit boxes (the straight
// sides of a traced outline) included, and the tree is balanced.
class BoxTree
{
public:
    explicit BoxTree(const std::vector<Box>& boxes);

    // Calls found(index) for every box of the list that meets the given one, in no particular order.
    template <typename Found> void forEachMeeting(const Box& box, Found found) const
    {
        if (m_nodes.empty())
            return;
        std::array<int, 128> stack;
        std::size_t depth = 0;
        stack[depth++] = 0;
        while (depth > 0) {
            const Node& node = m_nodes[std::size_t(stack[--depth])];
            if (!node.box.meets(box))
                continue;
            if (node.isLeaf()) {
                for (int i = node.begin; i < node.end; ++i)
                    if (m_entries[std::size_t(i)].box.meets(box))
                        found(std::size_t(m_entries[std::size_t(i)].index));
            } else {
                stack[depth++] = node.first;
                stack[depth++] = node.second;
            }
        }
    }

    // Calls found(i, j) once for every two boxes of the list that meet, in no particular order.
    template <typename Found> void forEachMeetingPair(Found found) const
    {
        if (!m_nodes.empty())
            pairsWithin(0, found);
    }

private:
    struct Entry
    {
        Box box;
        int index;
    };
    struct Node
    {
        Box box;
        int begin = 0; // entries of the subtree
        int end = 0;
        int first = -1; // children; none for a leaf
        int second = -1;

        bool isLeaf() const { return first < 0; }
    };

    int build(int begin, int end);

    template <typename Found> void pairsWithin(int index, Found& found) const
    {
        const Node& node = m_nodes[std::size_t(index)];
        if (node.isLeaf()) {
            for (int i = node.begin; i < node.end; ++i)
                for (int j = i + 1; j < node.end; ++j)
                    report(i, j, found);
            return;
        }
        pairsWithin(node.first, found);
        pairsWithin(node.second, found);
        pairsBetween(node.first, node.second, found);
    }

    template <typename Found> void pairsBetween(int a, int b, Found& found) const
    {
        const Node& first = m_nodes[std::size_t(a)];
        const Node& second = m_nodes[std::size_t(b)];
        if (!first.box.meets(second.box))
            return;
        if (first.isLeaf() && second.isLeaf()) {
            for (int i = first.begin; i < first.end; ++i)
                for (int j = second.begin; j < second.end; ++j)
                    report(i, j, found);
        } else if (second.isLeaf() ||
                   (!first.isLeaf() && first.end - first.begin >= second.end - second.begin)) {
            pairsBetween(first.first, b, found);
            pairsBetween(first.second, b, found);
        } else {
            pairsBetween(a, second.first, found);
            pairsBetween(a, second.second, found);
        }
    }

    template <typename Found> void report(int i, int j, Found& found) const
    {
        const Entry& first = m_entries[std::size_t(i)];
        const Entry& second = m_entries[std::size_t(j)];
        if (first.box.meets(second.box))
            found(std::size_t(first.index), std::size_t(second.index));
    }

    std::vector<Entry> m_entries;
    std::vector<Node> m_nodes;
};

} // namespace pelorama::geometry
