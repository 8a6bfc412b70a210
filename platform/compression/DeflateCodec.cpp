#include "compression/DeflateCodec.h"

#include "compression/Stream.h"

#include <algorithm>
#include <climits>

namespace compression {
namespace {

constexpr int rawWindowBits = -15;

} // namespace

DeflateCodec::DeflateCodec(Operation operation)
    : operation_(operation)
{}

std::unique_ptr<Codec> DeflateCodec::make(Operation operation)
{
    std::unique_ptr<DeflateCodec> codec(new DeflateCodec(operation));
    const int result = operation == Operation::encode
                           ? deflateInit2(&codec->z_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, rawWindowBits, 8,
                                          Z_DEFAULT_STRATEGY)
                           : inflateInit2(&codec->z_, rawWindowBits);
    if (result != Z_OK)
        return nullptr;
    codec->ready_ = true;
    return codec;
}

DeflateCodec::~DeflateCodec()
{
    if (!ready_)
        return;
    if (operation_ == Operation::encode)
        deflateEnd(&z_);
    else
        inflateEnd(&z_);
}

Status DeflateCodec::process(Stream& stream, bool finalize)
{
    const auto sourceCount = static_cast<uInt>(std::min<std::size_t>(stream.sourceSize, UINT_MAX));
    const auto destinationCount = static_cast<uInt>(std::min<std::size_t>(stream.destinationSize, UINT_MAX));
    z_.next_in = const_cast<Bytef*>(stream.sourcePointer); // zlib does not write through next_in
    z_.avail_in = sourceCount;
    z_.next_out = stream.destinationPointer;
    z_.avail_out = destinationCount;
    const int result = operation_ == Operation::encode ? deflate(&z_, finalize ? Z_FINISH : Z_NO_FLUSH)
                                                       : inflate(&z_, Z_NO_FLUSH);
    advance(stream, sourceCount - z_.avail_in, destinationCount - z_.avail_out);
    switch (result) {
    case Z_STREAM_END:
        return Status::end;
    case Z_OK:
    case Z_BUF_ERROR: // no progress possible now; the stream decides whether that is final
        return Status::ok;
    default:
        return Status::error;
    }
}

} // namespace compression
