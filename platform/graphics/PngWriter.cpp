#include "graphics/PngWriter.h"

#include "foundation/ParallelFor.h"
#include "graphics/StripDeflater.h"
#include "graphics/VectorClones.h"

#include <QSaveFile>
#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <libdeflate.h>
#include <memory>
#include <new>
#include <optional>
#include <vector>
#include <zlib.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace graphics {
namespace {

// Each strip holds about this many bytes of filtered rows: enough strips to keep every core busy until
// the end. A strip is deflated with no reference to the one before, which at this size costs about a
// quarter of a percent.
constexpr qsizetype stripBytes = 256 * 1024;
// Deflate with a 32 KB window; the level hint says "default".
constexpr std::array<char, 2> zlibHeader = {'\x78', '\x9c'};
// Rows are cut into strips of whole rows; a single row longer than this is not worth supporting.
constexpr qsizetype maximumRowBytes = qsizetype(1) << 30;

constexpr std::array<char, 8> signature = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1a', '\n'};

enum class ColorType : quint8
{
    rgb = 2,
    rgba = 6,
};

// How the image keeps a pixel: four bytes R, G, B, A, or one native 0xAARRGGBB word.
enum class Layout
{
    rgbaPremultiplied,
    rgbaStraight,
    argbPremultiplied,
    argbStraight,
};

struct Source
{
    QImage image;
    Layout layout;
    int channels;

    qsizetype rowBytes() const { return qsizetype(image.width()) * channels; }
};

// table[a * 256 + c]: the straight value of the premultiplied value c at alpha a, to the nearest level, so
// premultiplying it again gives c back.
const std::array<quint8, 256 * 256>& unpremultiplyTable()
{
    static const auto table = [] {
        std::array<quint8, 256 * 256> values{};
        for (int a = 1; a < 256; ++a) {
            for (int c = 0; c < 256; ++c) {
                values[std::size_t(a * 256 + c)] = quint8(std::min(255, (c * 255 + a / 2) / a));
            }
        }
        return values;
    }();
    return table;
}

Layout layoutOf(QImage::Format format)
{
    switch (format) {
    case QImage::Format_RGBA8888_Premultiplied:
        return Layout::rgbaPremultiplied;
    case QImage::Format_ARGB32_Premultiplied:
        return Layout::argbPremultiplied;
    case QImage::Format_ARGB32:
    case QImage::Format_RGB32:
        return Layout::argbStraight;
    default:
        return Layout::rgbaStraight;
    }
}

// The image in one of the four layouts, converting any other format.
QImage readableImage(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGBA8888_Premultiplied:
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBX8888:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_ARGB32:
    case QImage::Format_RGB32:
        return image;
    default:
        return image.convertToFormat(QImage::Format_RGBA8888);
    }
}

bool isOpaque(const QImage& image, int threads)
{
    if (!image.hasAlphaChannel()) {
        return true;
    }
    // The alpha byte: last of R, G, B, A, and the high byte of a native ARGB word.
    const bool wordLayout =
        image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_ARGB32_Premultiplied;
    const int offset = wordLayout && Q_BYTE_ORDER == Q_BIG_ENDIAN ? 0 : 3;
    std::atomic<bool> opaque = true;
    constexpr int bandRows = 64;
    const int width = image.width();
    foundation::parallelFor((image.height() + bandRows - 1) / bandRows,
                            [&](int band) {
                                const int end = std::min(image.height(), (band + 1) * bandRows);
                                for (int y = band * bandRows;
                                     y < end && opaque.load(std::memory_order_relaxed); ++y) {
                                    const uchar* alpha = image.constScanLine(y) + offset;
                                    quint8 all = 255;
                                    for (int x = 0; x < width; ++x) {
                                        all &= alpha[4 * x];
                                    }
                                    if (all != 255) {
                                        opaque = false;
                                    }
                                }
                            },
                            threads);
    return opaque;
}

