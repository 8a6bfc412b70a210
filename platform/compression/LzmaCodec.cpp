#include "compression/LzmaCodec.h"

#include "compression/Stream.h"

namespace compression {

std::unique_ptr<Codec> LzmaCodec::make(Operation operation)
{
    std::unique_ptr<LzmaCodec> codec(new LzmaCodec);
    const lzma_ret result = operation == Operation::encode
                                ? lzma_easy_encoder(&codec->m_lzma, LZMA_PRESET_DEFAULT, LZMA_CHECK_CRC64)
                                : lzma_stream_decoder(&codec->m_lzma, decoderMemoryLimit, 0);
    if (result != LZMA_OK)
        return nullptr;
    return codec;
}

LzmaCodec::~LzmaCodec()
{
    lzma_end(&m_lzma);
}

Status LzmaCodec::process(Stream& stream, bool finalize)
{
    m_lzma.next_in = stream.sourcePointer;
    m_lzma.avail_in = stream.sourceSize;
    m_lzma.next_out = stream.destinationPointer;
    m_lzma.avail_out = stream.destinationSize;
    const lzma_ret result = lzma_code(&m_lzma, finalize ? LZMA_FINISH : LZMA_RUN);
    advance(stream, stream.sourceSize - m_lzma.avail_in, stream.destinationSize - m_lzma.avail_out);
    switch (result) {
    case LZMA_STREAM_END:
        return Status::end;
    case LZMA_OK:
    case LZMA_BUF_ERROR: // no progress possible now; the stream decides whether that is final
        return Status::ok;
    default:
        return Status::error;
    }
}

} // namespace compression
