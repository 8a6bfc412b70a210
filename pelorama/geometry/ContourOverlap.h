#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace pelorama::geometry {

class BezierCurve;
class BezierIntersectRange;
class EdgeCrossing;
class EdgeOverlapRun;

// The runs of edge overlaps along which two contours coincide; kept in both contours' overlap lists. The
// two contours are those of the overlaps' edges.
class ContourOverlap
{
public:
    const std::vector<std::shared_ptr<EdgeOverlapRun>>& runs() const { return m_runs; }

    void addOverlap(std::shared_ptr<BezierIntersectRange> range, BezierCurve* edge1, BezierCurve* edge2);
    bool containsCrossing(const EdgeCrossing& crossing) const;

private:
    void joinRuns(std::size_t grown);

    std::vector<std::shared_ptr<EdgeOverlapRun>> m_runs;
};

} // namespace pelorama::geometry
