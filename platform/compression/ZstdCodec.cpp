#include "compression/ZstdCodec.h"

#include "compression/Stream.h"

namespace compression {

std::unique_ptr<Codec> ZstdCodec::make(Operation operation)
{
    std::unique_ptr<ZstdCodec> codec(new ZstdCodec);
    if (operation == Operation::encode) {
        codec->m_compression = ZSTD_createCCtx();
        if (!codec->m_compression ||
            ZSTD_isError(
                ZSTD_CCtx_setParameter(codec->m_compression, ZSTD_c_compressionLevel, compressionLevel)) ||
            ZSTD_isError(ZSTD_CCtx_setParameter(codec->m_compression, ZSTD_c_checksumFlag, 1)))
            return nullptr;
    } else {
        codec->m_decompression = ZSTD_createDCtx();
        if (!codec->m_decompression || ZSTD_isError(ZSTD_DCtx_setParameter(
                                           codec->m_decompression, ZSTD_d_windowLogMax, maximumWindowLog)))
            return nullptr;
    }
    return codec;
}

ZstdCodec::~ZstdCodec()
{
    ZSTD_freeCCtx(m_compression);
    ZSTD_freeDCtx(m_decompression);
}

Status ZstdCodec::process(Stream& stream, bool finalize)
{
    ZSTD_inBuffer input{stream.sourcePointer, stream.sourceSize, 0};
    ZSTD_outBuffer output{stream.destinationPointer, stream.destinationSize, 0};
    const std::size_t result = m_compression ? ZSTD_compressStream2(m_compression, &output, &input,
                                                                    finalize ? ZSTD_e_end : ZSTD_e_continue)
                                             : ZSTD_decompressStream(m_decompression, &output, &input);
    if (ZSTD_isError(result))
        return Status::error;
    advance(stream, input.pos, output.pos);
    if (result == 0 && (m_decompression || finalize))
        return Status::end;
    return Status::ok;
}

} // namespace compression
