#pragma once

namespace compression {

// The algorithms of the streaming interface, with the constants callers store. lzfse is served by
// Zstandard: the name is kept for the slot, the bytes are Zstandard frames.
enum class Algorithm
{
    lz4 = 0x100,   // LZ4 frames
    zlib = 0x205,  // raw DEFLATE, without zlib header or checksum
    lzma = 0x306,  // xz streams
    lzfse = 0x801, // Zstandard frames
};

} // namespace compression
