#pragma once

#include <memory>

namespace pelorama::geometry {

class BezierCurve;
class BezierIntersection;

// One end of a meeting of two edges. Crossings come in pairs over one shared intersection; each lies in
// exactly one edge's crossing list, which owns it. The edge and counterpart references are not owning.
class EdgeCrossing
{
public:
    explicit EdgeCrossing(std::shared_ptr<BezierIntersection> intersection);

    BezierIntersection& intersection() const { return *m_intersection; }

    // The crossing's parameter on its own edge.
    double parameter() const;
    double sortParameter() const { return parameter(); }
    bool isAtStart() const;
    bool isAtEnd() const;
    std::shared_ptr<BezierCurve> leftCurve() const;
    std::shared_ptr<BezierCurve> rightCurve() const;
    EdgeCrossing* nextNonSelfCrossing() const;
    EdgeCrossing* previousNonSelfCrossing() const;

    // The crossing at the same place on the other edge, or none once that one is gone.
    EdgeCrossing* counterpart() const { return m_counterpart.lock().get(); }
    void setCounterpart(const std::shared_ptr<EdgeCrossing>& other) { m_counterpart = other; }

    BezierCurve* edge = nullptr;
    bool fromCrossingOverlap = false;
    bool entry = false;
    bool processed = false;
    bool selfCrossing = false;
    int index = 0;

private:
    // Whether the crossing's edge is curve 1 of its intersection, decided afresh each time.
    bool isOnCurve1() const;

    std::shared_ptr<BezierIntersection> m_intersection;
    std::weak_ptr<EdgeCrossing> m_counterpart;
};

// Makes the pair of crossings over one intersection, adds them to the two edges (keeping both lists sorted)
// and links them as counterparts.
void addCrossingPair(const std::shared_ptr<BezierIntersection>& intersection, BezierCurve& edge1,
                     BezierCurve& edge2, bool selfCrossing, bool fromCrossingOverlap);

} // namespace pelorama::geometry
