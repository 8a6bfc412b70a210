#include "geometry/ContourOverlap.h"

#include "geometry/BezierCurve.h"
#include "geometry/EdgeCrossing.h"
#include "geometry/EdgeOverlap.h"
#include "geometry/EdgeOverlapRun.h"

namespace pelorama::geometry {

void ContourOverlap::addOverlap(std::shared_ptr<BezierIntersectRange> range, BezierCurve* edge1,
                                BezierCurve* edge2)
{
    // Overlaps arrive edge by edge of the first contour, but along one edge in the order of the second
    // contour's edges, so the run an overlap extends need not be the first or the last.
    auto overlap = std::make_shared<EdgeOverlap>(std::move(range), edge1, edge2);
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
        if (m_runs[i]->insertOverlap(overlap)) {
            joinRuns(i);
            return;
        }
    }
    auto run = std::make_shared<EdgeOverlapRun>();
    run->insertOverlap(std::move(overlap));
    m_runs.push_back(std::move(run));
}

void ContourOverlap::joinRuns(std::size_t grown)
{
    // An overlap that closes the gap between two runs makes them one stretch; judged apart, each run would
    // be tested at an end that lies on the other contour's outline.
    for (std::size_t i = 0; i < m_runs.size(); ++i) {
        if (i == grown)
            continue;
        if (m_runs[grown]->absorb(*m_runs[i])) {
            m_runs.erase(m_runs.begin() + std::ptrdiff_t(i));
            return;
        }
        if (m_runs[i]->absorb(*m_runs[grown])) {
            m_runs.erase(m_runs.begin() + std::ptrdiff_t(grown));
            return;
        }
    }
}

bool ContourOverlap::containsCrossing(const EdgeCrossing& crossing) const
{
    for (const auto& run : m_runs) {
        if (crossing.edge == nullptr)
            continue;
        if (run->containsParameter(crossing.parameter(), *crossing.edge))
            return true;
    }
    return false;
}

} // namespace pelorama::geometry
