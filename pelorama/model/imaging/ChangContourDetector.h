#pragma once

#include "graphics/BitmapImageRep.h"
#include "graphics/Path.h"

#include <QtGlobal>
#include <cstdint>
#include <vector>

namespace pelorama::model {

// Finds the outer contour of every opaque region of a bitmap and the inner contour of every hole in one
// scan, labelling regions as it goes (linear-time component labelling by contour tracing), and hands each
// contour to TehChinSmoother to become a polygon.
//
// A pixel is opaque when its pixel, read as the little-endian 32-bit word of its RGBA bytes, is above
// 0x7F000000: alpha from 128 up, or 127 with some colour. The grid is the bitmap's pixels, rows read with
// its stride, so padding at the end of a row is never seen.
//
// Only whether a region has a label matters for the contours, never which label it is, so the detector
// keeps one bit per pixel: set for an opaque pixel that has a label, and for a transparent pixel that a
// tracer has looked at. Opacity is read from the bitmap itself. Both keep the memory a trace touches small:
// a picture is traced once, into fresh memory.
//
// Direction codes, in bitmap coordinates (column right, row down), go clockwise on screen:
// 0 right, 1 down-right, 2 down, 3 down-left, 4 left, 5 up-left, 6 up, 7 up-right. Outer contours run
// clockwise on screen, inner ones counter-clockwise.
class ChangContourDetector
{
public:
    // One traced contour: its first pixel (column, row from the top) and the moves around it. The move out
    // of the first pixel comes first and again last, so m moves make m + 1 codes; a lone pixel has none.
    struct Contour
    {
        qint64 x = 0;
        qint64 y = 0;
        std::vector<std::uint8_t> directions;
    };

    // Traces bitmap, which must have 32 bits per pixel; the detector shares its pixels.
    explicit ChangContourDetector(const graphics::BitmapImageRep& bitmap);
    // The same for a bitmap in memory: width x height pixels of 4 bytes, rows bytesPerRow apart. The memory
    // must stay until traceContours() has returned.
    ChangContourDetector(const uchar* pixels, qint64 width, qint64 height, qint64 bytesPerRow);

    // Scans and traces (once; later calls answer the same), then answers every contour's polygon in the
    // order found, in pixel space with y up: the pixel in column c and row r stands for the point
    // (c, height - r).
    graphics::Path traceContours();
    // The contour records, in the order found; empty before traceContours().
    const std::vector<Contour>& contours() const { return m_contours; }

    // The polygons of bitmap's opaque regions and holes, in pixel space with y up.
    static graphics::Path detectContours(const graphics::BitmapImageRep& bitmap);

private:
    bool isInside(qint64 column, qint64 row) const;
    bool isVisited(qint64 index) const { return (m_visited[size_t(index >> 6)] >> (index & 63)) & 1; }
    void visit(qint64 index) { m_visited[size_t(index >> 6)] |= quint64(1) << (index & 63); }

    void scan();
    // Walks the contour through (column, row); labelled tells whether the region it bounds has a label,
    // which the walk gives to each of its pixels.
    Contour trace(qint64 column, qint64 row, bool labelled, int firstSearch);
    // The first inside neighbour of (column, row) searching clockwise from code first; background
    // neighbours passed over are marked. False for a pixel without inside neighbours.
    bool search(qint64& column, qint64& row, int& code, int first);

    QImage m_bitmap; // keeps shared pixels alive
    const uchar* m_pixels = nullptr;
    qint64 m_width = 0;
    qint64 m_height = 0;
    qint64 m_bytesPerRow = 0;
    // One bit per pixel, rows packed: a labelled inside pixel, or a background pixel a tracer has marked.
    std::vector<quint64> m_visited;
    std::vector<Contour> m_contours;
    bool m_traced = false;
};

} // namespace pelorama::model
