#include "graphics/ShadowRenderer.h"

#include "foundation/Fatal.h"
#include "foundation/ParallelFor.h"
#include "graphics/VectorClones.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace graphics {
namespace {

// The blur runs on an 8-bit plane of the drawn alpha. Each box pass is a running sum down columns, which
// vectorises across the columns; the horizontal passes run on bands of rows turned on their side.
// Bands and stripes of this many rows or columns keep a pass's working set in the core's cache.
constexpr int tileSize = 64;

// Below this many pixels a blur is cheaper than starting threads for it.
constexpr qsizetype parallelPixels = 256 * 1024;

// Averages use a fixed-point reciprocal of the window: a sum of at most 255 x window times it stays
// within 32 bits, which lets the compiler vectorise the loops.
constexpr int averageShift = 23;

quint32 reciprocalOf(int window)
{
    return quint32(((quint64(1) << averageShift) + quint64(window) / 2) / quint64(window));
}

inline quint8 average(quint32 sum, quint32 reciprocal)
{
    return quint8(
        std::min<quint32>((sum * reciprocal + (quint32(1) << (averageShift - 1))) >> averageShift, 255));
}

// One box pass of radius r down `count` (at most tileSize) columns of `lines` lines, from source into
// target (distinct buffers). Pixels beyond the first and last line count as transparent.
GRAPHICS_VECTOR_CLONES void boxBlurDown(const quint8* source, qsizetype sourceStride, quint8* target,
                                        int lines, int count, int r)
{
    const quint32 reciprocal = reciprocalOf(2 * r + 1);
    quint32 sums[tileSize] = {};
    for (int y = 0; y < std::min(r, lines); ++y) {
        const quint8* row = source + y * sourceStride;
        for (int x = 0; x < count; ++x) {
            sums[x] += row[x];
        }
    }
    for (int y = 0; y < lines; ++y) {
        if (y + r < lines) {
            const quint8* entering = source + (y + r) * sourceStride;
            for (int x = 0; x < count; ++x) {
                sums[x] += entering[x];
            }
        }
        quint8* row = target + qsizetype(y) * tileSize;
        for (int x = 0; x < count; ++x) {
            row[x] = average(sums[x], reciprocal);
        }
        if (y >= r) {
            const quint8* leaving = source + (y - r) * sourceStride;
            for (int x = 0; x < count; ++x) {
                sums[x] -= leaving[x];
            }
        }
    }
}

// Transposes the 8 x 8 bytes at source into target, eight bytes of a row at a time: the three steps
// transpose the 2 x 2, then the 4 x 4, then the 8 x 8 blocks. Byte i of a row word is column i.
void transpose8x8(const quint8* source, qsizetype sourceStride, quint8* target, qsizetype targetStride)
{
    quint64 rows[8];
    for (int r = 0; r < 8; ++r) {
        std::memcpy(&rows[r], source + r * sourceStride, 8);
    }
    constexpr struct
    {
        int shift;
        quint64 mask;
    } steps[3] = {{8, 0x00FF00FF00FF00FFull}, {16, 0x0000FFFF0000FFFFull}, {32, 0x00000000FFFFFFFFull}};
    for (const auto& step : steps) {
        const int distance = step.shift / 8;
        for (int r = 0; r < 8; ++r) {
            if ((r & distance) == 0) {
                const quint64 t = ((rows[r] >> step.shift) ^ rows[r + distance]) & step.mask;
                rows[r + distance] ^= t;
                rows[r] ^= t << step.shift;
            }
        }
    }
    for (int r = 0; r < 8; ++r) {
        std::memcpy(target + r * targetStride, &rows[r], 8);
    }
}

// target[c][r] = source[r][c] for a block of rows x columns bytes.
void transpose(const quint8* source, qsizetype sourceStride, quint8* target, qsizetype targetStride, int rows,
               int columns)
{
    int r = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; r + 8 <= rows; r += 8) {
            int c = 0;
            for (; c + 8 <= columns; c += 8) {
                transpose8x8(source + r * sourceStride + c, sourceStride, target + c * targetStride + r,
                             targetStride);
            }
            for (; c < columns; ++c) {
                for (int i = 0; i < 8; ++i) {
                    target[c * targetStride + r + i] = source[(r + i) * sourceStride + c];
                }
            }
        }
    }
    for (; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            target[c * targetStride + r] = source[r * sourceStride + c];
        }
    }
}

