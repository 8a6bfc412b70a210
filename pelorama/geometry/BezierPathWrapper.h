#pragma once

#include "geometry/BezierGraphElement.h"
#include "graphics/Path.h"

#include <vector>

namespace pelorama::geometry {

// Reads the elements of a path for building a graph. The path must outlive the wrapper.
class BezierPathWrapper
{
public:
    explicit BezierPathWrapper(const graphics::Path& path)
        : m_bezierPath(path)
    {}

    // Appends one element per path element, in path order; each call appends the whole path again.
    void readElements();

    std::vector<BezierGraphElement> elements;

private:
    const graphics::Path& m_bezierPath;
};

} // namespace pelorama::geometry
