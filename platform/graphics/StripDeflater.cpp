#include "graphics/StripDeflater.h"

#include "graphics/DeflateBlocks.h"
#include "graphics/VectorClones.h"

#include <algorithm>
#include <libdeflate.h>
#include <new>
#include <zlib.h>

namespace graphics {
namespace {

// Filtered rows hold either residuals of noise, where nearly every byte is nonzero (photos), or mostly
// zeros (flat colour, gradients, text, drawing). Runs alone deflate noise best when it was smoothed by
// scaling, by some 10 percent, since the short matches a general compressor takes there cost more than
// the literals they replace; matches win on grain kept at full size, by a few percent, and on text, by
// up to a third. The shares below were measured on exported screenshots cut into strips of a quarter
// and half a megabyte.
//
// Strips with less than this share of nonzero bytes are clean: matches win or lose by a few bytes.
constexpr double cleanShare = 0.05;
// Strips with at least this share are mostly photo, of one kind throughout: a sample from the middle
// tells which method wins. Strips in between mix kinds row by row, and no sample tells: both methods
// run and the smaller result is kept.
constexpr double noisyShare = 0.3;
constexpr std::size_t sampleBytes = 32 * 1024;
// On clean strips about the size of zlib's level 6 (which the usual encoders use) or smaller, in half
// its time; level 5 and below give files a few percent larger, level 7 takes a third longer.
constexpr int cleanLevel = 6;
// On the other strips as small, in about a third less time: there level 6 spends its time looking for
// long matches in noise.
constexpr int otherLevel = 5;

// The rest of an empty stored block once its three zero header bits and the padding to the byte
// boundary are written: its length and the length's complement. Such a block ends a strip on a byte
// boundary, as a sync flush does.
constexpr quint8 storedBlockLengths[4] = {0x00, 0x00, 0xff, 0xff};

GRAPHICS_VECTOR_CLONES qsizetype countNonzero(const quint8* bytes, qsizetype length)
{
    qsizetype total = 0;
    // Blocks short enough for a 16-bit count, which vectorises at full width.
    constexpr qsizetype block = 32 * 1024;
    for (qsizetype start = 0; start < length; start += block) {
        const qsizetype end = std::min(length, start + block);
        quint16 count = 0;
        for (qsizetype i = start; i < end; ++i) {
            count = quint16(count + (bytes[i] != 0));
        }
        total += count;
    }
    return total;
}

QByteArray toByteArray(std::span<const quint8> bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// The whole stream in the first size bytes of buffer, made a strip that others can follow unless it is
// the last; empty if it cannot be (which a well-formed stream always can). The buffer has room for the
// five bytes it may gain.
std::span<const quint8> joinable(std::vector<quint8>& buffer, std::size_t size, bool last)
{
    if (last || size == 0) {
        return {buffer.data(), size};
    }
    const std::optional<DeflateBlocks> blocks = DeflateBlocks::scan({buffer.data(), size});
    if (!blocks) {
        return {};
    }
    // The final block goes on, and an empty stored block follows it: three zero header bits, zeros up
    // to the byte boundary, then the lengths.
    quint8* bytes = buffer.data();
    bytes[blocks->finalBlockBit / 8] &= quint8(~(1u << (blocks->finalBlockBit % 8)));
    const qsizetype endBit = blocks->endBit;
    if (endBit % 8 != 0) {
        bytes[endBit / 8] &= quint8((1u << (endBit % 8)) - 1);
    }
    std::size_t joined = std::size_t((endBit + 3 + 7) / 8);
    if (joined > size) {
        bytes[size] = 0;
    }
    std::copy(std::begin(storedBlockLengths), std::end(storedBlockLengths), bytes + joined);
    joined += sizeof storedBlockLengths;
    return {bytes, joined};
}

} // namespace

StripDeflater::StripDeflater()
    : m_cleanCompressor(libdeflate_alloc_compressor(cleanLevel), libdeflate_free_compressor)
    , m_otherCompressor(libdeflate_alloc_compressor(otherLevel), libdeflate_free_compressor)
    , m_runCompressor(std::make_unique<z_stream>())
{
    if (!m_cleanCompressor || !m_otherCompressor) {
        throw std::bad_alloc();
    }
    if (deflateInit2(m_runCompressor.get(), Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK) {
        // Nothing to end: zlib frees what it took when it fails.
        m_runCompressor.reset();
        throw std::bad_alloc();
    }
}

StripDeflater::~StripDeflater()
{
    if (m_runCompressor) {
        deflateEnd(m_runCompressor.get());
    }
}

QByteArray StripDeflater::deflate(std::span<const quint8> strip, bool last)
{
    const double share =
        strip.empty() ? 0
                      : double(countNonzero(strip.data(), qsizetype(strip.size()))) / double(strip.size());
    if (share < cleanShare) {
        const std::span<const quint8> matches =
            joinable(m_matches, deflateMatches(*m_cleanCompressor, strip).size(), last);
        return toByteArray(matches.empty() ? deflateRuns(strip, last) : matches);
    }
    if (share >= noisyShare && strip.size() > 2 * sampleBytes) {
        const std::span<const quint8> sample = strip.subspan((strip.size() - sampleBytes) / 2, sampleBytes);
        if (deflateRuns(sample, true).size() < deflateMatches(*m_otherCompressor, sample).size()) {
            return toByteArray(deflateRuns(strip, last));
        }
        const std::span<const quint8> matches =
            joinable(m_matches, deflateMatches(*m_otherCompressor, strip).size(), last);
        return toByteArray(matches.empty() ? deflateRuns(strip, last) : matches);
    }
    const std::span<const quint8> matches = deflateMatches(*m_otherCompressor, strip);
    const std::span<const quint8> runs = deflateRuns(strip, last);
    // Made joinable, the matches grow by the empty block's four bytes and maybe one more: runs shorter
    // than that win without the walk over the matches' codes that joining takes.
    if (matches.empty() || (!last && runs.size() < matches.size() + sizeof storedBlockLengths)) {
        return toByteArray(runs);
    }
    const std::span<const quint8> joined = joinable(m_matches, matches.size(), last);
    return toByteArray(joined.empty() || runs.size() < joined.size() ? runs : joined);
}

// Deflates with matches of distance one only.
std::span<const quint8> StripDeflater::deflateRuns(std::span<const quint8> strip, bool last)
{
    z_stream& stream = *m_runCompressor;
    if (deflateReset(&stream) != Z_OK) {
        throw std::bad_alloc();
    }
    // Room for the flush's empty block too.
    m_runs.resize(std::size_t(deflateBound(&stream, uLong(strip.size()))) + 16);
    stream.next_in = const_cast<Bytef*>(strip.data());
    stream.avail_in = uInt(strip.size());
    std::size_t written = 0;
    const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    for (;;) {
        if (written == m_runs.size()) {
            m_runs.resize(m_runs.size() * 2);
        }
        stream.next_out = m_runs.data() + written;
        stream.avail_out = uInt(m_runs.size() - written);
        const int result = ::deflate(&stream, flush);
        written = m_runs.size() - stream.avail_out;
        if (result == Z_STREAM_ERROR) {
            throw std::bad_alloc();
        }
        const bool done = last ? result == Z_STREAM_END : stream.avail_in == 0 && stream.avail_out > 0;
        if (done) {
            break;
        }
    }
    return {m_runs.data(), written};
}

// Deflates with matches at every distance into one whole stream; empty if the compressor fails.
std::span<const quint8> StripDeflater::deflateMatches(libdeflate_compressor& compressor,
                                                      std::span<const quint8> strip)
{
    m_matches.resize(libdeflate_deflate_compress_bound(&compressor, strip.size()) + 1 +
                     sizeof storedBlockLengths);
    const std::size_t size = libdeflate_deflate_compress(&compressor, strip.data(), strip.size(),
                                                         m_matches.data(), m_matches.size());
    return {m_matches.data(), size};
}

} // namespace graphics