// Writes the R, G and B bytes of each pixel of an opaque row of R, G, B, A bytes: no colour needs
// un-premultiplying. A loop of its own so that it vectorises.
GRAPHICS_VECTOR_CLONES void readOpaqueRgbaRow(const uchar* __restrict line, int width, quint8* __restrict out)
{
    for (int x = 0; x < width; ++x) {
        out[3 * x] = line[4 * x];
        out[3 * x + 1] = line[4 * x + 1];
        out[3 * x + 2] = line[4 * x + 2];
    }
}

// Un-premultiplies pixels [from, to) of a row of R, G, B, A bytes into R, G, B, A samples.
inline void unpremultiplyRgba(const uchar* line, int from, int to, const quint8* unpremultiplied, quint8* out)
{
    for (int x = from; x < to; ++x) {
        const uchar* pixel = line + 4 * x;
        quint8* sample = out + qsizetype(x) * 4;
        const int a = pixel[3];
        const quint8* scale = unpremultiplied + a * 256;
        sample[0] = a == 255 ? pixel[0] : scale[pixel[0]];
        sample[1] = a == 255 ? pixel[1] : scale[pixel[1]];
        sample[2] = a == 255 ? pixel[2] : scale[pixel[2]];
        sample[3] = quint8(a);
    }
}

#if defined(__SSE2__)
// Whether four pixels of R, G, B, A bytes are their own straight samples: all opaque, or all of colour
// zero (clear, or a shade of black), which stays zero whatever its alpha.
inline bool ownSamples(__m128i pixels)
{
    const __m128i alphaBytes = _mm_set1_epi32(int(0xff000000U));
    return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(pixels, alphaBytes), alphaBytes)) == 0xffff ||
           _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_andnot_si128(alphaBytes, pixels), _mm_setzero_si128())) ==
               0xffff;
}
#endif

// The same for a whole row, as readRow() returns it. Most pixels of a screenshot with transparency are
// their own samples (see ownSamples): a row of only those is used as it is, and a row with others is
// copied up to the first of them and looked up from there on, four pixels at a time.
const quint8* readPremultipliedRgbaRow(const uchar* line, int width, quint8* out)
{
    int x = 0;
#if defined(__SSE2__)
    const auto pixelsAt = [&](int at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(line + 4 * at));
    };
    while (x + 4 <= width && ownSamples(pixelsAt(x))) {
        x += 4;
    }
#endif
    if (x == width) {
        return line;
    }
    std::memcpy(out, line, 4 * std::size_t(x));
    const quint8* unpremultiplied = unpremultiplyTable().data();
#if defined(__SSE2__)
    for (; x + 4 <= width; x += 4) {
        if (const __m128i pixels = pixelsAt(x); ownSamples(pixels)) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 4 * qsizetype(x)), pixels);
        } else {
            unpremultiplyRgba(line, x, x + 4, unpremultiplied, out);
        }
    }
#endif
    unpremultiplyRgba(line, x, width, unpremultiplied, out);
    return out;
}

// Row y of the source as PNG samples: R, G, B and, with four channels, straight alpha. They are written to
// out, which has room for a row of samples, unless the image's row holds them already.
const quint8* readRow(const Source& source, int y, quint8* out)
{
    const int width = source.image.width();
    const uchar* line = source.image.constScanLine(y);
    if (source.channels == 3 && source.layout != Layout::argbPremultiplied &&
        source.layout != Layout::argbStraight) {
        readOpaqueRgbaRow(line, width, out);
        return out;
    }
    if (source.channels == 4 && source.layout == Layout::rgbaPremultiplied) {
        return readPremultipliedRgbaRow(line, width, out);
    }
    if (source.channels == 4 && source.layout == Layout::rgbaStraight) {
        return line;
    }
    const quint8* unpremultiplied = unpremultiplyTable().data();
    const int channels = source.channels;
    switch (source.layout) {
    case Layout::rgbaPremultiplied:
    case Layout::rgbaStraight: {
        const bool premultiplied = source.layout == Layout::rgbaPremultiplied;
        for (int x = 0; x < width; ++x) {
            const uchar* pixel = line + 4 * x;
            quint8* sample = out + qsizetype(x) * channels;
            const int a = pixel[3];
            if (premultiplied && a != 255) {
                const quint8* scale = unpremultiplied + a * 256;
                sample[0] = scale[pixel[0]];
                sample[1] = scale[pixel[1]];
                sample[2] = scale[pixel[2]];
            } else {
                sample[0] = pixel[0];
                sample[1] = pixel[1];
                sample[2] = pixel[2];
            }
            if (channels == 4) {
                sample[3] = quint8(a);
            }
        }
        break;
    }
    case Layout::argbPremultiplied:
    case Layout::argbStraight: {
        const bool premultiplied = source.layout == Layout::argbPremultiplied;
        const QRgb* pixels = reinterpret_cast<const QRgb*>(line);
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = pixels[x];
            quint8* sample = out + qsizetype(x) * channels;
            const int a = qAlpha(pixel);
            if (premultiplied && a != 255) {
                const quint8* scale = unpremultiplied + a * 256;
                sample[0] = scale[qRed(pixel)];
                sample[1] = scale[qGreen(pixel)];
                sample[2] = scale[qBlue(pixel)];
            } else {
                sample[0] = quint8(qRed(pixel));
                sample[1] = quint8(qGreen(pixel));
                sample[2] = quint8(qBlue(pixel));
            }
            if (channels == 4) {
                sample[3] = quint8(a);
            }
        }
        break;
    }
    }
    return out;
}

