#include "compression/ZstdCodec.h"

#include "compression/Stream.h"

#include <mutex>
#include <vector>

namespace compression {

namespace {

// Making a context costs more than compressing a small value (the document model compresses every colour
// and font it stores): contexts that streams are done with are kept for the next, a few of each kind.
template <typename Context> class ContextPool
{
public:
    using Make = Context* (*)();
    using Free = std::size_t (*)(Context*);

    ContextPool(Make make, Free free)
        : m_make(make)
        , m_free(free)
    {}
    ~ContextPool()
    {
        for (Context* context : m_kept)
            m_free(context);
    }

    Context* take()
    {
        {
            const std::lock_guard lock(m_mutex);
            if (!m_kept.empty()) {
                Context* context = m_kept.back();
                m_kept.pop_back();
                return context;
            }
        }
        return m_make();
    }

    // A context whose session and parameters were reset.
    void give(Context* context)
    {
        if (!context)
            return;
        {
            const std::lock_guard lock(m_mutex);
            if (m_kept.size() < keptCount) {
                m_kept.push_back(context);
                return;
            }
        }
        m_free(context);
    }

private:
    static constexpr std::size_t keptCount = 8;

    Make m_make;
    Free m_free;
    std::mutex m_mutex;
    std::vector<Context*> m_kept;
};

ContextPool<ZSTD_CCtx>& compressionContexts()
{
    static ContextPool<ZSTD_CCtx> pool(&ZSTD_createCCtx, &ZSTD_freeCCtx);
    return pool;
}

ContextPool<ZSTD_DCtx>& decompressionContexts()
{
    static ContextPool<ZSTD_DCtx> pool(&ZSTD_createDCtx, &ZSTD_freeDCtx);
    return pool;
}

} // namespace

std::unique_ptr<Codec> ZstdCodec::make(Operation operation)
{
    std::unique_ptr<ZstdCodec> codec(new ZstdCodec);
    if (operation == Operation::encode) {
        codec->m_compression = compressionContexts().take();
        if (!codec->m_compression ||
            ZSTD_isError(
                ZSTD_CCtx_setParameter(codec->m_compression, ZSTD_c_compressionLevel, compressionLevel)) ||
            ZSTD_isError(ZSTD_CCtx_setParameter(codec->m_compression, ZSTD_c_checksumFlag, 1)))
            return nullptr;
    } else {
        codec->m_decompression = decompressionContexts().take();
        if (!codec->m_decompression || ZSTD_isError(ZSTD_DCtx_setParameter(
                                           codec->m_decompression, ZSTD_d_windowLogMax, maximumWindowLog)))
            return nullptr;
    }
    return codec;
}

ZstdCodec::~ZstdCodec()
{
    // A context goes back as a new one is: no session, default parameters.
    if (m_compression && !ZSTD_isError(ZSTD_CCtx_reset(m_compression, ZSTD_reset_session_and_parameters)))
        compressionContexts().give(m_compression);
    else
        ZSTD_freeCCtx(m_compression);
    if (m_decompression && !ZSTD_isError(ZSTD_DCtx_reset(m_decompression, ZSTD_reset_session_and_parameters)))
        decompressionContexts().give(m_decompression);
    else
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
