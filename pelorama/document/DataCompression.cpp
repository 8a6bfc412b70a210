#include "document/DataCompression.h"

#include "document/Compressor.h"

namespace pelorama::document {
namespace {

template <typename Buffer>
std::optional<Buffer> convert(const std::uint8_t* bytes, std::size_t count, CompressionAlgorithm algorithm,
                              CompressionOperation operation)
{
    auto compressor = Compressor::make(algorithm, operation);
    if (!compressor)
        return std::nullopt;
    Buffer result;
    const auto processed =
        compressor->process(bytes, count, [&result](const std::uint8_t* step, std::size_t length) {
            result.insert(result.end(), step, step + length);
        });
    if (!processed)
        return std::nullopt;
    return result;
}

std::optional<QByteArray> convertBytes(const QByteArray& data, CompressionAlgorithm algorithm,
                                       CompressionOperation operation)
{
    auto compressor = Compressor::make(algorithm, operation);
    if (!compressor)
        return std::nullopt;
    QByteArray result("");
    const auto processed =
        compressor->process(reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size()),
                            [&result](const std::uint8_t* step, std::size_t length) {
                                result.append(reinterpret_cast<const char*>(step), qsizetype(length));
                            });
    if (!processed)
        return std::nullopt;
    return result;
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
    return convert<std::vector<std::uint8_t>>(data.data(), data.size(), algorithm,
                                              CompressionOperation::compress);
}

std::optional<std::vector<std::uint8_t>> decompressed(std::span<const std::uint8_t> data,
                                                      CompressionAlgorithm algorithm)
{
    return convert<std::vector<std::uint8_t>>(data.data(), data.size(), algorithm,
                                              CompressionOperation::decompress);
}

} // namespace pelorama::document
