#include "compression/DataCompression.h"

#include "compression/Compressor.h"

namespace compression {
namespace {

void appendBytes(QByteArray& buffer, const std::uint8_t* bytes, std::size_t count)
{
    buffer.append(reinterpret_cast<const char*>(bytes), qsizetype(count));
}

void appendBytes(std::vector<std::uint8_t>& buffer, const std::uint8_t* bytes, std::size_t count)
{
    buffer.insert(buffer.end(), bytes, bytes + count);
}

// Appends the conversion of the bytes to result, which is given back unless the conversion fails.
template <typename Buffer>
std::optional<Buffer> convert(const std::uint8_t* bytes, std::size_t count, CompressionAlgorithm algorithm,
                              CompressionOperation operation, Buffer result)
{
    auto compressor = Compressor::make(algorithm, operation);
    if (!compressor)
        return std::nullopt;
    const auto processed =
        compressor->process(bytes, count, [&result](const std::uint8_t* step, std::size_t length) {
            appendBytes(result, step, length);
        });
    if (!processed)
        return std::nullopt;
    return result;
}

std::optional<QByteArray> convertBytes(const QByteArray& data, CompressionAlgorithm algorithm,
                                       CompressionOperation operation)
{
    // An empty result is an empty array, not a null one.
    return convert(reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size()),
                   algorithm, operation, QByteArray(""));
}

} // namespace

std::optional<QByteArray> compressed(const QByteArray& data, CompressionAlgorithm algorithm)
{
    return convertBytes(data, algorithm, CompressionOperation::compress);
}

std::optional<QByteArray> decompressed(const QByteArray& data, CompressionAlgorithm algorithm)
{
    return convertBytes(data, algorithm, CompressionOperation::decompress);
}

std::optional<std::vector<std::uint8_t>> compressed(std::span<const std::uint8_t> data,
                                                    CompressionAlgorithm algorithm)
{
    return convert(data.data(), data.size(), algorithm, CompressionOperation::compress,
                   std::vector<std::uint8_t>());
}

std::optional<std::vector<std::uint8_t>> decompressed(std::span<const std::uint8_t> data,
                                                      CompressionAlgorithm algorithm)
{
    return convert(data.data(), data.size(), algorithm, CompressionOperation::decompress,
                   std::vector<std::uint8_t>());
}

} // namespace compression