// The PNG filter types, in the order the heuristic prefers them on a tie.
enum Filter
{
    noFilter,
    subFilter,
    upFilter,
    averageFilter,
    paethFilter,
    filterCount,
};

// The Paeth predictor: of the left, upper and upper-left neighbours, the one nearest to left + up - upLeft.
inline quint8 paethPredictor(int left, int up, int upLeft)
{
    const int toLeft = std::abs(up - upLeft);
    const int toUp = std::abs(left - upLeft);
    const int toUpLeft = std::abs(left + up - 2 * upLeft);
    const int notLeft = toUp <= toUpLeft ? up : upLeft;
    return quint8(toLeft <= toUp && toLeft <= toUpLeft ? left : notLeft);
}

// What filter makes of byte x from its neighbours in the row (left), the row above (up) and both
// (upLeft), which are zeros off the row's start.
inline quint8 filteredByte(int filter, int x, int left, int up, int upLeft)
{
    switch (filter) {
    case subFilter:
        return quint8(x - left);
    case upFilter:
        return quint8(x - up);
    case averageFilter:
        return quint8(x - (left + up) / 2);
    case paethFilter:
        return quint8(x - paethPredictor(left, up, upLeft));
    default:
        return quint8(x);
    }
}

// The filter heuristic's measure of a filtered byte: its value read as signed, in magnitude.
inline int magnitude(quint8 byte)
{
    return byte < 128 ? byte : 256 - byte;
}

#if defined(__SSE2__)
// The same for 16 bytes at a time. Paeth works on 16-bit lanes: its distances need nine bits.
inline __m128i load(const quint8* bytes)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
}

inline __m128i blend(__m128i mask, __m128i whenSet, __m128i otherwise)
{
    return _mm_or_si128(_mm_and_si128(mask, whenSet), _mm_andnot_si128(mask, otherwise));
}

inline __m128i absolute16(__m128i value)
{
    return _mm_max_epi16(value, _mm_sub_epi16(_mm_setzero_si128(), value));
}

inline __m128i paethPredictor16(__m128i left, __m128i up, __m128i upLeft)
{
    const __m128i upStep = _mm_sub_epi16(up, upLeft);
    const __m128i leftStep = _mm_sub_epi16(left, upLeft);
    const __m128i toLeft = absolute16(upStep);
    const __m128i toUp = absolute16(leftStep);
    const __m128i toUpLeft = absolute16(_mm_add_epi16(upStep, leftStep));
    const __m128i notLeft = _mm_or_si128(_mm_cmpgt_epi16(toLeft, toUp), _mm_cmpgt_epi16(toLeft, toUpLeft));
    return blend(notLeft, blend(_mm_cmpgt_epi16(toUp, toUpLeft), upLeft, up), left);
}