// The buffers one thread blurs a tile in: each holds `lines` lines of tileSize bytes.
struct TileBuffers
{
    explicit TileBuffers(int lines)
        : first(std::make_unique_for_overwrite<quint8[]>(std::size_t(lines) * tileSize))
        , second(std::make_unique_for_overwrite<quint8[]>(std::size_t(lines) * tileSize))
        , result(std::make_unique_for_overwrite<quint8[]>(std::size_t(lines) * tileSize))
    {}
    std::unique_ptr<quint8[]> first;
    std::unique_ptr<quint8[]> second;
    std::unique_ptr<quint8[]> result;
};

// Blurs a tile of `count` columns down its lines with every box in turn; the blurred tile lands in
// buffers.result, tileSize bytes per line.
void blurTile(const quint8* source, qsizetype sourceStride, int lines, int count,
              const std::vector<int>& radii, TileBuffers& buffers)
{
    if (radii.empty()) {
        for (int y = 0; y < lines; ++y) {
            std::memcpy(buffers.result.get() + qsizetype(y) * tileSize, source + y * sourceStride,
                        std::size_t(count));
        }
        return;
    }
    quint8* scratch[2] = {buffers.first.get(), buffers.second.get()};
    for (std::size_t pass = 0; pass < radii.size(); ++pass) {
        quint8* target = pass + 1 == radii.size() ? buffers.result.get() : scratch[pass % 2];
        boxBlurDown(source, sourceStride, target, lines, count, radii[pass]);
        source = target;
        sourceStride = tileSize;
    }
}

// Where a 32-bit pixel keeps its alpha byte. Premultiplied formats of other sizes are converted first.
int alphaOffset(QImage::Format format)
{
    switch (format) {
    case QImage::Format_RGBA8888_Premultiplied:
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBX8888:
        return 3;
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_ARGB32:
    case QImage::Format_RGB32:
        // A native-endian 0xAARRGGBB word.
        return Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 3 : 0;
    default:
        return -1;
    }
}

// The smallest rectangle holding every pixel of layer whose alpha is not zero.
QRect drawnBounds(const QImage& layer, int offset, int threads)
{
    const int bands = (layer.height() + tileSize - 1) / tileSize;
    std::vector<QRect> found(static_cast<std::size_t>(bands));
    foundation::parallelFor(
        bands,
        [&](int band) {
            QRect bounds;
            const int end = std::min(layer.height(), (band + 1) * tileSize);
            for (int y = band * tileSize; y < end; ++y) {
                const uchar* alpha = layer.constScanLine(y) + offset;
                int left = 0;
                while (left < layer.width() && alpha[4 * left] == 0) {
                    ++left;
                }
                if (left == layer.width()) {
                    continue;
                }
                int right = layer.width() - 1;
                while (alpha[4 * right] == 0) {
                    --right;
                }
                bounds |= QRect(left, y, right - left + 1, 1);
            }
            found[std::size_t(band)] = bounds;
        },
        threads);
    QRect bounds;
    for (const QRect& band : found) {
        bounds |= band;
    }
    return bounds;
}

// The alpha of a premultiplied RGBA pixel read as one word.
inline quint32 alphaOf(quint32 pixel)
{
    return std::endian::native == std::endian::little ? pixel >> 24 : pixel & 0xff;
}

// Each byte of x times a / 255, rounded as QPainter's raster engine rounds it, so blending here gives
// the very pixels QPainter gives.
inline quint32 byteMultiply(quint32 x, quint32 a)
{
    quint64 t = ((quint64(x) | (quint64(x) << 24)) & 0x00ff00ff00ff00ffull) * a;
    t = (t + ((t >> 8) & 0x00ff00ff00ff00ffull) + 0x0080008000800080ull) >> 8;
    t &= 0x00ff00ff00ff00ffull;
    return quint32(t) | quint32(t >> 24);
}

// source over destination, both premultiplied.
inline quint32 sourceOver(quint32 source, quint32 destination)
{
    const quint32 alpha = alphaOf(source);
    if (alpha == 255) {
        return source;
    }
    return source == 0 ? destination : source + byteMultiply(destination, 255 - alpha);
}

