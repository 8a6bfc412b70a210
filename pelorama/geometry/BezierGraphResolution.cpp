// Reading an operand whose contours cross or run along each other.

#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierGraph.h"
#include "geometry/BezierIntersection.h"
#include "geometry/CurveIntersection.h"
#include "geometry/EdgeTree.h"
#include "geometry/Primitives.h"

#include <numeric>

namespace pelorama::geometry {

namespace {

// Groups of contours joined by crossings or shared stretches.
class Groups
{
public:
    explicit Groups(std::size_t count)
        : m_parent(count)
    {
        std::iota(m_parent.begin(), m_parent.end(), std::size_t(0));
    }

    std::size_t root(std::size_t item)
    {
        while (m_parent[item] != item)
            item = m_parent[item] = m_parent[m_parent[item]];
        return item;
    }
    void join(std::size_t a, std::size_t b) { m_parent[root(a)] = root(b); }

private:
    std::vector<std::size_t> m_parent;
};

bool cross(BezierCurve& edge1, BezierCurve& edge2)
{
    bool crossing = false;
    const auto range = findIntersections(edge1, edge2, [&](const std::shared_ptr<BezierIntersection>& x) {
        if (!edge1.crossesEdge(edge2, *x))
            return HandlerAnswer{};
        crossing = true;
        return HandlerAnswer{true, true};
    });
    return crossing || range != nullptr;
}

// The exclusive-or of the graphs from first to last, halving the list so that no contour goes through
// more operations than it must.
BezierGraph exclusiveOr(std::vector<BezierGraph>& graphs, std::size_t first, std::size_t last)
{
    if (first == last)
        return std::move(graphs[first]);
    const std::size_t middle = first + (last - first) / 2;
    BezierGraph left = exclusiveOr(graphs, first, middle);
    BezierGraph right = exclusiveOr(graphs, middle + 1, last);
    return left.symmetricDifference(right);
}

} // namespace

void BezierGraph::resolveCrossingContours()
{
    if (m_contours.size() < 2)
        return;
    Groups groups(m_contours.size());
    bool joined = false;
    const EdgeTree& tree = edgeTree();
    tree.forEachNearPair([&](const EdgeTree::Item& a, const EdgeTree::Item& b) {
        const auto contourA = std::size_t(a.contour), contourB = std::size_t(b.contour);
        if (groups.root(contourA) == groups.root(contourB) || !edgesMightMeet(*a.edge, *b.edge))
            return;
        if (cross(*a.edge, *b.edge)) {
            groups.join(contourA, contourB);
            joined = true;
        }
    });
    if (!joined)
        return;

    // Each group becomes the outline of its even-odd region, the exclusive-or of its contours, in the place
    // of its first contour; the other contours stay as they are.
    std::vector<std::vector<std::size_t>> members(m_contours.size());
    for (std::size_t i = 0; i < m_contours.size(); ++i)
        members[groups.root(i)].push_back(i);
    std::vector<std::shared_ptr<BezierContour>> resolved;
    for (std::size_t i = 0; i < m_contours.size(); ++i) {
        const std::vector<std::size_t>& group = members[groups.root(i)];
        if (group.size() == 1) {
            resolved.push_back(m_contours[i]);
            continue;
        }
        if (group.front() != i)
            continue;
        std::vector<BezierGraph> graphs;
        for (std::size_t member : group) {
            BezierGraph single;
            single.addContour(m_contours[member]);
            graphs.push_back(std::move(single));
        }
        BezierGraph region = exclusiveOr(graphs, 0, graphs.size() - 1);
        for (const auto& contour : region.m_contours)
            resolved.push_back(contour);
    }
    m_contours = std::move(resolved);
    contoursChanged();
}

} // namespace pelorama::geometry
