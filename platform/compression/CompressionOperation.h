#pragma once

namespace compression {

enum class CompressionOperation
{
    compress,   // the library's encode
    decompress, // the library's decode
};

} // namespace compression
