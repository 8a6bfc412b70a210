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
    bytes_.resize(capacity);
    offset_ = 0;
    return bytes_.data();
}

void PendingOutput::commit(std::size_t count)
{
    bytes_.resize(count);
    offset_ = 0;
}

void PendingOutput::drainInto(Stream& stream)
{
    const std::size_t count = std::min(bytes_.size() - offset_, stream.destinationSize);
    if (count == 0)
        return;
    std::memcpy(stream.destinationPointer, bytes_.data() + offset_, count);
    offset_ += count;
    advance(stream, 0, count);
}

} // namespace compression