inline __m128i paethFiltered16(__m128i x, __m128i left, __m128i up, __m128i upLeft)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = paethPredictor16(_mm_unpacklo_epi8(left, zero), _mm_unpacklo_epi8(up, zero),
                                         _mm_unpacklo_epi8(upLeft, zero));
    const __m128i high = paethPredictor16(_mm_unpackhi_epi8(left, zero), _mm_unpackhi_epi8(up, zero),
                                          _mm_unpackhi_epi8(upLeft, zero));
    return _mm_sub_epi8(x, _mm_packus_epi16(low, high));
}

inline __m128i averageFiltered16(__m128i x, __m128i left, __m128i up)
{
    // The rounded-up mean, less the bit that rounding added.
    const __m128i mean =
        _mm_sub_epi8(_mm_avg_epu8(left, up), _mm_and_si128(_mm_xor_si128(left, up), _mm_set1_epi8(1)));
    return _mm_sub_epi8(x, mean);
}

inline __m128i filtered16(int filter, __m128i x, __m128i left, __m128i up, __m128i upLeft)
{
    switch (filter) {
    case subFilter:
        return _mm_sub_epi8(x, left);
    case upFilter:
        return _mm_sub_epi8(x, up);
    case averageFilter:
        return averageFiltered16(x, left, up);
    case paethFilter:
        return paethFiltered16(x, left, up, upLeft);
    default:
        return x;
    }
}

// Whether all 16 bytes are zero.
inline bool allZero(__m128i bytes)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128())) == 0xffff;
}

// Whether the four inputs of 16 filtered bytes are all zero, which every filter turns into zeros.
inline bool allZero(__m128i x, __m128i left, __m128i up, __m128i upLeft)
{
    return allZero(_mm_or_si128(_mm_or_si128(x, left), _mm_or_si128(up, upLeft)));
}

// With the sign bit flipped, a byte's distance from 128 is its magnitude as a signed byte, and one
// instruction sums the distances of 16 bytes into two 64-bit halves.
inline __m128i addMagnitudes(__m128i sums, __m128i bytes)
{
    const __m128i flip = _mm_set1_epi8(char(0x80));
    return _mm_add_epi64(sums, _mm_sad_epu8(_mm_xor_si128(bytes, flip), flip));
}
#endif

// The bytes [0, begin) and [end, length) of a row where it and the row above hold zeros, as do the bytes
// a pixel to the left: every filter turns them into zeros. Transparent pictures have wide clear margins.
struct ClearMargins
{
    qsizetype begin;
    qsizetype end;
};

ClearMargins clearMargins(const quint8* previous, const quint8* current, qsizetype length, int bpp)
{
    qsizetype begin = 0;
    qsizetype last = length;
#if defined(__SSE2__)
    const auto zeroAt = [&](qsizetype i) {
        return allZero(_mm_or_si128(load(current + i), load(previous + i)));
    };
    while (begin + 16 <= length && zeroAt(begin)) {
        begin += 16;
    }
    while (last - 16 >= begin && zeroAt(last - 16)) {
        last -= 16;
    }
#endif
    while (begin < length && (current[begin] | previous[begin]) == 0) {
        ++begin;
    }
    while (last > begin && (current[last - 1] | previous[last - 1]) == 0) {
        --last;
    }
    // The first pixel after the last nonzero byte has it as its left neighbour.
    return {begin, std::max(begin, std::min(length, last + bpp))};
}

// Filters a row with each of the four PNG filters (the unfiltered row is the fifth candidate) and keeps
// the candidate of least magnitude, as the common encoders do; out receives the filter type byte and the
// row. previous is the row above, zeros for the first row; bpp is the bytes per pixel.
//
// The candidates are only measured, 16 bytes at a time while their inputs are in registers, and the one
// kept is filtered again into out: storing four rows to read them back costs more than that.
GRAPHICS_VECTOR_CLONES void filterRow(const quint8* __restrict previous, const quint8* __restrict current,
                                      qsizetype length, int bpp, quint8* __restrict out)
{
    const auto neighbours = [&](qsizetype i) {
        return std::array<int, 3>{i >= bpp ? current[i - bpp] : 0, previous[i],
                                  i >= bpp ? previous[i - bpp] : 0};
    };
    // The first pixel has no left neighbour and is measured one byte at a time. The vectors start after
    // it or after the clear margin, whichever is further, and stop before the other margin or the last
    // incomplete 16 bytes, which are measured one at a time too.
    const qsizetype first = std::min<qsizetype>(bpp, length);
    const ClearMargins margins = clearMargins(previous, current, length, bpp);
    const qsizetype begin = std::max(first, margins.begin);
    const qsizetype end = std::max(begin, margins.end);
    qsizetype vectorEnd = begin;
    std::array<quint64, filterCount> magnitudes{};
    const auto measureBytes = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            const auto [left, up, upLeft] = neighbours(i);
            for (int filter = 0; filter < filterCount; ++filter) {
                magnitudes[std::size_t(filter)] +=
                    quint64(magnitude(filteredByte(filter, current[i], left, up, upLeft)));
            }
        }
    };
    measureBytes(0, first);
