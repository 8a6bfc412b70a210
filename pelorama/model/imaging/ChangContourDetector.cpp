#include "model/imaging/ChangContourDetector.h"

#include "foundation/Fatal.h"
#include "model/imaging/TehChinSmoother.h"

#include <QtEndian>

namespace pelorama::model {

namespace {

constexpr quint32 opaqueThreshold = 0x7F000000u;

constexpr qint64 columnStep[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr qint64 rowStep[8] = {0, 1, 1, 1, 0, -1, -1, -1};

bool isOpaque(const uchar* pixel)
{
    return qFromLittleEndian<quint32>(pixel) > opaqueThreshold;
}

const graphics::BitmapImageRep& requireWords(const graphics::BitmapImageRep& bitmap)
{
    if (bitmap.bitsPerPixel() != 32)
        foundation::fatal(QStringLiteral("Contours are traced on 32-bit bitmaps only"));
    return bitmap;
}

} // namespace

ChangContourDetector::ChangContourDetector(const graphics::BitmapImageRep& bitmap)
    : ChangContourDetector(requireWords(bitmap).bitmap().constBits(), bitmap.pixelsWide(),
                           bitmap.pixelsHigh(), bitmap.bytesPerRow())
{
    m_bitmap = bitmap.bitmap();
}

ChangContourDetector::ChangContourDetector(const uchar* pixels, qint64 width, qint64 height,
                                           qint64 bytesPerRow)
    : m_pixels(pixels)
    , m_width(width > 0 && height > 0 && pixels ? width : 0)
    , m_height(width > 0 && height > 0 && pixels ? height : 0)
    , m_bytesPerRow(bytesPerRow)
{
    if (m_width > 0 && bytesPerRow < 4 * m_width)
        foundation::fatal(QStringLiteral("A bitmap row is shorter than its pixels"));
    m_visited.resize(static_cast<size_t>((m_width * m_height + 63) / 64));
}

graphics::Path ChangContourDetector::traceContours()
{
    if (!m_traced) {
        scan();
        m_traced = true;
    }
    graphics::Path path;
    for (const Contour& contour : m_contours)
        path.append(TehChinSmoother::polygonPath(contour.x, m_height - contour.y, contour.directions));
    return path;
}

graphics::Path ChangContourDetector::detectContours(const graphics::BitmapImageRep& bitmap)
{
    return ChangContourDetector(bitmap).traceContours();
}

bool ChangContourDetector::isInside(qint64 column, qint64 row) const
{
    return isOpaque(m_pixels + row * m_bytesPerRow + 4 * column);
}

void ChangContourDetector::scan()
{
    for (qint64 row = 0; row < m_height; ++row) {
        const uchar* line = m_pixels + row * m_bytesPerRow;
        const uchar* above = row > 0 ? line - m_bytesPerRow : nullptr;
        const uchar* below = row < m_height - 1 ? line + m_bytesPerRow : nullptr;
        // Whether the previous pixel of the row, when inside, ended up with a label (its own, or the
        // one it took from its left).
        bool previousLabelled = false;
        // The label a pixel takes from its left neighbour: an inside neighbour's, or, for a background
        // neighbour a tracer marked, the marker's (which counts as a label, as it always has).
        const auto leftLabelled = [&](qint64 column, qint64 i) {
            if (column == 0)
                return false;
            return isVisited(i - 1) || (isOpaque(line + 4 * (column - 1)) && previousLabelled);
        };
        for (qint64 column = 0; column < m_width; ++column) {
            if (!isOpaque(line + 4 * column)) {
                previousLabelled = false;
                continue;
            }
            const qint64 i = row * m_width + column;
            bool labelled = isVisited(i);
            // The first pixel of a region in scan order starts its outer contour.
            if (!labelled && (!above || !isOpaque(above + 4 * column))) {
                visit(i);
                m_contours.push_back(trace(column, row, true, 0));
                labelled = true;
            }
            // A background pixel below that no tracer has passed lies in a hole not traced yet.
            if (below && !isOpaque(below + 4 * column) && !isVisited(i + m_width)) {
                if (!labelled)
                    labelled = leftLabelled(column, i);
                m_contours.push_back(trace(column, row, labelled, 3));
            }
            // An inside pixel that starts no contour continues the region on its left.
            if (!labelled)
                labelled = leftLabelled(column, i);
            previousLabelled = labelled;
        }
    }
}

bool ChangContourDetector::search(qint64& column, qint64& row, int& code, int first)
{
    for (int k = 0; k < 8; ++k) {
        const int direction = (first + k) & 7;
        const qint64 c = column + columnStep[direction];
        const qint64 r = row + rowStep[direction];
        if (c < 0 || c >= m_width || r < 0 || r >= m_height)
            continue;
        if (isInside(c, r)) {
            column = c;
            row = r;
            code = direction;
            return true;
        }
        visit(r * m_width + c);
    }
    return false;
}

ChangContourDetector::Contour ChangContourDetector::trace(qint64 column, qint64 row, bool labelled,
                                                          int firstSearch)
{
    Contour contour{column, row, {}};
    qint64 tc = column;
    qint64 tr = row;
    int code = 0;
    if (!search(tc, tr, code, firstSearch))
        return contour;
    contour.directions.push_back(static_cast<std::uint8_t>(code));
    qint64 pc = tc;
    qint64 pr = tr;
    for (;;) {
        if (labelled)
            visit(pr * m_width + pc);
        qint64 qc = pc;
        qint64 qr = pr;
        // Two positions clockwise past the pixel we came from.
        search(qc, qr, code, (code + 6) & 7);
        contour.directions.push_back(static_cast<std::uint8_t>(code));
        if (pc == column && pr == row && qc == tc && qr == tr)
            break;
        pc = qc;
        pr = qr;
    }
    return contour;
}

} // namespace pelorama::model
