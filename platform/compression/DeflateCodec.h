#pragma once

#include "compression/Codec.h"
#include "compression/Operation.h"

#include <memory>
#include <zlib.h>

namespace compression {

// Raw DEFLATE (no zlib header or checksum) over zlib.
class DeflateCodec : public Codec
{
public:
    static std::unique_ptr<Codec> make(Operation operation);
    ~DeflateCodec() override;
    Status process(Stream& stream, bool finalize) override;

private:
    explicit DeflateCodec(Operation operation);

    Operation m_operation;
    z_stream m_z{};
    bool m_ready = false;
};

} // namespace compression
