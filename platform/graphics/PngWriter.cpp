#include "graphics/PngWriter.h"

#include "graphics/ParallelFor.h"
#include "graphics/VectorClones.h"

#include <QSaveFile>
#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <vector>
#include <zlib.h>

namespace graphics {
namespace {

// Each strip holds about this many bytes of filtered rows: plenty for deflate, and enough strips to keep
// every core busy until the end.
constexpr qsizetype stripBytes = 256 * 1024;
// Deflate looks back this far. Each strip is primed with the bytes before it, so cutting the stream
// into strips costs a few bytes per strip, not a fresh start.
constexpr qsizetype windowBytes = 32 * 1024;
// Level 4 with the strategy for filtered rows, which prefers literals to short matches. On screenshots
// this costs well under half the time of level 6 (the usual encoders' level), and the files come within
// about one percent of that level's; level 3 and below are faster still but some 5 to 10 percent larger.
constexpr int compressionLevel = 4;
constexpr int compressionStrategy = Z_FILTERED;
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
    parallelFor((image.height() + bandRows - 1) / bandRows,
                [&](int band) {
                    const int end = std::min(image.height(), (band + 1) * bandRows);
                    for (int y = band * bandRows; y < end && opaque.load(std::memory_order_relaxed); ++y) {
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

// Writes row y of the source as PNG samples: R, G, B and, with four channels, straight alpha.
void readRow(const Source& source, int y, quint8* out)
{
    const int width = source.image.width();
    const uchar* line = source.image.constScanLine(y);
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
}

// The filter heuristic's measure of a filtered row: its bytes read as signed, summed in magnitude.
quint64 magnitude(const quint8* bytes, qsizetype length)
{
    quint64 total = 0;
    // Blocks short enough that a 32-bit sum cannot overflow.
    constexpr qsizetype block = qsizetype(1) << 20;
    for (qsizetype start = 0; start < length; start += block) {
        const qsizetype end = std::min(length, start + block);
        quint32 sum = 0;
        for (qsizetype i = start; i < end; ++i) {
            sum += bytes[i] < 128 ? bytes[i] : 256 - bytes[i];
        }
        total += sum;
    }
    return total;
}

// The Paeth predictor, written without branches so that its loop vectorises.
inline quint8 paethPredictor(int left, int up, int upLeft)
{
    const int toLeft = std::abs(up - upLeft);
    const int toUp = std::abs(left - upLeft);
    const int toUpLeft = std::abs(left + up - 2 * upLeft);
    const int notLeft = toUp <= toUpLeft ? up : upLeft;
    return quint8(toLeft <= toUp && toLeft <= toUpLeft ? left : notLeft);
}

// Filters a row with each of the four PNG filters (the unfiltered row is the fifth candidate) and keeps
// the candidate of least magnitude, as the common encoders do; out receives the filter type byte and the
// row. previous is the row above, zeros for the first row; bpp is the bytes per pixel. The candidates
// buffer holds four rows of length bytes.
GRAPHICS_VECTOR_CLONES void filterRow(const quint8* __restrict previous, const quint8* __restrict current,
                                      qsizetype length, int bpp, quint8* __restrict candidates,
                                      quint8* __restrict out)
{
    quint8* __restrict sub = candidates;
    quint8* __restrict up = candidates + length;
    quint8* __restrict average = candidates + 2 * length;
    quint8* __restrict paeth = candidates + 3 * length;
    // The first pixel has no left neighbour: it predicts from zeros there.
    const qsizetype first = std::min<qsizetype>(bpp, length);
    for (qsizetype i = 0; i < first; ++i) {
        sub[i] = current[i];
        average[i] = quint8(current[i] - previous[i] / 2);
        paeth[i] = quint8(current[i] - previous[i]);
    }
    for (qsizetype i = first; i < length; ++i) {
        sub[i] = quint8(current[i] - current[i - bpp]);
    }
    for (qsizetype i = 0; i < length; ++i) {
        up[i] = quint8(current[i] - previous[i]);
    }
    for (qsizetype i = first; i < length; ++i) {
        average[i] = quint8(current[i] - (current[i - bpp] + previous[i]) / 2);
    }
    for (qsizetype i = first; i < length; ++i) {
        paeth[i] = quint8(current[i] - paethPredictor(current[i - bpp], previous[i], previous[i - bpp]));
    }
    const quint8* rows[5] = {current, sub, up, average, paeth};
    int best = 0;
    quint64 least = magnitude(current, length);
    for (int filter = 1; filter < 5; ++filter) {
        const quint64 candidate = magnitude(rows[filter], length);
        if (candidate < least) {
            least = candidate;
            best = filter;
        }
    }
    out[0] = quint8(best);
    std::memcpy(out + 1, rows[best], std::size_t(length));
}

// A strip of the zlib stream, ready to go out as one IDAT chunk but for the stream's checksum, which
// the last strip gets once all are known.
struct CompressedStrip
{
    QByteArray data;
    // The checksums of the strip's uncompressed bytes and of the chunk so far.
    uLong adler = 0;
    uLong crc = 0;
};

// The zlib header: deflate with a 32 KB window, the level hint, and the check bits that make the pair a
// multiple of 31.
std::array<char, 2> zlibHeader(int level)
{
    const int method = 0x78;
    const int levelHint = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
    int flags = levelHint << 6;
    flags += 31 - (method * 256 + flags) % 31;
    return {char(method), char(flags)};
}

// Deflates bytes [begin, end) of the filtered rows as a piece of one raw deflate stream: primed with the
// window before it, ended by a sync flush so the next strip can follow, or finished when last.
CompressedStrip compressStrip(const quint8* filtered, qsizetype begin, qsizetype end, bool last)
{
    CompressedStrip strip;
    z_stream stream{};
    if (deflateInit2(&stream, compressionLevel, Z_DEFLATED, -15, 8, compressionStrategy) != Z_OK) {
        throw std::bad_alloc();
    }
    const std::unique_ptr<z_stream, int (*)(z_stream*)> cleanup(&stream, deflateEnd);
    if (begin > 0) {
        const qsizetype window = std::min(begin, windowBytes);
        deflateSetDictionary(&stream, filtered + begin - window, uInt(window));
    }
    qsizetype written = 0;
    if (begin == 0) {
        const std::array<char, 2> header = zlibHeader(compressionLevel);
        strip.data.append(header.data(), qsizetype(header.size()));
        written = qsizetype(header.size());
    }
    strip.data.resize(written + qsizetype(deflateBound(&stream, uLong(end - begin))) + 64);
    stream.next_in = const_cast<Bytef*>(filtered + begin);
    stream.avail_in = uInt(end - begin);
    const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    for (;;) {
        if (written == strip.data.size()) {
            strip.data.resize(strip.data.size() * 2);
        }
        stream.next_out = reinterpret_cast<Bytef*>(strip.data.data() + written);
        stream.avail_out = uInt(strip.data.size() - written);
        const int result = deflate(&stream, flush);
        written = strip.data.size() - qsizetype(stream.avail_out);
        if (result == Z_STREAM_ERROR) {
            throw std::bad_alloc();
        }
        const bool done = last ? result == Z_STREAM_END : stream.avail_in == 0 && stream.avail_out > 0;
        if (done) {
            break;
        }
    }
    strip.data.resize(written);
    strip.adler = adler32(adler32(0, nullptr, 0), filtered + begin, uInt(end - begin));
    strip.crc = crc32(crc32(0, reinterpret_cast<const Bytef*>("IDAT"), 4),
                      reinterpret_cast<const Bytef*>(strip.data.constData()), uInt(strip.data.size()));
    return strip;
}

void appendBigEndian(QByteArray& out, quint32 value)
{
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, 4);
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data, uLong crc)
{
    appendBigEndian(out, quint32(data.size()));
    out.append(type, 4);
    out.append(data);
    appendBigEndian(out, quint32(crc));
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data)
{
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size()));
    appendChunk(out, type, data, crc);
}

QByteArray encodeSource(const Source& source, int threads)
{
    const QImage& image = source.image;
    const qsizetype rowBytes = source.rowBytes();
    // Each filtered row starts with its filter type.
    const qsizetype filteredRowBytes = rowBytes + 1;
    const int height = image.height();
    const int rowsPerStrip = int(std::clamp<qsizetype>(stripBytes / filteredRowBytes, 1, height));
    const int strips = (height + rowsPerStrip - 1) / rowsPerStrip;
    const auto filtered = std::make_unique_for_overwrite<quint8[]>(std::size_t(filteredRowBytes * height));

    parallelFor(
        strips,
        [&](int strip) {
            const int top = strip * rowsPerStrip;
            const int bottom = std::min(height, top + rowsPerStrip);
            std::vector<quint8> previous(std::size_t(rowBytes), 0);
            std::vector<quint8> current(static_cast<std::size_t>(rowBytes));
            const auto candidates = std::make_unique_for_overwrite<quint8[]>(std::size_t(4 * rowBytes));
            if (top > 0) {
                readRow(source, top - 1, previous.data());
            }
            for (int y = top; y < bottom; ++y) {
                readRow(source, y, current.data());
                filterRow(previous.data(), current.data(), rowBytes, source.channels, candidates.get(),
                          filtered.get() + qsizetype(y) * filteredRowBytes);
                std::swap(previous, current);
            }
        },
        threads);

    std::vector<CompressedStrip> compressed(static_cast<std::size_t>(strips));
    parallelFor(
        strips,
        [&](int strip) {
            const qsizetype begin = qsizetype(strip) * rowsPerStrip * filteredRowBytes;
            const qsizetype end =
                std::min<qsizetype>(height, qsizetype(strip + 1) * rowsPerStrip) * filteredRowBytes;
            compressed[std::size_t(strip)] = compressStrip(filtered.get(), begin, end, strip + 1 == strips);
        },
        threads);

    // The stream ends with the checksum of all its bytes, joined from the strips' own.
    uLong adler = adler32(0, nullptr, 0);
    qsizetype total = 0;
    for (int strip = 0; strip < strips; ++strip) {
        const qsizetype begin = qsizetype(strip) * rowsPerStrip * filteredRowBytes;
        const qsizetype end =
            std::min<qsizetype>(height, qsizetype(strip + 1) * rowsPerStrip) * filteredRowBytes;
        adler = adler32_combine(adler, compressed[std::size_t(strip)].adler, z_off_t(end - begin));
        total += compressed[std::size_t(strip)].data.size() + 12;
    }
    CompressedStrip& last = compressed.back();
    const char checksum[4] = {char(adler >> 24), char(adler >> 16), char(adler >> 8), char(adler)};
    last.data.append(checksum, 4);
    last.crc = crc32(last.crc, reinterpret_cast<const Bytef*>(checksum), 4);

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
        appendChunk(png, "IDAT", strip.data, strip.crc);
    }
    appendChunk(png, "IEND", {});
    return png;
}

} // namespace

QByteArray PngWriter::encode(const QImage& image)
{
    if (image.isNull()) {
        return {};
    }
    try {
        const int threads = availableThreads();
        Source source{readableImage(image), Layout::rgbaStraight, 4};
        if (source.image.isNull()) {
            return {};
        }
        source.layout = layoutOf(source.image.format());
        source.channels = isOpaque(source.image, threads) ? 3 : 4;
        if (source.rowBytes() + 1 > maximumRowBytes) {
            return {};
        }
        return encodeSource(source, threads);
    } catch (const std::bad_alloc&) {
        return {};
    }
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
