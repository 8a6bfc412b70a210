#pragma once

#include <memory>

namespace pelorama::geometry {

class BezierCurve;
class BezierIntersectRange;

// A stretch where an edge of one contour (edge1) lies on an edge of another (edge2).
class EdgeOverlap
{
public:
    EdgeOverlap(std::shared_ptr<BezierIntersectRange> range, BezierCurve* edge1, BezierCurve* edge2);

    BezierCurve* edge1() const { return m_edge1; }
    BezierCurve* edge2() const { return m_edge2; }
    BezierIntersectRange& range() const { return *m_range; }

    // The receiver ends where the other begins (along the first contour, across edge joints).
    bool continuesInto(const EdgeOverlap& other) const;
    // The receiver begins where the other ends.
    bool continuesFrom(const EdgeOverlap& other) const;
    bool containsParameter(double parameter, const BezierCurve& edge, bool startExtends,
                           bool stopExtends) const;
    // Puts a crossing pair, flagged as made from an overlap, in the middle of the stretch.
    void addMiddleCrossing();

private:
    BezierCurve* m_edge1;
    BezierCurve* m_edge2;
    std::shared_ptr<BezierIntersectRange> m_range;
};

} // namespace pelorama::geometry
