#pragma once

#include "graphics/AffineTransform.h"
#include "graphics/PathElement.h"
#include "graphics/Rect.h"
#include "graphics/StrokeAttributes.h"
#include "graphics/WindingRule.h"

#include <QPainterPath>
#include <functional>
#include <optional>
#include <vector>

namespace graphics {

// A bezier path of subpaths made of moves, lines, quadratic and cubic curves and closes, with a winding
// rule and stroke attributes. Like the platform's paths, a segment added after a close first starts a new
// subpath with a move to the closed subpath's start point, so an element walk shows that move.
class Path
{
public:
    Path() = default;

    // Counter-clockwise in a y-up space, from the origin along the bottom edge: a move, three lines and a
    // close.
    static Path rect(const Rect& rect);
    // An ellipse inscribed in rect: a move to the middle of the right edge, four cubic curves
    // counter-clockwise and a close.
    static Path oval(const Rect& rect);
    // A rectangle whose corners are quarter ellipses of the given radii, clamped to half the width and
    // height; radii of zero give the plain rectangle.
    static Path roundedRect(const Rect& rect, double xRadius, double yRadius);

    void moveTo(Point point);
    // A segment needs a current point; without one the element is dropped with a warning.
    void lineTo(Point point);
    void quadCurveTo(Point end, Point control);
    void curveTo(Point end, Point control1, Point control2);
    // Closes the current subpath; the current point returns to the subpath's start.
    void closeSubpath();
    void append(const Path& other);
    // Makes room for elementCount elements in all, so a long path is built without reallocating.
    void reserve(int elementCount) { m_elements.reserve(static_cast<std::size_t>(elementCount)); }

    bool isEmpty() const { return m_elements.empty(); }
    int elementCount() const { return static_cast<int>(m_elements.size()); }
    const PathElement& element(int index) const;
    const std::vector<PathElement>& elements() const { return m_elements; }
    // Calls visit once per element, in order.
    void forEachElement(const std::function<void(const PathElement&)>& visit) const;
    std::optional<Point> currentPoint() const { return m_currentPoint; }

    WindingRule windingRule() const { return m_windingRule; }
    void setWindingRule(WindingRule rule) { m_windingRule = rule; }
    const StrokeAttributes& strokeAttributes() const { return m_stroke; }
    void setStrokeAttributes(const StrokeAttributes& attributes) { m_stroke = attributes; }
    double lineWidth() const { return m_stroke.lineWidth; }
    void setLineWidth(double width) { m_stroke.lineWidth = width; }

    void transform(const AffineTransform& transform);
    Path transformed(const AffineTransform& transform) const;

    // The tight bounds of the drawn outline (curve extremes, not control points); null when empty.
    Rect bounds() const;
    // The bounds of every point of the path, control points included; null when empty.
    Rect controlPointBounds() const;
    // Whether point lies inside the path under its winding rule.
    bool contains(Point point) const;

    QPainterPath toQPainterPath() const;

    friend bool operator==(const Path&, const Path&) = default;

private:
    // Adds the move a segment after a close needs; false when there is no current point.
    bool prepareSegment(const char* kind);

    std::vector<PathElement> m_elements;
    std::optional<Point> m_currentPoint;
    Point m_subpathStart;
    WindingRule m_windingRule = WindingRule::nonZero;
    StrokeAttributes m_stroke;
};

} // namespace graphics
