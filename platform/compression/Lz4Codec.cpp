#include "compression/Lz4Codec.h"

#include "compression/Stream.h"

#include <algorithm>

namespace compression {
namespace {

// Input handed to the library per step, so the pending output stays small.
constexpr std::size_t encodeStep = 64 * 1024;

} // namespace

std::unique_ptr<Codec> Lz4Codec::make(Operation operation)
{
    std::unique_ptr<Lz4Codec> codec(new Lz4Codec);
    const LZ4F_errorCode_t result =
        operation == Operation::encode
            ? LZ4F_createCompressionContext(&codec->m_compression, LZ4F_VERSION)
            : LZ4F_createDecompressionContext(&codec->m_decompression, LZ4F_VERSION);
    if (LZ4F_isError(result))
        return nullptr;
    codec->m_preferences.frameInfo.contentChecksumFlag = LZ4F_contentChecksumEnabled;
    return codec;
}

Lz4Codec::~Lz4Codec()
{
    LZ4F_freeCompressionContext(m_compression);
    LZ4F_freeDecompressionContext(m_decompression);
}

Status Lz4Codec::process(Stream& stream, bool finalize)
{
    return m_compression ? encode(stream, finalize) : decode(stream);
}

Status Lz4Codec::encode(Stream& stream, bool finalize)
{
    for (;;) {
        m_pending.drainInto(stream);
        if (!m_pending.isEmpty())
            return Status::ok;
        if (m_ended)
            return Status::end;
        std::size_t written = 0;
        if (!m_begun) {
            std::uint8_t* buffer = m_pending.prepare(LZ4F_HEADER_SIZE_MAX);
            written = LZ4F_compressBegin(m_compression, buffer, LZ4F_HEADER_SIZE_MAX, &m_preferences);
            m_begun = true;
        } else if (stream.sourceSize > 0) {
            const std::size_t step = std::min(stream.sourceSize, encodeStep);
            const std::size_t capacity = LZ4F_compressBound(step, &m_preferences);
            std::uint8_t* buffer = m_pending.prepare(capacity);
            written =
                LZ4F_compressUpdate(m_compression, buffer, capacity, stream.sourcePointer, step, nullptr);
            if (!LZ4F_isError(written))
                advance(stream, step, 0);
        } else if (finalize) {
            const std::size_t capacity = LZ4F_compressBound(0, &m_preferences);
            std::uint8_t* buffer = m_pending.prepare(capacity);
            written = LZ4F_compressEnd(m_compression, buffer, capacity, nullptr);
            m_ended = true;
        } else {
            return Status::ok;
        }
        if (LZ4F_isError(written))
            return Status::error;
        m_pending.commit(written);
    }
}

Status Lz4Codec::decode(Stream& stream)
{
    std::size_t produced = stream.destinationSize;
    std::size_t consumed = stream.sourceSize;
    const std::size_t result = LZ4F_decompress(m_decompression, stream.destinationPointer, &produced,
                                               stream.sourcePointer, &consumed, nullptr);
    if (LZ4F_isError(result))
        return Status::error;
    advance(stream, consumed, produced);
    return result == 0 ? Status::end : Status::ok;
}

} // namespace compression
