#include "compression/Compressor.h"

#include "compression/Stream.h"

namespace compression {
namespace {

Algorithm libraryAlgorithm(CompressionAlgorithm algorithm)
{
    switch (algorithm) {
    case CompressionAlgorithm::lz4:
        return Algorithm::lz4;
    case CompressionAlgorithm::zlib:
        return Algorithm::zlib;
    case CompressionAlgorithm::lzma:
        return Algorithm::lzma;
    case CompressionAlgorithm::lzfse:
        break;
    }
    return Algorithm::lzfse;
}

} // namespace

Compressor::Compressor(CompressionOperation operation, std::unique_ptr<Stream> stream)
    : m_operation(operation)
    , m_destinationBuffer(std::make_unique<std::array<std::uint8_t, destinationBufferSize>>())
    , m_stream(std::move(stream))
{}

Compressor::Compressor(Compressor&&) noexcept = default;
Compressor& Compressor::operator=(Compressor&&) noexcept = default;
Compressor::~Compressor() = default; // the stream's destructor destroys the library stream

foundation::Expected<Compressor, CompressionError> Compressor::make(CompressionAlgorithm algorithm,
                                                                    CompressionOperation operation)
{
    auto stream = std::make_unique<Stream>();
    const auto libraryOperation =
        operation == CompressionOperation::compress ? Operation::encode : Operation::decode;
    if (stream->init(libraryOperation, libraryAlgorithm(algorithm)) == Status::error)
        return foundation::Unexpected(CompressionError::initializationError);
    return Compressor(operation, std::move(stream));
}

foundation::Expected<void, CompressionError> Compressor::process(const std::uint8_t* input, std::size_t count,
                                                                 const Output& output)
{
    if (count == 0)
        return {};
    std::uint8_t* const buffer = m_destinationBuffer->data();
    Stream& stream = *m_stream;
    stream.destinationPointer = buffer;
    stream.destinationSize = destinationBufferSize;
    stream.sourcePointer = input;
    stream.sourceSize = count;

    std::size_t produced = 0;
    auto handOn = [&](std::size_t length) {
        produced += length;
        if (m_operation == CompressionOperation::decompress && produced > maximumDecompressedSize)
            return false;
        output(buffer, length);
        return true;
    };

    Status status = Status::ok;
    for (;;) {
        status = stream.process(Stream::Flags::finalize);
        if (status != Status::ok)
            break;
        if (stream.destinationSize == 0) {
            if (!handOn(destinationBufferSize))
                return foundation::Unexpected(CompressionError::processingError);
            stream.destinationPointer = buffer;
            stream.destinationSize = destinationBufferSize;
        }
    }
    if (status == Status::error)
        return foundation::Unexpected(CompressionError::processingError);
    const auto last = static_cast<std::size_t>(stream.destinationPointer - buffer);
    if (last > 0 && !handOn(last))
        return foundation::Unexpected(CompressionError::processingError);
    return {};
}

} // namespace compression
