#pragma once

#include "compression/Codec.h"
#include "compression/Operation.h"

#include <lz4frame.h>
#include <memory>

namespace compression {

// LZ4 frames over liblz4.
class Lz4Codec : public Codec
{
public:
    static std::unique_ptr<Codec> make(Operation operation);
    ~Lz4Codec() override;
    Status process(Stream& stream, bool finalize) override;

private:
    Lz4Codec() = default;
    Status encode(Stream& stream, bool finalize);
    Status decode(Stream& stream);

    LZ4F_cctx* m_compression = nullptr;
    LZ4F_dctx* m_decompression = nullptr;
    LZ4F_preferences_t m_preferences{};
    PendingOutput m_pending;
    bool m_begun = false;
    bool m_ended = false;
};

} // namespace compression
