#include "graphics/CoverageRasterizer.h"

#include "graphics/GraphicsContext.h"

#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace graphics {

namespace {

// Signed coverage added by edges, a row of width + 2 cells per pixel row: the running sum along a row
// is the winding number, weighted by how much of each pixel lies beyond the edges. The two spare cells
// take the part of edges at the right border. The layer is worked through in strips of rows, so the
// cells stay few and in the cache however large the layer.
class Accumulator
{
public:
    Accumulator(int width, int height)
        : m_width(width)
        , m_height(height)
        , m_stride(width + 2)
        , m_cells(size_t(m_stride) * size_t(stripRows))
        , m_touched(size_t(stripRows))
    {}

    // Keeps the edge in pieces split where it crosses the layer's left and right sides: what lies left
    // of the layer counts in its first column, what lies right of it nowhere.
    void addEdge(QPointF from, QPointF to)
    {
        if (!std::isfinite(from.x()) || !std::isfinite(from.y()) || !std::isfinite(to.x()) ||
            !std::isfinite(to.y()))
            return;
        const double right = double(m_width);
        double crossings[2];
        int count = 0;
        for (const double side : {0.0, right}) {
            if ((from.x() < side) != (to.x() < side)) {
                const double t = (side - from.x()) / (to.x() - from.x());
                if (t > 0 && t < 1)
                    crossings[count++] = t;
            }
        }
        if (count == 2 && crossings[0] > crossings[1])
            std::swap(crossings[0], crossings[1]);
        QPointF start = from;
        for (int crossing = 0; crossing <= count; ++crossing) {
            const QPointF end = crossing < count ? from + (to - from) * crossings[crossing] : to;
            keep({std::clamp(start.x(), 0.0, right), start.y()}, {std::clamp(end.x(), 0.0, right), end.y()});
            start = end;
        }
    }

    // Writes colour (premultiplied bytes in pixel order) times each pixel's coverage under rule into
    // every pixel of rows of 4-byte pixels.
    void resolve(WindingRule rule, const std::array<int, 4>& colour, uchar* rows, qsizetype bytesPerRow)
    {
        // The pixel of every level of coverage, in the bytes' order.
        std::array<quint32, 256> pixels{};
        for (int coverage = 0; coverage < 256; ++coverage) {
            uchar bytes[4];
            for (int channel = 0; channel < 4; ++channel)
                bytes[channel] = uchar((colour[channel] * coverage + 127) / 255);
            std::memcpy(&pixels[size_t(coverage)], bytes, 4);
        }
        const bool evenOdd = rule == WindingRule::evenOdd;
        const auto coverageOf = [evenOdd](float winding) {
            float covered = std::abs(winding);
            if (evenOdd) {
                covered = std::fmod(covered, 2.0F);
                covered = covered > 1 ? 2 - covered : covered;
            }
            // Coverage is never negative, so adding a half rounds to nearest.
            return size_t(std::min(covered, 1.0F) * 255 + 0.5F); // NOLINT(bugprone-incorrect-roundings)
        };
        // Edges by their top row, taken into the strips they reach and dropped after their last.
        std::sort(m_edges.begin(), m_edges.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });
        std::vector<const Edge*> active;
        size_t nextEdge = 0;
        for (int stripTop = 0; stripTop < m_height; stripTop += stripRows) {
            const int stripBottom = std::min(stripTop + stripRows, m_height);
            std::erase_if(active, [stripTop](const Edge* edge) { return edge->bottom <= stripTop; });
            for (; nextEdge < m_edges.size() && m_edges[nextEdge].top < stripBottom; ++nextEdge)
                active.push_back(&m_edges[nextEdge]);
            for (const Edge* edge : active)
                addRows(*edge, stripTop, stripBottom);
            for (int row = stripTop; row < stripBottom; ++row) {
                Touched& touched = m_touched[size_t(row - stripTop)];
                if (touched.last < touched.first)
                    continue;
                float* cells = m_cells.data() + size_t(row - stripTop) * size_t(m_stride);
                auto* pixel = reinterpret_cast<quint32*>(rows + row * bytesPerRow);
                // Left of the first touched cell nothing is covered, and the layer is transparent.
                float winding = 0;
                const int end = std::min(touched.last + 1, m_width);
                for (int column = touched.first; column < end; ++column) {
                    winding += cells[column];
                    pixel[column] = pixels[coverageOf(winding)];
                }
                // Right of the last the winding stays as it is; closed outlines bring it back to zero.
                const quint32 rest = pixels[coverageOf(winding)];
                if (rest != 0)
                    std::fill(pixel + end, pixel + m_width, rest);
                std::fill(cells + touched.first, cells + touched.last + 1, 0.0F);
                touched = {};
            }
        }
    }

private:
    static constexpr int stripRows = 32;

    // The cells of a row of the strip that edges reached.
    struct Touched
    {
        int first = std::numeric_limits<int>::max();
        int last = -1;
    };

    // An edge running down from top to bottom (in rows, within the layer), x at top, with its direction.
    struct Edge
    {
        double top;
        double bottom;
        double x;
        double dxdy;
        float direction;
    };