// Blends count pixels of source over target. Clear pixels are common in both layers and shadows; leaving
// their targets unwritten spares the memory traffic.
GRAPHICS_VECTOR_CLONES void blend(quint32* target, const quint32* source, int count)
{
    for (int x = 0; x < count; ++x) {
        if (source[x] != 0) {
            target[x] = sourceOver(source[x], target[x]);
        }
    }
}

// Blends the tinted alpha over row from column begin to end (alpha[0] is column begin's), except where
// the layer's pixels (from column layerBegin to layerEnd, none if null) are opaque: the layer covers
// those wholly once it is drawn over the shadow.
GRAPHICS_VECTOR_CLONES void blendShadow(quint32* row, int begin, int end, const quint8* alpha,
                                        const std::array<quint32, 256>& tinted, const quint32* layer,
                                        int layerBegin, int layerEnd)
{
    const auto blendRange = [&](int from, int to) {
        for (int x = from; x < to; ++x) {
            const quint32 shadow = tinted[alpha[x - begin]];
            if (shadow != 0) {
                row[x] = sourceOver(shadow, row[x]);
            }
        }
    };
    if (!layer || layerEnd <= begin || layerBegin >= end) {
        blendRange(begin, end);
        return;
    }
    const int coveredBegin = std::max(begin, layerBegin);
    const int coveredEnd = std::min(end, layerEnd);
    blendRange(begin, coveredBegin);
    for (int x = coveredBegin; x < coveredEnd; ++x) {
        const quint32 shadow = tinted[alpha[x - begin]];
        if (shadow != 0 && alphaOf(layer[x - layerBegin]) != 255) {
            row[x] = sourceOver(shadow, row[x]);
        }
    }
    blendRange(coveredEnd, end);
}

// Premultiplied pixels in RGBA byte order, one per alpha level.
std::array<quint32, 256> tintTable(const Color& color)
{
    const QColor tint = color.toQColor();
    std::array<quint32, 256> tinted{};
    for (int a = 0; a < 256; ++a) {
        const double alpha = tint.alphaF() * a / 255.0;
        const quint8 bytes[4] = {quint8(qRound(tint.redF() * alpha * 255)),
                                 quint8(qRound(tint.greenF() * alpha * 255)),
                                 quint8(qRound(tint.blueF() * alpha * 255)), quint8(qRound(alpha * 255))};
        std::memcpy(&tinted[std::size_t(a)], bytes, sizeof bytes);
    }
    return tinted;
}

// Writes the tinted alpha of mask.area to target, stride bytes per row.
void tint(const ShadowRenderer::Mask& mask, const Color& color, uchar* target, qsizetype stride)
{
    const std::array<quint32, 256> tinted = tintTable(color);
    const int width = mask.area.width();
    const int height = mask.area.height();
    const int threads = qsizetype(width) * height >= parallelPixels ? foundation::availableThreads() : 1;
    foundation::parallelFor((height + tileSize - 1) / tileSize,
                            [&](int band) {
                                const int end = std::min(height, (band + 1) * tileSize);
                                for (int y = band * tileSize; y < end; ++y) {
                                    quint32* const row = reinterpret_cast<quint32*>(target + y * stride);
                                    const quint8* const source = mask.alpha.get() + qsizetype(y) * width;
                                    for (int x = 0; x < width; ++x) {
                                        row[x] = tinted[source[x]];
                                    }
                                }
                            },
                            threads);
}

// Clears the pixels of image outside area.
void clearOutside(QImage& image, const QRect& area)
{
    const qsizetype pixel = sizeof(quint32);
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        if (y < area.top() || y > area.bottom()) {
            std::memset(row, 0, std::size_t(image.width() * pixel));
            continue;
        }
        std::memset(row, 0, std::size_t(area.left() * pixel));
        std::memset(row + (area.right() + 1) * pixel, 0,
                    std::size_t((image.width() - area.right() - 1) * pixel));
    }
}

} // namespace

double ShadowRenderer::boundedRadius(double blurRadius)
{
    return blurRadius > 0 ? std::min(blurRadius, largestRadius) : 0;
}

