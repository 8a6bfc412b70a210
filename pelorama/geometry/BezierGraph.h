#pragma once

#include "geometry/BezierGraphElement.h"
#include "geometry/ContourDirection.h"
#include "graphics/Path.h"
#include "graphics/Rect.h"

#include <memory>
#include <optional>
#include <vector>

namespace pelorama::geometry {

class BezierContour;
class BezierCurve;
class BoxTree;
class EdgeCrossing;
class EdgeTree;

// A path as a list of closed contours of cubic edges: the operand and the result of a boolean operation.
// Contours are shared: a result holds the operands' contours that cross nothing. While an operation runs
// both operands carry crossings and overlaps; every operation removes them before it returns.
class BezierGraph
{
public:
    BezierGraph();
    explicit BezierGraph(const graphics::Path& path);
    explicit BezierGraph(const std::vector<BezierGraphElement>& elements);
    ~BezierGraph();
    BezierGraph(BezierGraph&&) noexcept;
    BezierGraph& operator=(BezierGraph&&) noexcept;
    BezierGraph(const BezierGraph&) = delete;
    BezierGraph& operator=(const BezierGraph&) = delete;

    const std::vector<std::shared_ptr<BezierContour>>& contours() const { return m_contours; }
    void addContour(std::shared_ptr<BezierContour> contour);
    // Union of the contours' bounds; the zero rectangle (not cached) without contours.
    graphics::Rect bounds() const;
    // The contours as a new path with the even-odd rule.
    graphics::Path bezierPath() const;
    // The same with the outer contours running in the given direction and the holes the other way (the
    // contours must cross nothing); the nonzero rule then reads it alike.
    graphics::Path bezierPath(ContourDirection outer) const;

    // The direction of the outer contours: that of the largest contour, which no other can enclose; nothing
    // when the graph encloses no area.
    std::optional<ContourDirection> outerDirection() const;

    // The boolean operations; the argument is changed while they run and left without crossings.
    BezierGraph unionWith(BezierGraph& other);
    BezierGraph intersect(BezierGraph& other);
    BezierGraph difference(BezierGraph& other);
    BezierGraph symmetricDifference(BezierGraph& other);

    // The steps the operations are made of.
    // Contours that cross or run along each other become the outline of their even-odd region.
    void resolveCrossingContours();
    void insertCrossings(BezierGraph& other);
    void insertSelfCrossings();
    bool isHole(const BezierContour& contour) const;
    void removeDuplicateCrossings();
    void removeCrossingsInOverlaps();
    void removeCrossings();
    void removeOverlaps();
    void markCrossingsAsEntryOrExit(bool markInside);
    void markAllCrossingsAsUnprocessed();
    EdgeCrossing* firstUnprocessedCrossing() const;
    BezierGraph bezierGraphFromIntersections();
    std::vector<BezierContour*> nonintersectingContours() const;
    // Even-odd containment of a contour by this graph's contours.
    bool encloses(const BezierContour& contour) const;
    void unionNonintersectingParts(BezierGraph& result, BezierGraph& other);
    void intersectNonintersectingParts(BezierGraph& result, BezierGraph& other);

private:
    using ContourList = std::vector<BezierContour*>;

    void build(const std::vector<BezierGraphElement>& elements);
    graphics::Path bezierPath(const std::vector<bool>& turned) const;
    // Which contours run against the direction rule.
    std::vector<bool> contoursToTurn(ContourDirection outer) const;
    std::shared_ptr<BezierContour> sharedContour(const BezierContour* contour) const;
    void addNonintersecting(BezierGraph& result, const ContourList& contours, BezierGraph& other) const;
    // How a difference treats an outline that both graphs have.
    enum class EquivalentOutlines
    {
        keptWhereFillDiffers,
        dropped
    };

    void prepareCrossings(BezierGraph& other);
    BezierGraph differenceFromCrossings(BezierGraph& other, EquivalentOutlines equivalent);
    // Union and intersection: both graphs' crossings marked alike (inside or not), then the parts without
    // crossings added by the given member.
    BezierGraph sameSidedOperation(BezierGraph& other, bool markInside,
                                   void (BezierGraph::*addNonintersectingParts)(BezierGraph&, BezierGraph&));
    void finishOperation(BezierGraph& other);
    void removeSpikes();

    void pairEquivalentContoursForUnion(ContourList& ours, ContourList& theirs, ContourList& results) const;
    ContourList pairEquivalentContoursForIntersection(ContourList& ours, ContourList& theirs) const;
    ContourList pairEquivalentContoursForDifference(ContourList& ours, ContourList& theirs) const;

    // The edges of all contours in a box tree, built on first use after the contours changed.
    const EdgeTree& edgeTree() const;
    // The tree when it is built and up to date.
    const EdgeTree* builtEdgeTree() const;
    std::size_t edgeCount() const;
    void contoursChanged();
    // How many of the listed contours (positions in the contour list) hold the contour, which crosses none
    // of them.
    int holderCount(const BezierContour& contour, const std::vector<int>& candidates) const;
    // The positions, in order, of the contours with edges whose bounds hold the contour's: the only ones that
    // can hold it. The skipped one is left out.
    std::vector<int> boundsHolders(const BezierContour& contour, const BezierContour* skipped) const;

    std::vector<std::shared_ptr<BezierContour>> m_contours;
    mutable graphics::Rect m_bounds;
    mutable std::unique_ptr<EdgeTree> m_edgeTree;
    mutable std::size_t m_edgeTreeEdges = 0;
    // The contours' bounds in a box tree, for graphs with many contours; built like the edge tree.
    mutable std::unique_ptr<BoxTree> m_boundsTree;
    mutable std::size_t m_boundsTreeEdges = 0;
    mutable double m_boundsTreeSlack = 0; // at least the containment slack of any contour's bounds
};

// Whether the outer bounds hold the inner ones, within the slack of the containment test.
bool boundsHold(const graphics::Rect& outer, const graphics::Rect& inner);

} // namespace pelorama::geometry
