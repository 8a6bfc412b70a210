#pragma once

#include "geometry/BoxTree.h"

#include <memory>
#include <vector>

namespace pelorama::geometry {

class BezierContour;
class BezierCurve;
class BezierCurveData;

// The box of a curve's control points, which holds the curve.
Box controlBox(const BezierCurveData& data);

// The edges of a list of contours in a box tree, by the boxes of their control points: the broad phase of
// the searches between edges. Edges must not change while the tree is in use.
class EdgeTree
{
public:
    struct Item
    {
        BezierCurve* edge;
        int contour; // position in the list of contours
        int index;   // position in its contour
    };

    explicit EdgeTree(const std::vector<std::shared_ptr<BezierContour>>& contours);

    // Calls found(item) for each edge whose control-point box meets the given box within twice the bounds
    // tolerance: every edge that the edge-pair box test could let through, and a few more.
    template <typename Found> void forEachNear(const Box& box, Found found) const
    {
        m_tree.forEachMeeting(box.grownBy(slack), [this, &found](std::size_t i) { found(m_items[i]); });
    }

    // Calls found(item1, item2) once for every two edges whose boxes meet in the same way; the two may
    // belong to one contour.
    template <typename Found> void forEachNearPair(Found found) const
    {
        m_tree.forEachMeetingPair(
            [this, &found](std::size_t i, std::size_t j) { found(m_items[i], m_items[j]); });
    }

    // How far the boxes are grown, each.
    static constexpr double slack = 1e-9;

private:
    std::vector<Item> m_items;
    BoxTree m_tree;
};

} // namespace pelorama::geometry
