#pragma once

#include "compression/CompressionAlgorithm.h"

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace compression {

// Whole-buffer conversions, each through a fresh Compressor; any error gives no value. An empty input
// gives an empty output. Safe to call from any thread.
std::optional<QByteArray> compressed(const QByteArray& data, CompressionAlgorithm algorithm);
std::optional<QByteArray> decompressed(const QByteArray& data, CompressionAlgorithm algorithm);

// The same over plain byte buffers, for callers that hold no Qt containers.
std::optional<std::vector<std::uint8_t>> compressed(std::span<const std::uint8_t> data,
                                                    CompressionAlgorithm algorithm);
std::optional<std::vector<std::uint8_t>> decompressed(std::span<const std::uint8_t> data,
                                                      CompressionAlgorithm algorithm);

} // namespace compression
