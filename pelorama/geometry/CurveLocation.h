#pragma once

#include <memory>

namespace pelorama::geometry {

class BezierContour;
class BezierCurve;
class BezierGraph;

// A place on an edge of a graph: kept for completeness of the overlap records' vocabulary; nothing in the
// operations creates or reads one.
struct CurveLocation
{
    BezierGraph* graph = nullptr;
    BezierContour* contour = nullptr;
    BezierCurve* edge = nullptr;
    double parameter = 0;
    double distance = 0;
};

} // namespace pelorama::geometry
