#pragma once

namespace compression {

enum class CompressionError
{
    initializationError, // the library refused to set up the stream
    processingError,     // the library reported an error while processing, or the output grew too large
};

} // namespace compression
