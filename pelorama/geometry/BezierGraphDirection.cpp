// Which way the contours of a graph run.

#include "geometry/BezierContour.h"
#include "geometry/BezierGraph.h"

#include <cmath>

namespace pelorama::geometry {

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

void BezierGraph::orientContours(ContourDirection outer)
{
    // Contours that cross nothing: a contour held by an odd number of the others is a hole.
    bool turned = false;
    std::vector<std::shared_ptr<BezierContour>> oriented;
    oriented.reserve(m_contours.size());
    for (const auto& contour : m_contours) {
        std::vector<int> candidates;
        for (std::size_t i = 0; i < m_contours.size(); ++i) {
            const BezierContour& other = *m_contours[i];
            if (&other != contour.get() && !other.edges().empty() &&
                boundsHold(other.bounds(), contour->bounds()))
                candidates.push_back(int(i));
        }
        const bool hole = holderCount(*contour, candidates) % 2 == 1;
        const bool counterClockwise = (outer == ContourDirection::counterClockwise) != hole;
        const double area = contour->signedArea();
        if (area != 0 && (area > 0) != counterClockwise) {
            oriented.push_back(contour->reversed());
            turned = true;
        } else {
            oriented.push_back(contour);
        }
    }
    if (!turned)
        return;
    m_contours = std::move(oriented);
    contoursChanged();
}

} // namespace pelorama::geometry
