#include "compression/LzmaCodec.h"

#include "compression/Stream.h"

namespace compression {

std::unique_ptr<Codec> LzmaCodec::make(Operation operation)
{
    std::unique_ptr<LzmaCodec> codec(new LzmaCodec);
    const lzma_ret result = operation == Operation::encode
                                ? lzma_easy_encoder(&codec->lzma_, LZMA_PRESET_DEFAULT, LZMA_CHECK_CRC64)
                                : lzma_stream_decoder(&codec->lzma_, decoderMemoryLimit, 0);
    if (result != LZMA_OK)
        return nullptr;
    return codec;
}

LzmaCodec::~LzmaCodec()
{
    lzma_end(&lzma_);
}

Status LzmaCodec::process(Stream& stream, bool finalize)
{
    lzma_.next_in = stream.sourcePointer;
    lzma_.avail_in = stream.sourceSize;
    lzma_.next_out = stream.destinationPointer;
    lzma_.avail_out = stream.destinationSize;
    const lzma_ret result = lzma_code(&lzma_, finalize ? LZMA_FINISH : LZMA_RUN);
    advance(stream, stream.sourceSize - lzma_.avail_in, stream.destinationSize - lzma_.avail_out);
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