    void keep(QPointF from, QPointF to)
    {
        if (from.y() == to.y())
            return;
        float direction = 1;
        if (from.y() > to.y()) {
            std::swap(from, to);
            direction = -1;
        }
        const double top = std::max(from.y(), 0.0);
        const double bottom = std::min(to.y(), double(m_height));
        if (top >= bottom)
            return;
        const double dxdy = (to.x() - from.x()) / (to.y() - from.y());
        m_edges.push_back({top, bottom, from.x() + (top - from.y()) * dxdy, dxdy, direction});
    }

    // The rows of edge within the strip from stripTop to stripBottom: a part row at either end, whole rows
    // between them.
    void addRows(const Edge& edge, int stripTop, int stripBottom)
    {
        const double top = std::max(edge.top, double(stripTop));
        const double bottom = std::min(edge.bottom, double(stripBottom));
        double x = edge.x + (top - edge.top) * edge.dxdy;
        int row = int(top);
        if (double(row) != top || bottom < row + 1) {
            const double rowBottom = std::min(double(row + 1), bottom);
            const double next = x + edge.dxdy * (rowBottom - top);
            addSpan(row - stripTop, float(x), float(next), float(rowBottom - top) * edge.direction);
            x = next;
            ++row;
        }
        const int wholeRowsEnd = int(bottom);
        float left = float(x);
        const float step = float(edge.dxdy);
        for (; row < wholeRowsEnd; ++row) {
            const float right = left + step;
            addSpan(row - stripTop, left, right, edge.direction);
            left = right;
        }
        if (row < bottom && double(row) >= top) {
            const double rest = bottom - row;
            addSpan(row - stripTop, left, left + step * float(rest), float(rest) * edge.direction);
        }
    }

    // The part of an edge inside one pixel row of the strip, from x at its top to next at its bottom,
    // covering height (signed by the edge's direction) of the row.
    void addSpan(int row, float x, float next, float height)
    {
        // Inside the layer already; clamped against rounding at its sides.
        const float right = float(m_width);
        const float x0 = std::clamp(std::min(x, next), 0.0F, right);
        const float x1 = std::clamp(std::max(x, next), 0.0F, right);
        float* cells = m_cells.data() + size_t(row) * size_t(m_stride);
        const int first = int(x0);
        const int last = int(std::ceil(x1));
        Touched& touched = m_touched[size_t(row)];
        touched.first = std::min(touched.first, first);
        touched.last = std::max(touched.last, std::max(first + 1, last));
        if (last <= first + 1) {
            // Within one pixel: the part of it right of the edge's middle.
            const float middle = 0.5F * (x0 + x1) - float(first);
            cells[first] += height * (1 - middle);
            cells[first + 1] += height * middle;
            return;
        }
        // Across pixels: the area right of the edge grows as a triangle, then linearly.
        const float inverseWidth = 1 / (x1 - x0);
        const float firstFraction = x0 - float(first);
        const float firstArea = 0.5F * inverseWidth * (1 - firstFraction) * (1 - firstFraction);
        const float lastFraction = x1 - float(last) + 1;
        const float lastArea = 0.5F * inverseWidth * lastFraction * lastFraction;
        cells[first] += height * firstArea;
        if (last == first + 2) {
            cells[first + 1] += height * (1 - firstArea - lastArea);
        } else {
            const float secondArea = inverseWidth * (1.5F - firstFraction);
            cells[first + 1] += height * (secondArea - firstArea);
            for (int column = first + 2; column < last - 1; ++column)
                cells[column] += height * inverseWidth;
            const float beforeLast = secondArea + float(last - first - 3) * inverseWidth;
            cells[last - 1] += height * (1 - beforeLast - lastArea);
        }
        cells[last] += height * lastArea;
    }

    int m_width;
    int m_height;
    int m_stride;
    std::vector<float> m_cells;
    std::vector<Touched> m_touched;
    std::vector<Edge> m_edges;
};

} // namespace

QImage CoverageRasterizer::fill(const QPainterPath& shape, WindingRule rule, const QTransform& transform,
                                const QRect& area, const Color& colour)
{
    QImage layer = GraphicsContext::makeBitmap(area.width(), area.height());
    if (layer.isNull())
        return layer;
    Accumulator accumulator(area.width(), area.height());
    // Curves are flattened at eight times the scale, to within a sixteenth of a pixel as the painter does.
    constexpr double fine = 8;
    const QTransform toLayer =
        transform * QTransform::fromTranslate(-area.x(), -area.y()) * QTransform::fromScale(fine, fine);
    for (const QPolygonF& polygon : shape.toSubpathPolygons(toLayer)) {
        if (polygon.size() < 2)
            continue;
        // Every subpath is filled closed.
        for (qsizetype point = 0; point < polygon.size(); ++point)
            accumulator.addEdge(polygon[point] / fine, polygon[(point + 1) % polygon.size()] / fine);
    }
    // The layer's pixels are premultiplied RGBA bytes.
    const QRgb premultiplied = qPremultiply(colour.toQColor().rgba());
    accumulator.resolve(
        rule, {qRed(premultiplied), qGreen(premultiplied), qBlue(premultiplied), qAlpha(premultiplied)},
        layer.bits(), layer.bytesPerLine());
    return layer;
}

} // namespace graphics
