#include "geometry/EdgeTree.h"

#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierCurveData.h"
#include "geometry/Tolerances.h"

namespace pelorama::geometry {

static_assert(boundsTolerance <= EdgeTree::slack, "the edge tree's slack must cover the bounds tolerance");

namespace {

std::vector<EdgeTree::Item> itemsOf(const std::vector<std::shared_ptr<BezierContour>>& contours)
{
    std::vector<EdgeTree::Item> items;
    for (std::size_t c = 0; c < contours.size(); ++c) {
        const auto& edges = contours[c]->edges();
        for (std::size_t e = 0; e < edges.size(); ++e)
            items.push_back({edges[e].get(), int(c), int(e)});
    }
    return items;
}

std::vector<Box> boxesOf(const std::vector<EdgeTree::Item>& items)
{
    std::vector<Box> boxes;
    boxes.reserve(items.size());
    for (const EdgeTree::Item& item : items)
        boxes.push_back(controlBox(item.edge->data()).grownBy(EdgeTree::slack));
    return boxes;
}

} // namespace

Box controlBox(const BezierCurveData& data)
{
    // Read through the rectangle that the edge-pair test reads, so that both see the same numbers.
    const graphics::Rect rect = data.boundingRect();
    return {rect.minX(), rect.minY(), rect.maxX(), rect.maxY()};
}

EdgeTree::EdgeTree(const std::vector<std::shared_ptr<BezierContour>>& contours)
    : m_items(itemsOf(contours))
    , m_tree(boxesOf(m_items))
{}

} // namespace pelorama::geometry
