#pragma once

#include "compression/CompressionAlgorithm.h"
#include "compression/CompressionError.h"
#include "compression/CompressionOperation.h"
#include "foundation/Expected.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace compression {

class Stream;

// Drives the streaming compression library over one whole buffer, handing the output on in fixed steps
// of destinationBufferSize bytes, so a conversion needs one such buffer plus its growing result.
class Compressor
{
public:
    static constexpr std::size_t destinationBufferSize = 4096;
    // Decompression that would produce more than this stops with processingError: stored values are
    // small, and corrupt or hostile bytes must not make the process allocate without bound.
    static constexpr std::size_t maximumDecompressedSize = 64u << 20;

    // Receives each step of output; the bytes are valid only during the call, and count is never 0.
    using Output = std::function<void(const std::uint8_t* bytes, std::size_t count)>;

    static foundation::Expected<Compressor, CompressionError> make(CompressionAlgorithm algorithm,
                                                                   CompressionOperation operation);
    Compressor(Compressor&&) noexcept;
    Compressor& operator=(Compressor&&) noexcept;
    ~Compressor();

    // Processes the whole input in one go (every library call finalizes): output is called once for
    // every full step and once more for a last partial step. An empty input produces nothing, not even
    // a stream header. Truncated or corrupt input ends with processingError.
    foundation::Expected<void, CompressionError> process(const std::uint8_t* input, std::size_t count,
                                                         const Output& output);

private:
    Compressor(CompressionOperation operation, std::unique_ptr<Stream> stream);

    CompressionOperation m_operation;
    std::unique_ptr<std::array<std::uint8_t, destinationBufferSize>> m_destinationBuffer;
    std::unique_ptr<Stream> m_stream;
};

} // namespace compression