#if defined(__SSE2__)
    {
        __m128i sums[filterCount] = {};
        for (; vectorEnd + 16 <= end; vectorEnd += 16) {
            const qsizetype i = vectorEnd;
            const __m128i x = load(current + i);
            const __m128i left = load(current + i - bpp);
            const __m128i up = load(previous + i);
            const __m128i upLeft = load(previous + i - bpp);
            // Clear stretches inside the row filter to zeros too.
            if (allZero(x, left, up, upLeft)) {
                continue;
            }
            sums[noFilter] = addMagnitudes(sums[noFilter], x);
            sums[subFilter] = addMagnitudes(sums[subFilter], _mm_sub_epi8(x, left));
            sums[upFilter] = addMagnitudes(sums[upFilter], _mm_sub_epi8(x, up));
            sums[averageFilter] = addMagnitudes(sums[averageFilter], averageFiltered16(x, left, up));
            sums[paethFilter] = addMagnitudes(sums[paethFilter], paethFiltered16(x, left, up, upLeft));
        }
        for (std::size_t filter = 0; filter < filterCount; ++filter) {
            magnitudes[filter] += quint64(_mm_cvtsi128_si64(sums[filter])) +
                                  quint64(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums[filter], sums[filter])));
        }
    }
#endif
    measureBytes(vectorEnd, end);

    int best = noFilter;
    for (int filter = subFilter; filter < filterCount; ++filter) {
        if (magnitudes[std::size_t(filter)] < magnitudes[std::size_t(best)]) {
            best = filter;
        }
    }
    out[0] = quint8(best);
    quint8* row = out + 1;
    if (best == noFilter) {
        std::memcpy(row, current, std::size_t(length));
        return;
    }
    const auto filterBytes = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i) {
            const auto [left, up, upLeft] = neighbours(i);
            row[i] = filteredByte(best, current[i], left, up, upLeft);
        }
    };
    filterBytes(0, first);
    std::memset(row + first, 0, std::size_t(begin - first));
#if defined(__SSE2__)
    for (qsizetype i = begin; i < vectorEnd; i += 16) {
        const __m128i x = load(current + i);
        const __m128i left = load(current + i - bpp);
        const __m128i up = load(previous + i);
        const __m128i upLeft = load(previous + i - bpp);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), allZero(x, left, up, upLeft)
                                                                  ? _mm_setzero_si128()
                                                                  : filtered16(best, x, left, up, upLeft));
    }
#endif
    filterBytes(vectorEnd, end);
    std::memset(row + end, 0, std::size_t(length - end));
}

// A strip of the zlib stream, ready to go out as one IDAT chunk but for the stream's header, which the
// first strip gets, and checksum, which the last strip gets once all are known.
using CompressedStrip = PngStrips::Strip;

// Whether rows [top, bottom) of two images of one size and format hold the same pixels.
bool sameRows(const QImage& a, const QImage& b, int top, int bottom)
{
    const auto rowBytes = std::size_t(a.width()) * std::size_t(a.depth() / 8);
    for (int y = top; y < bottom; ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), rowBytes) != 0) {
            return false;
        }
    }
    return true;
}

