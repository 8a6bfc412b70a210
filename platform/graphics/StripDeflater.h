#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <memory>
#include <span>
#include <vector>

struct libdeflate_compressor;
struct z_stream_s;

namespace graphics {

// Compresses the strips of one raw deflate stream apart from each other, so that every core can take
// some. A strip refers to no byte before it. Each strip but the last ends with an empty stored block on a
// byte boundary and has no block marked final, so the strips joined in order are one stream; the last
// one ends the stream.
//
// Tuned for filtered image rows: each strip is deflated with matches at every distance or with runs
// only, whichever suits its content.
//
// One deflater serves one thread at a time; it keeps its compressors and buffers from strip to strip.
class StripDeflater
{
public:
    // Throws std::bad_alloc when memory runs out, as deflate() does.
    StripDeflater();
    ~StripDeflater();
    StripDeflater(const StripDeflater&) = delete;
    StripDeflater& operator=(const StripDeflater&) = delete;

    QByteArray deflate(std::span<const quint8> strip, bool last);

private:
    std::span<const quint8> deflateRuns(std::span<const quint8> strip, bool last);
    std::span<const quint8> deflateMatches(libdeflate_compressor& compressor, std::span<const quint8> strip);

    using MatchCompressor = std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)>;
    MatchCompressor m_cleanCompressor;
    MatchCompressor m_otherCompressor;
    std::unique_ptr<z_stream_s> m_runCompressor;
    std::vector<quint8> m_runs;
    std::vector<quint8> m_matches;
};

} // namespace graphics
