#include "geometry/BezierGraph.h"

#include "geometry/BezierContour.h"
#include "geometry/BezierCurve.h"
#include "geometry/BezierPathWrapper.h"
#include "geometry/BoxTree.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/EdgeTree.h"
#include "geometry/VectorMath.h"

namespace pelorama::geometry {

BezierGraph::BezierGraph()
    : m_bounds(graphics::Rect::null())
{}

BezierGraph::BezierGraph(const graphics::Path& path)
    : BezierGraph()
{
    BezierPathWrapper wrapper(path);
    wrapper.readElements();
    build(wrapper.elements);
}

BezierGraph::BezierGraph(const std::vector<BezierGraphElement>& elements)
    : BezierGraph()
{
    build(elements);
}

BezierGraph::~BezierGraph() = default;
BezierGraph::BezierGraph(BezierGraph&&) noexcept = default;
BezierGraph& BezierGraph::operator=(BezierGraph&&) noexcept = default;

void BezierGraph::addContour(std::shared_ptr<BezierContour> contour)
{
    m_contours.push_back(std::move(contour));
    contoursChanged();
}

void BezierGraph::contoursChanged()
{
    m_bounds = graphics::Rect::null();
    m_edgeTree.reset();
    m_boundsTree.reset();
}

std::size_t BezierGraph::edgeCount() const
{
    std::size_t edges = 0;
    for (const auto& contour : m_contours)
        edges += contour->edges().size();
    return edges;
}

const EdgeTree* BezierGraph::builtEdgeTree() const
{
    return m_edgeTree && m_edgeTreeEdges == edgeCount() ? m_edgeTree.get() : nullptr;
}

const EdgeTree& BezierGraph::edgeTree() const
{
    // Edges are only ever added to a contour, so their number tells whether the tree still holds them all.
    const std::size_t edges = edgeCount();
    if (!m_edgeTree || m_edgeTreeEdges != edges) {
        m_edgeTree = std::make_unique<EdgeTree>(m_contours);
        m_edgeTreeEdges = edges;
    }
    return *m_edgeTree;
}

void BezierGraph::build(const std::vector<BezierGraphElement>& elements)
{
    // Point equality here is exact: only elements that do not move at all are dropped.
    graphics::Point current;
    BezierContour* contour = nullptr;
    bool wasClosed = false;
    for (const BezierGraphElement& element : elements) {
        switch (element.kind) {
        case BezierGraphElement::Kind::move: {
            if (contour != nullptr && !wasClosed)
                contour->close();
            auto created = std::make_shared<BezierContour>();
            contour = created.get();
            addContour(std::move(created));
            current = element.to;
            wasClosed = false;
            break;
        }
        case BezierGraphElement::Kind::line:
            if (element.to == current)
                break;
            if (contour != nullptr)
                contour->addEdge(BezierCurve::line(current, element.to));
            current = element.to;
            break;
        case BezierGraphElement::Kind::quadCurve: {
            if (element.to == current && element.to == element.via)
                break;
            if (contour != nullptr) {
                const graphics::Point control1 =
                    add(current, scale(subtract(element.via, current), 2.0 / 3.0));
                const graphics::Point control2 =
                    add(element.to, scale(subtract(element.via, element.to), 2.0 / 3.0));
                contour->addEdge(BezierCurve::curve(current, control1, control2, element.to));
            }
            current = element.to;
            break;
        }
        case BezierGraphElement::Kind::cubicCurve:
            if (element.to == current && element.via == current && element.v2 == current)
                break;
            if (contour != nullptr)
                contour->addEdge(BezierCurve::curve(current, element.via, element.v2, element.to));
            current = element.to;
            break;
        case BezierGraphElement::Kind::close:
            if (contour != nullptr && !contour->edges().empty()) {
                const graphics::Point start = contour->edges().front()->data().endPoint1;
                if (!(current == start)) {
                    contour->addEdge(BezierCurve::line(current, start));
                    wasClosed = true;
                }
            }
            current = graphics::Point{};
            break;
        }
    }
}

graphics::Rect BezierGraph::bounds() const
{
    if (!m_bounds.isNull())
        return m_bounds;
    if (m_contours.empty())
        return graphics::Rect::zero();
    graphics::Rect result = graphics::Rect::null();
    for (const auto& contour : m_contours)
        result = result.united(contour->bounds());
    m_bounds = result;
    return m_bounds;
}

graphics::Path BezierGraph::bezierPath() const
{
    return bezierPath(std::vector<bool>(m_contours.size(), false));
}

graphics::Path BezierGraph::bezierPath(ContourDirection outer) const
{
    return bezierPath(contoursToTurn(outer));
}

graphics::Path BezierGraph::bezierPath(const std::vector<bool>& turned) const
{
    graphics::Path path;
    path.setWindingRule(graphics::WindingRule::evenOdd);
    std::size_t elementCount = 0;
    for (const auto& contour : m_contours)
        elementCount += contour->edges().size() + 2;
    path.reserve(static_cast<int>(elementCount));
    for (std::size_t c = 0; c < m_contours.size(); ++c) {
        const auto& edges = m_contours[c]->edges();
        if (edges.empty())
            continue;
        // A turned contour is written from its last edge back to its first, each edge end to start.
        const bool backwards = turned[c];
        path.moveTo(backwards ? edges.back()->data().endPoint2 : edges.front()->data().endPoint1);
        for (std::size_t k = 0; k < edges.size(); ++k) {
            const BezierCurveData& data = edges[backwards ? edges.size() - 1 - k : k]->data();
            const graphics::Point to = backwards ? data.endPoint1 : data.endPoint2;
            if (data.isStraightLine)
                path.lineTo(to);
            else if (backwards)
                path.curveTo(to, data.controlPoint2, data.controlPoint1);
            else
                path.curveTo(to, data.controlPoint1, data.controlPoint2);
        }
        path.closeSubpath();
    }
    return path;
}

std::shared_ptr<BezierContour> BezierGraph::sharedContour(const BezierContour* contour) const
{
    for (const auto& candidate : m_contours)
        if (candidate.get() == contour)
            return candidate;
    return nullptr;
}

} // namespace pelorama::geometry