// Whether rows [top, bottom) hold only zero bytes: clear pixels, whatever the layout. Their samples are
// zeros too, which every filter leaves as they are, and on such a tie the heuristic keeps a row
// unfiltered: a strip of them filters to zeros whatever row lies above it.
GRAPHICS_VECTOR_CLONES bool clearRows(const QImage& image, int top, int bottom)
{
    const auto rowBytes = std::size_t(image.width()) * std::size_t(image.depth() / 8);
    // Checked in blocks a vector loop takes whole, stopping at the first block with a nonzero byte.
    constexpr std::size_t block = 4096;
    for (int y = top; y < bottom; ++y) {
        const uchar* row = image.constScanLine(y);
        for (std::size_t start = 0; start < rowBytes; start += block) {
            uchar any = 0;
            for (std::size_t i = start; i < std::min(rowBytes, start + block); ++i) {
                any |= row[i];
            }
            if (any != 0) {
                return false;
            }
        }
    }
    return true;
}

void appendBigEndian(QByteArray& out, quint32 value)
{
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, 4);
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data)
{
    appendBigEndian(out, quint32(data.size()));
    out.append(type, 4);
    out.append(data);
    appendBigEndian(
        out, libdeflate_crc32(libdeflate_crc32(0, type, 4), data.constData(), std::size_t(data.size())));
}

// What one thread keeps from strip to strip.
class StripWorker
{
public:
    explicit StripWorker(const Source& source)
        : m_source(source)
        , m_rows{std::vector<quint8>(std::size_t(source.rowBytes())),
                 std::vector<quint8>(std::size_t(source.rowBytes()))}
        , m_zeros(std::size_t(source.rowBytes()))
    {}

    // Filters and deflates rows [top, bottom).
    CompressedStrip compress(int top, int bottom, bool last)
    {
        const qsizetype rowBytes = m_source.rowBytes();
        const qsizetype length = qsizetype(bottom - top) * (rowBytes + 1);
        m_filtered.resize(std::size_t(length));
        // Rows alternate between the two buffers, so reading a row never overwrites the one above it.
        const quint8* previous =
            top > 0 ? readRow(m_source, top - 1, m_rows[std::size_t(top - 1) % 2].data()) : m_zeros.data();
        for (int y = top; y < bottom; ++y) {
            const quint8* current = readRow(m_source, y, m_rows[std::size_t(y) % 2].data());
            filterRow(previous, current, rowBytes, m_source.channels,
                      m_filtered.data() + qsizetype(y - top) * (rowBytes + 1));
            previous = current;
        }
        CompressedStrip strip;
        strip.data = m_deflater.deflate({m_filtered.data(), std::size_t(length)}, last);
        strip.adler = libdeflate_adler32(1, m_filtered.data(), std::size_t(length));
        strip.length = length;
        return strip;
    }

private:
    const Source& m_source;
    std::array<std::vector<quint8>, 2> m_rows;
    // The row above the first.
    std::vector<quint8> m_zeros;
    std::vector<quint8> m_filtered;
    StripDeflater m_deflater;
};