std::array<int, 3> ShadowRenderer::boxWidths(double blurRadius)
{
    const double sigma = boundedRadius(blurRadius) / 2;
    if (sigma < 0.5) {
        return {1, 1, 1};
    }
    constexpr int passes = 3;
    const double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0) {
        --lower;
    }
    const int upper = lower + 2;
    const double width = lower;
    const double lowerCount =
        (12 * sigma * sigma - passes * width * width - 4.0 * passes * width - 3.0 * passes) /
        (-4.0 * width - 4.0);
    const int m = int(std::lround(lowerCount));
    std::array<int, 3> widths{};
    for (int i = 0; i < passes; ++i) {
        widths[std::size_t(i)] = i < m ? lower : upper;
    }
    return widths;
}

int ShadowRenderer::extent(double blurRadius)
{
    int total = 0;
    for (int width : boxWidths(blurRadius)) {
        total += (width - 1) / 2;
    }
    return total;
}

ShadowRenderer::Mask ShadowRenderer::blur(const QImage& layer, double blurRadius)
{
    if (alphaOffset(layer.format()) < 0) {
        return blur(layer.convertToFormat(QImage::Format_ARGB32_Premultiplied), blurRadius);
    }
    const int pad = extent(blurRadius);
    Mask mask;
    const int offset = alphaOffset(layer.format());
    const qsizetype pixels = qsizetype(layer.width() + 2 * pad) * (layer.height() + 2 * pad);
    const int threads = pixels >= parallelPixels ? foundation::availableThreads() : 1;
    const QRect drawn = drawnBounds(layer, offset, threads);
    if (drawn.isEmpty()) {
        return mask;
    }
    // The blur spreads the drawn pixels by pad at most: outside that margin the shadow stays clear, and
    // within it, blurring only this area gives exactly what blurring the whole image would.
    const QRect area = drawn.translated(pad, pad).adjusted(-pad, -pad, pad, pad);
    std::vector<int> radii;
    for (int width : boxWidths(blurRadius)) {
        if (width > 1) {
            radii.push_back((width - 1) / 2);
        }
    }
    const int areaWidth = area.width();
    const int areaHeight = area.height();
    // The blurred alpha of the area, row by row; the horizontal passes write every byte of it.
    auto plane = std::make_unique_for_overwrite<quint8[]>(std::size_t(areaWidth) * std::size_t(areaHeight));

    // Horizontal passes: each band of rows is read from the layer on its side (one line per column),
    // blurred down its lines and written back upright into the plane.
    const int bands = (areaHeight + tileSize - 1) / tileSize;
    foundation::parallelFor(
        bands,
        [&](int band) {
            const int top = band * tileSize;
            const int rows = std::min(tileSize, areaHeight - top);
            const int width = areaWidth;
            const int drawnWidth = drawn.width();
            // The band's alpha upright, then on its side.
            std::vector<quint8> upright(std::size_t(width) * tileSize, 0);
            for (int row = 0; row < rows; ++row) {
                // Plane row r shows layer row area.top() + r - pad; the drawn pixels start pad columns in.
                const int y = area.top() + top + row - pad;
                if (y >= drawn.top() && y <= drawn.bottom()) {
                    const uchar* alpha = layer.constScanLine(y) + offset + 4 * drawn.left();
                    quint8* line = upright.data() + qsizetype(row) * width + pad;
                    for (int x = 0; x < drawnWidth; ++x) {
                        line[x] = alpha[4 * x];
                    }
                }
            }
            auto sideways = std::make_unique_for_overwrite<quint8[]>(std::size_t(width) * tileSize);
            transpose(upright.data(), width, sideways.get(), tileSize, rows, width);
            TileBuffers buffers(width);
            blurTile(sideways.get(), tileSize, width, rows, radii, buffers);
            transpose(buffers.result.get(), tileSize, plane.get() + qsizetype(top) * width, width, width,
                      rows);
        },
        threads);

    // Vertical passes, stripe by stripe; a stripe reads and writes only its own columns of the plane.
    const int stripes = (areaWidth + tileSize - 1) / tileSize;
    foundation::parallelFor(
        stripes,
        [&](int stripe) {
            const int left = stripe * tileSize;
            const int columns = std::min(tileSize, areaWidth - left);
            TileBuffers buffers(areaHeight);
            blurTile(plane.get() + left, areaWidth, areaHeight, columns, radii, buffers);
            for (int y = 0; y < areaHeight; ++y) {
                std::memcpy(plane.get() + qsizetype(y) * areaWidth + left,
                            buffers.result.get() + qsizetype(y) * tileSize, std::size_t(columns));
            }
        },
        threads);

    mask.area = area;
    mask.alpha = std::move(plane);
    return mask;
}

