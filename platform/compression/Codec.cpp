#include "compression/Codec.h"

#include "compression/Stream.h"

#include <algorithm>
#include <cstring>

namespace compression {

void advance(Stream& stream, std::size_t consumed, std::size_t produced)
{
    stream.sourcePointer += consumed;
    stream.sourceSize -= consumed;
    stream.destinationPointer += produced;
    stream.destinationSize -= produced;
}

std::uint8_t* PendingOutput::prepare(std::size_t capacity)
{
    m_bytes.resize(capacity);
    m_offset = 0;
    return m_bytes.data();
}

void PendingOutput::commit(std::size_t count)
{
    m_bytes.resize(count);
    m_offset = 0;
}

void PendingOutput::drainInto(Stream& stream)
{
    const std::size_t count = std::min(m_bytes.size() - m_offset, stream.destinationSize);
    if (count == 0)
        return;
    std::memcpy(stream.destinationPointer, m_bytes.data() + m_offset, count);
    m_offset += count;
    advance(stream, 0, count);
}

} // namespace compression
