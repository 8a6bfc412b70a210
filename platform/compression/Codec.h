#pragma once

#include "compression/Status.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace compression {

class Stream;

// One library behind the stream: moves bytes from the stream's source to its destination.
class Codec
{
public:
    virtual ~Codec() = default;
    virtual Status process(Stream& stream, bool finalize) = 0;
};

// Moves the stream past consumed bytes of its source and produced bytes of its destination.
void advance(Stream& stream, std::size_t consumed, std::size_t produced);

// Output a library produced into its own buffer and that still waits for destination space.
class PendingOutput
{
public:
    bool isEmpty() const { return m_offset == m_bytes.size(); }
    // A buffer of at least capacity bytes to fill; commit() keeps the first count of them.
    std::uint8_t* prepare(std::size_t capacity);
    void commit(std::size_t count);
    void drainInto(Stream& stream);

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_offset = 0;
};

} // namespace compression