QByteArray encodeSource(const Source& source, int threads, PngStrips* kept)
{
    const QImage& image = source.image;
    // Each filtered row starts with its filter type.
    const qsizetype filteredRowBytes = source.rowBytes() + 1;
    const int height = image.height();
    const int rowsPerStrip = int(std::clamp<qsizetype>(stripBytes / filteredRowBytes, 1, height));
    const int strips = (height + rowsPerStrip - 1) / rowsPerStrip;

    // Threads take strips in turn; each filters a strip's rows and deflates them while they are still in
    // its core's cache.
    // A strip's filtered bytes follow from its rows and the row above them, so a strip kept from an
    // image whose rows there are the same is what deflating them would give.
    const bool reusable = kept && kept->source.size() == image.size() &&
                          kept->source.format() == image.format() && kept->channels == source.channels &&
                          kept->strips.size() == std::size_t(strips);
    std::vector<CompressedStrip> compressed(static_cast<std::size_t>(strips));
    // Every strip of clear rows but the last is the same strip of zeros: the first thread to meet one
    // deflates it, and the others, left empty, are filled in from it once all threads are done.
    std::atomic<bool> clearStripClaimed = false;
    std::optional<int> firstClearStrip;
    std::atomic<int> next = 0;
    foundation::parallelFor(
        std::min(threads, strips),
        [&](int) {
            std::optional<StripWorker> worker;
            for (int strip = next++; strip < strips; strip = next++) {
                const int top = strip * rowsPerStrip;
                const int bottom = std::min(height, top + rowsPerStrip);
                const bool last = strip + 1 == strips;
                if (reusable && sameRows(kept->source, image, std::max(top - 1, 0), bottom)) {
                    compressed[std::size_t(strip)] = kept->strips[std::size_t(strip)];
                    continue;
                }
                const bool clear = !last && clearRows(image, top, bottom);
                if (clear && clearStripClaimed.exchange(true)) {
                    continue;
                }
                if (!worker) {
                    worker.emplace(source);
                }
                compressed[std::size_t(strip)] = worker->compress(top, bottom, last);
                if (clear) {
                    firstClearStrip = strip;
                }
            }
        },
        threads);
    if (firstClearStrip) {
        const CompressedStrip clearStrip = compressed[std::size_t(*firstClearStrip)];
        for (CompressedStrip& strip : compressed) {
            if (strip.length == 0) {
                strip = clearStrip;
            }
        }
    }
    if (kept) {
        *kept = PngStrips{image, source.channels, compressed};
    }
    compressed.front().data.prepend(zlibHeader.data(), qsizetype(zlibHeader.size()));

    // The stream ends with the checksum of all its bytes, joined from the strips' own.
    uLong adler = adler32(0, nullptr, 0);
    qsizetype total = 0;
    for (const CompressedStrip& strip : compressed) {
        adler = adler32_combine(adler, strip.adler, z_off_t(strip.length));
        total += strip.data.size() + 12;
    }
    CompressedStrip& last = compressed.back();
    const char checksum[4] = {char(adler >> 24), char(adler >> 16), char(adler >> 8), char(adler)};
    last.data.append(checksum, 4);

    QByteArray header;
    appendBigEndian(header, quint32(image.width()));
    appendBigEndian(header, quint32(height));
    // 8 bits per sample, the color type, deflate, adaptive filtering, no interlacing.
    const char format[5] = {8, char(source.channels == 4 ? ColorType::rgba : ColorType::rgb), 0, 0, 0};
    header.append(format, 5);

    QByteArray png;
    png.reserve(total + 64);
    png.append(signature.data(), qsizetype(signature.size()));
    appendChunk(png, "IHDR", header);
    for (const CompressedStrip& strip : compressed) {
        appendChunk(png, "IDAT", strip.data);
    }
    appendChunk(png, "IEND", {});
    return png;
}

QByteArray encodeImage(const QImage& image, PngStrips* kept)
{
    if (image.isNull()) {
        return {};
    }
    try {
        const int threads = foundation::availableThreads();
        Source source{readableImage(image), Layout::rgbaStraight, 4};
        if (source.image.isNull()) {
            return {};
        }
        source.layout = layoutOf(source.image.format());
        source.channels = isOpaque(source.image, threads) ? 3 : 4;
        if (source.rowBytes() + 1 > maximumRowBytes) {
            return {};
        }
        return encodeSource(source, threads, kept);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace

QByteArray PngWriter::encode(const QImage& image)
{
    return encodeImage(image, nullptr);
}

QByteArray PngWriter::encode(const QImage& image, PngStrips& kept)
{
    return encodeImage(image, &kept);
}

foundation::Expected<void, PngWriteError> PngWriter::write(const QImage& image, const QString& path)
{
    using foundation::Unexpected;
    if (image.isNull()) {
        return Unexpected(PngWriteError{QStringLiteral("There is no image to write to \"%1\".").arg(path)});
    }
    const QByteArray png = encode(image);
    if (png.isEmpty()) {
        return Unexpected(
            PngWriteError{QStringLiteral("There is not enough memory to write \"%1\" as PNG.").arg(path)});
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.commit()) {
        return Unexpected(
            PngWriteError{QStringLiteral("Could not write \"%1\": %2").arg(path, file.errorString())});
    }
    return {};
}

} // namespace graphics
