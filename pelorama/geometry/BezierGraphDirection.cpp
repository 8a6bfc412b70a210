// Which way the contours of a graph run.

#include "geometry/BezierContour.h"
#include "geometry/BezierGraph.h"

#include <cmath>

namespace pelorama::geometry {

namespace {

// How many times over the edges of a graph its contours' containers may be read before a tree pays: a
// box test costs a few nanoseconds, building the tree much more per edge.
constexpr std::size_t treeWorthwhile = 256;

} // namespace

std::optional<ContourDirection> BezierGraph::outerDirection() const
{
    // The largest contour cannot lie inside another, so it is an outer one.
    double largest = 0;
    for (const auto& contour : m_contours) {
        const double area = contour->signedArea();
        if (std::fabs(area) > std::fabs(largest))
            largest = area;
    }
    if (largest == 0)
        return std::nullopt;
    return largest > 0 ? ContourDirection::counterClockwise : ContourDirection::clockwise;
}

std::vector<bool> BezierGraph::contoursToTurn(ContourDirection outer) const
{
    // Contours that cross nothing: a contour held by an odd number of the others is a hole.
    std::vector<bool> turn(m_contours.size(), false);
    std::vector<std::vector<int>> candidates(m_contours.size());
    std::size_t edgesToRead = 0;
    for (std::size_t c = 0; c < m_contours.size(); ++c) {
        candidates[c] = boundsHolders(*m_contours[c], m_contours[c].get());
        for (const int i : candidates[c])
            edgesToRead += m_contours[std::size_t(i)]->edges().size();
    }
    // Many contours inside large ones (specks in a traced picture) are told apart faster with the tree.
    if (edgesToRead > treeWorthwhile * edgeCount())
        edgeTree();
    for (std::size_t c = 0; c < m_contours.size(); ++c) {
        const BezierContour& contour = *m_contours[c];
        const double area = contour.signedArea();
        if (area == 0)
            continue;
        const bool hole = holderCount(contour, candidates[c]) % 2 == 1;
        const bool counterClockwise = (outer == ContourDirection::counterClockwise) != hole;
        turn[c] = (area > 0) != counterClockwise;
    }
    return turn;
}

} // namespace pelorama::geometry
