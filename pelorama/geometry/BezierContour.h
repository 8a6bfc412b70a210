#pragma once

#include "geometry/ContourInside.h"
#include "graphics/Point.h"
#include "graphics/Rect.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace pelorama::geometry {

class BezierCurve;
class BezierCurveData;
class ContourOverlap;

// One closed outline of a graph: its edges in outline order (each edge's end is the next edge's start), the
// records of stretches where it runs along other contours, and whether it is filled or a hole. The contour
// owns its edges; each edge points back to it and knows its index.
class BezierContour
{
public:
    struct TestLocation
    {
        BezierCurve* edge = nullptr;
        double parameter = 0;
        graphics::Point point;
    };

    BezierContour();
    ~BezierContour();
    BezierContour(const BezierContour&) = delete;
    BezierContour& operator=(const BezierContour&) = delete;

    const std::vector<std::shared_ptr<BezierCurve>>& edges() const { return m_edges; }
    const std::vector<std::shared_ptr<ContourOverlap>>& overlaps() const { return m_overlaps; }
    void addOverlap(std::shared_ptr<ContourOverlap> overlap) { m_overlaps.push_back(std::move(overlap)); }
    void removeOverlaps() { m_overlaps.clear(); }
    ContourInside inside() const { return m_inside; }
    void setInside(ContourInside inside) { m_inside = inside; }

    void addEdge(std::shared_ptr<BezierCurve> edge);
    // Tight bounds; the zero rectangle (not cached) for a contour without edges.
    graphics::Rect bounds() const;
    // Bounds of the control points.
    graphics::Rect boundingRect() const;
    BezierCurve* startEdge() const;
    graphics::Point testPoint() const;
    // Only asked of contours that have edges.
    TestLocation testLocation() const;
    // Adds a straight closing edge when the outline does not end where it begins.
    void close();
    // The area the outline encloses, positive when it runs counter-clockwise (y up).
    double signedArea() const;
    std::vector<BezierContour*> intersectingContours() const;
    void addSelfCrossedContours(std::vector<BezierContour*>& contours, const BezierContour* excluding) const;
    bool overlapsCover(const BezierCurve& edge, double parameter) const;
    bool hasSelfCrossing(const BezierContour& other) const;
    int numberOfIntersections(BezierCurve& curve) const;
    // The same over some of the contour's edges, in outline order; right when they hold every edge whose
    // box meets the curve's.
    int numberOfIntersections(BezierCurve& curve, const std::vector<BezierCurve*>& edges) const;
    // Even-odd containment, extended to the contours tied to this one by self crossings.
    bool contains(const graphics::Point& point) const;
    // Even-odd containment by this outline alone, for a point off it.
    bool enclosesPoint(const graphics::Point& point) const;

    void markCrossingsAsEntryOrExit(const BezierContour& other, bool markInside);
    bool isEquivalent(const BezierContour& other) const;

    // Where the graph's containment test lays its test lines: left, bottom, right and top.
    using RaySpan = std::array<double, 4>;
    // The containment test's answers about this contour, whether a container holds it as test lines across
    // a span find, kept because one operation asks them more than once: an exclusive-or asks each contour
    // that crosses nothing in both of its differences, and again when its result is given directions.
    // Contours do not change once built, so an answer stands while both contours live.
    std::optional<bool> rememberedHolding(const std::shared_ptr<BezierContour>& container,
                                          const RaySpan& span) const;
    void rememberHolding(const std::shared_ptr<BezierContour>& container, const RaySpan& span,
                         bool holds) const;

private:
    // Whether a ray from the point in the direction crosses the outline an odd number of times; nothing when
    // the ray meets it at a joint, runs along it or touches it.
    std::optional<bool> rayParity(const graphics::Point& point, const graphics::Point& direction) const;

    // The union of the given rectangle of every edge, kept in cache until the edges change.
    graphics::Rect unitedEdgeRects(graphics::Rect& cache,
                                   graphics::Rect (BezierCurveData::*edgeRect)() const) const;

    struct Holding
    {
        std::weak_ptr<BezierContour> container;
        RaySpan span;
        std::size_t edges; // how many edges the contour had
        bool holds;
    };

    std::vector<std::shared_ptr<BezierCurve>> m_edges;
    std::vector<std::shared_ptr<ContourOverlap>> m_overlaps;
    mutable graphics::Rect m_bounds;
    mutable graphics::Rect m_boundingRect;
    ContourInside m_inside = ContourInside::filled;
    mutable std::vector<Holding> m_holdings;
};

} // namespace pelorama::geometry
