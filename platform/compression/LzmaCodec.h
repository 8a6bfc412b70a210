#pragma once

#include "compression/Codec.h"
#include "compression/Operation.h"

#include <lzma.h>
#include <memory>

namespace compression {

// xz streams over liblzma.
class LzmaCodec : public Codec
{
public:
    static std::unique_ptr<Codec> make(Operation operation);
    ~LzmaCodec() override;
    Status process(Stream& stream, bool finalize) override;

    // A stream whose header asks the decoder for more memory than this is refused.
    static constexpr std::uint64_t decoderMemoryLimit = 128ull << 20;

private:
    LzmaCodec() = default;

    lzma_stream m_lzma = LZMA_STREAM_INIT;
};

} // namespace compression
