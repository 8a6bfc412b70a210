#pragma once

#include "geometry/BezierCurveData.h"
#include "geometry/Range.h"
#include "graphics/Point.h"

#include <memory>
#include <string>
#include <vector>

namespace pelorama::geometry {

class BezierContour;
class BezierIntersection;
class BezierIntersectRange;
class EdgeCrossing;

// One edge of a contour: its curve data plus the bookkeeping of a boolean operation.
//
// Ownership: a contour owns its edges, an edge owns its crossings, a crossing shares its intersection with
// its counterpart, and an intersection owns the pieces it splits off. Every reference back up that chain
// (edge to contour, crossing to edge and counterpart, intersection and overlap range to their curves) is a
// plain pointer, so nothing refers to itself through owning references and everything is freed when the
// graphs of an operation go away. The referenced objects outlive the references: crossings are cleared
// before an operation returns.
class BezierCurve
{
public:
    struct Pieces
    {
        graphics::Point point;
        std::shared_ptr<BezierCurve> left;
        std::shared_ptr<BezierCurve> right;
    };
    struct RangePieces
    {
        std::shared_ptr<BezierCurve> left;
        std::shared_ptr<BezierCurve> middle;
        std::shared_ptr<BezierCurve> right;
    };

    explicit BezierCurve(std::shared_ptr<const BezierCurveData> data);
    BezierCurve(graphics::Point endPoint1, graphics::Point controlPoint1, graphics::Point controlPoint2,
                graphics::Point endPoint2);
    // A straight edge with its control points at one third and two thirds of the chord.
    static std::shared_ptr<BezierCurve> line(graphics::Point startPoint, graphics::Point endPoint);
    static std::shared_ptr<BezierCurve> curve(graphics::Point endPoint1, graphics::Point controlPoint1,
                                              graphics::Point controlPoint2, graphics::Point endPoint2);
    static std::shared_ptr<BezierCurve> withData(BezierCurveData data);

    ~BezierCurve();
    BezierCurve(const BezierCurve&) = delete;
    BezierCurve& operator=(const BezierCurve&) = delete;

    const BezierCurveData& data() const { return *m_data; }
    const std::shared_ptr<const BezierCurveData>& sharedData() const { return m_data; }

    std::shared_ptr<BezierCurve> reversed() const;
    Pieces split(double t) const;
    graphics::Point endTangent(double distance) const;
    graphics::Point startTangent(double distance) const;
    std::string description() const;
    std::string debugDescription() const;
    // Same edge: curve data equal within pointTolerance; a point equals nothing.
    bool operator==(const BezierCurve& other) const;

    // Neighbours in the contour, wrapping; the edge itself without contour or edges.
    BezierCurve* next() const;
    BezierCurve* previous() const;
    BezierCurve* nextNonpoint() const;
    BezierCurve* previousNonpoint() const;

    EdgeCrossing* firstCrossing() const;
    EdgeCrossing* lastCrossing() const;
    EdgeCrossing* firstNonSelfCrossing() const;
    EdgeCrossing* lastNonSelfCrossing() const;
    EdgeCrossing* nextCrossing(const EdgeCrossing& crossing) const;
    bool hasRealCrossing() const;
    void sortCrossings();
    void removeCrossing(const EdgeCrossing* crossing);
    void addCrossing(std::shared_ptr<EdgeCrossing> crossing);

    bool crossesEdge(const BezierCurve& other, BezierIntersection& intersection) const;
    bool crossesEdge(const BezierCurve& other, BezierIntersectRange& range) const;

    RangePieces splitSubcurves(const Range& range, bool wantLeft, bool wantMiddle, bool wantRight) const;
    std::shared_ptr<BezierCurve> subcurve(const Range& range) const;
    std::shared_ptr<BezierCurve> subcurve(double from, double to) const;

    bool startShared = false;
    BezierContour* contour = nullptr;
    int index = 0;
    std::vector<std::shared_ptr<EdgeCrossing>> crossings;

private:
    double wholeLength() const;

    std::shared_ptr<const BezierCurveData> m_data;
};

struct CurvesAround
{
    BezierCurve* left = nullptr;
    BezierCurve* right = nullptr;
};

// The curve arriving at and the curve leaving a meeting point, looking past edge joints.
CurvesAround edge1CurvesAroundIntersection(const BezierCurve& edge, BezierIntersection& intersection);
CurvesAround edge2CurvesAroundIntersection(const BezierCurve& edge, BezierIntersection& intersection);
CurvesAround edge1CurvesAroundOverlap(const BezierCurve& edge, BezierIntersectRange& range);
CurvesAround edge2CurvesAroundOverlap(const BezierCurve& edge, BezierIntersectRange& range);

// Cheap rejection before the intersection search: control-point boxes first, then the tight boxes.
bool edgesMightMeet(const BezierCurve& edge1, const BezierCurve& edge2);

} // namespace pelorama::geometry
