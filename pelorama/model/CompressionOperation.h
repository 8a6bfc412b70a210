#pragma once

namespace pelorama::model {

enum class CompressionOperation
{
    compress,   // the library's encode
    decompress, // the library's decode
};

} // namespace pelorama::model
