#include "compression/Stream.h"

#include "compression/Codec.h"
#include "compression/DeflateCodec.h"
#include "compression/Lz4Codec.h"
#include "compression/LzmaCodec.h"
#include "compression/ZstdCodec.h"

namespace compression {

Stream::Stream() = default;
Stream::~Stream() = default;

Status Stream::init(Operation operation, Algorithm algorithm)
{
    m_codec.reset();
    m_last = Status::error;
    if (operation != Operation::encode && operation != Operation::decode)
        return Status::error;
    m_operation = operation;
    switch (algorithm) {
    case Algorithm::lz4:
        m_codec = Lz4Codec::make(operation);
        break;
    case Algorithm::zlib:
        m_codec = DeflateCodec::make(operation);
        break;
    case Algorithm::lzma:
        m_codec = LzmaCodec::make(operation);
        break;
    case Algorithm::lzfse:
        m_codec = ZstdCodec::make(operation);
        break;
    }
    if (!m_codec)
        return Status::error;
    m_last = Status::ok;
    return Status::ok;
}

Status Stream::process(Flags flags)
{
    if (m_codec && m_last == Status::ok) {
        const bool finalize = flags == Flags::finalize;
        const std::size_t sourceBefore = sourceSize;
        const std::size_t destinationBefore = destinationSize;
        m_last = m_codec->process(*this, finalize);
        // Once all input is in, a call that has room for output but moves nothing can never be followed by
        // one that does: the data ended early.
        if (m_last == Status::ok && finalize && destinationBefore > 0 && sourceSize == sourceBefore &&
            destinationSize == destinationBefore)
            m_last = Status::error;
    }
    // A decoder reads one compressed stream: bytes after its end are damage or something smuggled in,
    // never more of the data.
    if (m_last == Status::end && m_operation == Operation::decode && sourceSize > 0)
        m_last = Status::error;
    return m_last;
}

void Stream::destroy()
{
    m_codec.reset();
    m_last = Status::error;
}

} // namespace compression
