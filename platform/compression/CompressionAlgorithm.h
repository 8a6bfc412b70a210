#pragma once

namespace compression {

// The algorithms a Compressor offers, raw values 0 to 3.
enum class CompressionAlgorithm
{
    lz4,
    zlib,
    lzma,
    lzfse,
};

} // namespace compression
