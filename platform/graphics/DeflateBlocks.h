#pragma once

#include <QtGlobal>
#include <optional>
#include <span>

namespace graphics {

// Where the final block of a complete raw deflate stream lies. Bits count from the lowest bit of the
// first byte, in the order the format packs them.
//
// Joining streams compressed apart needs it: a compressor that only takes whole buffers marks its last
// block final and pads it to a byte, and a stream meant to be followed must have neither.
struct DeflateBlocks
{
    // The final block's first header bit, the one that marks it final.
    qsizetype finalBlockBit = 0;
    // Just past the final block's end-of-block code.
    qsizetype endBit = 0;

    // Walks the blocks of data, decoding their codes without producing output. Nothing unless the walk
    // reaches a final block that ends in the last byte: a stream cut short, one with bytes past its end,
    // or one whose block headers or codes are damaged. (Distances are not checked against the data
    // before them.)
    static std::optional<DeflateBlocks> scan(std::span<const quint8> data);
};

} // namespace graphics
