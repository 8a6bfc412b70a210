#pragma once

#include "compression/Codec.h"
#include "compression/Operation.h"

#include <memory>
#include <zstd.h>

namespace compression {

// Zstandard frames over libzstd.
class ZstdCodec : public Codec
{
public:
    static std::unique_ptr<Codec> make(Operation operation);
    ~ZstdCodec() override;
    Status process(Stream& stream, bool finalize) override;

    static constexpr int compressionLevel = 3;
    // Frames that need a larger window (2^26 bytes = 64 MiB) are refused rather than allocated.
    static constexpr int maximumWindowLog = 26;

private:
    ZstdCodec() = default;

    ZSTD_CCtx* m_compression = nullptr;
    ZSTD_DCtx* m_decompression = nullptr;
};

} // namespace compression
