#include "compression/Lz4Codec.h"

#include "compression/Stream.h"

#include <algorithm>

namespace compression {
namespace {

// Input handed to the library per step, so the pending output stays small.
constexpr std::size_t encodeStep = 64 * 1024;

} // namespace

std::unique_ptr<Codec> Lz4Codec::make(Operation operation)
{
    std::unique_ptr<Lz4Codec> codec(new Lz4Codec);
    const LZ4F_errorCode_t result =
        operation == Operation::encode
            ? LZ4F_createCompressionContext(&codec->compression_, LZ4F_VERSION)
            : LZ4F_createDecompressionContext(&codec->decompression_, LZ4F_VERSION);
    if (LZ4F_isError(result))
        return nullptr;
    codec->preferences_.frameInfo.contentChecksumFlag = LZ4F_contentChecksumEnabled;
    return codec;
}

Lz4Codec::~Lz4Codec()
{
    LZ4F_freeCompressionContext(compression_);
    LZ4F_freeDecompressionContext(decompression_);
}

Status Lz4Codec::process(Stream& stream, bool finalize)
{
    return compression_ ? encode(stream, finalize) : decode(stream);
}

Status Lz4Codec::encode(Stream& stream, bool finalize)
{
    for (;;) {
        pending_.drainInto(stream);
        if (!pending_.isEmpty())
            return Status::ok;
        if (ended_)
            return Status::end;
        std::size_t written = 0;
        if (!begun_) {
            std::uint8_t* buffer = pending_.prepare(LZ4F_HEADER_SIZE_MAX);
            written = LZ4F_compressBegin(compression_, buffer, LZ4F_HEADER_SIZE_MAX, &preferences_);
            begun_ = true;
        } else if (stream.sourceSize > 0) {
            const std::size_t step = std::min(stream.sourceSize, encodeStep);
            const std::size_t capacity = LZ4F_compressBound(step, &preferences_);
            std::uint8_t* buffer = pending_.prepare(capacity);
            written =
                LZ4F_compressUpdate(compression_, buffer, capacity, stream.sourcePointer, step, nullptr);
            if (!LZ4F_isError(written))
                advance(stream, step, 0);
        } else if (finalize) {
            const std::size_t capacity = LZ4F_compressBound(0, &preferences_);
            std::uint8_t* buffer = pending_.prepare(capacity);
            written = LZ4F_compressEnd(compression_, buffer, capacity, nullptr);
            ended_ = true;
        } else {
            return Status::ok;
        }
        if (LZ4F_isError(written))
            return Status::error;
        pending_.commit(written);
    }
}

Status Lz4Codec::decode(Stream& stream)
{
    std::size_t produced = stream.destinationSize;
    std::size_t consumed = stream.sourceSize;
    const std::size_t result = LZ4F_decompress(decompression_, stream.destinationPointer, &produced,
                                               stream.sourcePointer, &consumed, nullptr);
    if (LZ4F_isError(result))
        return Status::error;
    advance(stream, consumed, produced);
    return result == 0 ? Status::end : Status::ok;
}

} // namespace compression