QImage ShadowRenderer::render(const QImage& layer, double blurRadius, const Color& color)
{
    const int pad = extent(blurRadius);
    QImage shadow(layer.width() + 2 * pad, layer.height() + 2 * pad, QImage::Format_RGBA8888_Premultiplied);
    if (shadow.isNull()) {
        return shadow;
    }
    const Mask mask = blur(layer, blurRadius);
    if (mask.area.isEmpty()) {
        shadow.fill(Qt::transparent);
        return shadow;
    }
    clearOutside(shadow, mask.area);
    tint(mask, color, shadow.bits() + mask.area.top() * shadow.bytesPerLine() + mask.area.left() * 4,
         shadow.bytesPerLine());
    return shadow;
}

QImage ShadowRenderer::tinted(const Mask& mask, const Color& color)
{
    QImage image(mask.area.size(), QImage::Format_RGBA8888_Premultiplied);
    if (!image.isNull()) {
        tint(mask, color, image.bits(), image.bytesPerLine());
    }
    return image;
}

void ShadowRenderer::drawLayerWithShadow(QImage& target, const QImage& layer, QPoint layerOrigin,
                                         const Mask& mask, QPoint maskOrigin, const Color& color)
{
    if (target.format() != QImage::Format_RGBA8888_Premultiplied ||
        (!layer.isNull() && layer.format() != QImage::Format_RGBA8888_Premultiplied)) {
        foundation::fatal(QStringLiteral("ShadowRenderer draws premultiplied RGBA layers onto premultiplied "
                                         "RGBA bitmaps"));
    }
    const QRect bounds = target.rect();
    const QRect shadowRect = mask.area.translated(maskOrigin) & bounds;
    const QRect layerRect = QRect(layerOrigin, layer.size()) & bounds;
    const QRect rows = shadowRect | layerRect;
    if (rows.isEmpty()) {
        return;
    }
    const std::array<quint32, 256> tinted = tintTable(color);
    // Rows are found from the bits: scanLine() may not be called from several threads at once.
    uchar* const bits = target.bits();
    const qsizetype bytesPerLine = target.bytesPerLine();
    const int threads =
        qsizetype(rows.width()) * rows.height() >= parallelPixels ? foundation::availableThreads() : 1;
    const int bands = (rows.height() + tileSize - 1) / tileSize;
    foundation::parallelFor(
        bands,
        [&](int band) {
            const int top = rows.top() + band * tileSize;
            const int bottom = std::min(rows.bottom(), top + tileSize - 1);
            for (int y = top; y <= bottom; ++y) {
                quint32* const row = reinterpret_cast<quint32*>(bits + y * bytesPerLine);
                // The layer's pixels from target column layerRect.left() on, if it covers this row.
                const quint32* layerPixels = nullptr;
                if (y >= layerRect.top() && y <= layerRect.bottom()) {
                    layerPixels = reinterpret_cast<const quint32*>(layer.constScanLine(y - layerOrigin.y())) +
                                  (layerRect.left() - layerOrigin.x());
                }
                if (y >= shadowRect.top() && y <= shadowRect.bottom()) {
                    const quint8* const alpha =
                        mask.alpha.get() +
                        qsizetype(y - maskOrigin.y() - mask.area.top()) * mask.area.width() +
                        (shadowRect.left() - maskOrigin.x() - mask.area.left());
                    blendShadow(row, shadowRect.left(), shadowRect.right() + 1, alpha, tinted, layerPixels,
                                layerRect.left(), layerRect.right() + 1);
                }
                if (layerPixels) {
                    blend(row + layerRect.left(), layerPixels, layerRect.width());
                }
            }
        },
        threads);
}

} // namespace graphics
