#pragma once

#include "compression/Algorithm.h"
#include "compression/Operation.h"
#include "compression/Status.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace compression {

class Codec;

// One streaming compression or decompression. The caller points the stream at its input and output
// buffers and calls process() until it answers end or error; each call consumes input from sourcePointer
// and writes output at destinationPointer, advancing the pointers and reducing the sizes by what it used.
// A decompression reads exactly one compressed stream (one frame): input left over once it has ended,
// even another valid frame, makes it answer error.
class Stream
{
public:
    enum class Flags
    {
        none = 0,
        // All remaining input has been handed over: finish the data. A decoder that cannot get further
        // with output space available then answers error, so truncated input ends instead of looping.
        finalize = 1,
    };

    Stream();
    ~Stream();
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    // Sets the stream up; error when the algorithm is unknown or its library refuses. Setting up again
    // starts a new stream.
    Status init(Operation operation, Algorithm algorithm);
    Status process(Flags flags);
    // Releases the library state; process() then answers error until init() is called again.
    void destroy();

    std::uint8_t* destinationPointer = nullptr;
    std::size_t destinationSize = 0;
    const std::uint8_t* sourcePointer = nullptr;
    std::size_t sourceSize = 0;

private:
    std::unique_ptr<Codec> m_codec;
    Operation m_operation = Operation::encode;
    Status m_last = Status::error;
};

} // namespace compression
