#include "model/ChangContourDetector.h"

#include "foundation/Fatal.h"
#include "model/TehChinSmoother.h"

#include <QtEndian>

namespace pelorama::model {

namespace {

constexpr qint32 insideBit = 1;
constexpr qint32 markedBackground = -2;
constexpr quint32 opaqueThreshold = 0x7F000000u;

constexpr qint64 columnStep[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr qint64 rowStep[8] = {0, 1, 1, 1, 0, -1, -1, -1};

} // namespace

ChangContourDetector::ChangContourDetector(const graphics::BitmapImageRep& bitmap)
{
    if (bitmap.bitsPerPixel() != 32)
        foundation::fatal(QStringLiteral("Contours are traced on 32-bit bitmaps only"));
    m_width = bitmap.pixelsWide();
    m_height = bitmap.pixelsHigh();
    loadMask(bitmap.bitmap().constBits(), bitmap.bytesPerRow());
}

ChangContourDetector::ChangContourDetector(const uchar* pixels, qint64 width, qint64 height,
                                           qint64 bytesPerRow)
    : m_width(width > 0 && height > 0 ? width : 0)
    , m_height(width > 0 && height > 0 ? height : 0)
{
    if (m_width > 0 && bytesPerRow < 4 * m_width)
        foundation::fatal(QStringLiteral("A bitmap row is shorter than its pixels"));
    loadMask(pixels, bytesPerRow);
}

void ChangContourDetector::loadMask(const uchar* pixels, qint64 bytesPerRow)
{
    m_mask.resize(static_cast<size_t>(m_width * m_height));
    qint32* cell = m_mask.data();
    for (qint64 row = 0; row < m_height; ++row) {
        const uchar* pixel = pixels + row * bytesPerRow;
        for (qint64 column = 0; column < m_width; ++column, pixel += 4)
            *cell++ = qFromLittleEndian<quint32>(pixel) > opaqueThreshold ? insideBit : 0;
    }
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

void ChangContourDetector::scan()
{
    qint32 nextLabel = 1;
    qint32* mask = m_mask.data();
    for (qint64 row = 0; row < m_height; ++row) {
        for (qint64 column = 0; column < m_width; ++column) {
            const qint64 i = row * m_width + column;
            if (!(mask[i] & insideBit))
                continue;
            qint32 label = mask[i] >> 1;
            if (label == 0 && (row == 0 || !(mask[i - m_width] & insideBit))) {
                mask[i] |= nextLabel << 1;
                m_contours.push_back(trace(column, row, nextLabel, 0));
                label = nextLabel++;
            }
            // A background pixel below that no tracer has passed lies in a hole not traced yet.
            if (row < m_height - 1 && mask[i + m_width] == 0) {
                if (label == 0 && column > 0) {
                    mask[i] |= mask[i - 1] & ~insideBit;
                    label = mask[i - 1] >> 1;
                }
                m_contours.push_back(trace(column, row, label, 3));
            }
            // An inside pixel that starts no contour continues the region on its left.
            if (label == 0 && column > 0)
                mask[i] |= mask[i - 1] & ~insideBit;
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
        qint32& cell = m_mask[static_cast<size_t>(r * m_width + c)];
        if (cell & insideBit) {
            column = c;
            row = r;
            code = direction;
            return true;
        }
        cell = markedBackground;
    }
    return false;
}

ChangContourDetector::Contour ChangContourDetector::trace(qint64 column, qint64 row, qint32 label,
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
        m_mask[static_cast<size_t>(pr * m_width + pc)] |= label << 1;
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
