#pragma once

#include "geometry/PathElement.h"
#include "graphics/Path.h"
#include "graphics/Rect.h"

#include <memory>
#include <vector>

namespace pelorama::geometry {

class BezierContour;
class BezierCurve;
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
    explicit BezierGraph(const std::vector<PathElement>& elements);
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

    // The boolean operations; the argument is changed while they run and left without crossings.
    BezierGraph unionWith(BezierGraph& other);
    BezierGraph intersect(BezierGraph& other);
    BezierGraph difference(BezierGraph& other);
    BezierGraph symmetricDifference(BezierGraph& other);

    // The steps the operations are made of.
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

    void build(const std::vector<PathElement>& elements);
    std::shared_ptr<BezierContour> sharedContour(const BezierContour* contour) const;
    void addNonintersecting(BezierGraph& result, const ContourList& contours, BezierGraph& other) const;
    void prepareCrossings(BezierGraph& other);
    void finishOperation(BezierGraph& other);

    void pairEquivalentContoursForUnion(ContourList& ours, ContourList& theirs, ContourList& results) const;
    ContourList pairEquivalentContoursForIntersection(ContourList& ours, ContourList& theirs) const;
    ContourList pairEquivalentContoursForDifference(ContourList& ours, ContourList& theirs) const;

    bool isHole(const BezierContour& contour, const EdgeTree& tree) const;

    std::vector<std::shared_ptr<BezierContour>> m_contours;
    mutable graphics::Rect m_bounds;
};

} // namespace pelorama::geometry
