#include "compression/ZstdCodec.h"

#include "compression/Stream.h"

namespace compression {

std::unique_ptr<Codec> ZstdCodec::make(Operation operation)
{
    std::unique_ptr<ZstdCodec> codec(new ZstdCodec);
    if (operation == Operation::encode) {
        codec->compression_ = ZSTD_createCCtx();
        if (!codec->compression_ ||
            ZSTD_isError(
                ZSTD_CCtx_setParameter(codec->compression_, ZSTD_c_compressionLevel, compressionLevel)) ||
            ZSTD_isError(ZSTD_CCtx_setParameter(codec->compression_, ZSTD_c_checksumFlag, 1)))
            return nullptr;
    } else {
        codec->decompression_ = ZSTD_createDCtx();
        if (!codec->decompression_ || ZSTD_isError(ZSTD_DCtx_setParameter(
                                          codec->decompression_, ZSTD_d_windowLogMax, maximumWindowLog)))
            return nullptr;
    }
    return codec;
}

ZstdCodec::~ZstdCodec()
{
    ZSTD_freeCCtx(compression_);
    ZSTD_freeDCtx(decompression_);
}

Status ZstdCodec::process(Stream& stream, bool finalize)
{
    ZSTD_inBuffer input{stream.sourcePointer, stream.sourceSize, 0};
    ZSTD_outBuffer output{stream.destinationPointer, stream.destinationSize, 0};
    const std::size_t result = compression_ ? ZSTD_compressStream2(compression_, &output, &input,
                                                                   finalize ? ZSTD_e_end : ZSTD_e_continue)
                                            : ZSTD_decompressStream(decompression_, &output, &input);
    if (ZSTD_isError(result))
        return Status::error;
    advance(stream, input.pos, output.pos);
    if (result == 0 && (decompression_ || finalize))
        return Status::end;
    return Status::ok;
}

} // namespace compression
