#pragma once

namespace pelorama::document {

enum class CompressionOperation
{
    compress,   // the library's encode
    decompress, // the library's decode
};

} // namespace pelorama::document
