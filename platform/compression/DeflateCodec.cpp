#include "compression/DeflateCodec.h"

#include "compression/Stream.h"

#include <algorithm>
#include <climits>

namespace compression {
namespace {

constexpr int rawWindowBits = -15;

} // namespace

DeflateCodec::DeflateCodec(Operation operation)
    : m_operation(operation)
{}

std::unique_ptr<Codec> DeflateCodec::make(Operation operation)
{
    std::unique_ptr<DeflateCodec> codec(new DeflateCodec(operation));
    const int result = operation == Operation::encode
                           ? deflateInit2(&codec->m_z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, rawWindowBits, 8,
                                          Z_DEFAULT_STRATEGY)
                           : inflateInit2(&codec->m_z, rawWindowBits);
    if (result != Z_OK)
        return nullptr;
    codec->m_ready = true;
    return codec;
}

DeflateCodec::~DeflateCodec()
{
    if (!m_ready)
        return;
    if (m_operation == Operation::encode)
        deflateEnd(&m_z);
    else
        inflateEnd(&m_z);
}

Status DeflateCodec::process(Stream& stream, bool finalize)
{
    const auto sourceCount = static_cast<uInt>(std::min<std::size_t>(stream.sourceSize, UINT_MAX));
    const auto destinationCount = static_cast<uInt>(std::min<std::size_t>(stream.destinationSize, UINT_MAX));
    m_z.next_in = const_cast<Bytef*>(stream.sourcePointer); // zlib does not write through next_in
    m_z.avail_in = sourceCount;
    m_z.next_out = stream.destinationPointer;
    m_z.avail_out = destinationCount;
    const int result = m_operation == Operation::encode ? deflate(&m_z, finalize ? Z_FINISH : Z_NO_FLUSH)
                                                        : inflate(&m_z, Z_NO_FLUSH);
    advance(stream, sourceCount - m_z.avail_in, destinationCount - m_z.avail_out);
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
