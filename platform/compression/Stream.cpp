#include "compression/Stream.h"

#include "compression/Codec.h"
#include "compression/DeflateCodec.h"
#include "compression/Lz4Codec.h"
#include "compression/LzmaCodec.h"
#include "compression/ZstdCodec.h"

namespace compression {

Stream::Stream() = default;
Stream::~Stream() = default;

Status Stream::init(Operation operation, Algorithm algorithm)
{
    codec_.reset();
    last_ = Status::error;
    if (operation != Operation::encode && operation != Operation::decode)
        return Status::error;
    switch (algorithm) {
    case Algorithm::lz4:
        codec_ = Lz4Codec::make(operation);
        break;
    case Algorithm::zlib:
        codec_ = DeflateCodec::make(operation);
        break;
    case Algorithm::lzma:
        codec_ = LzmaCodec::make(operation);
        break;
    case Algorithm::lzfse:
        codec_ = ZstdCodec::make(operation);
        break;
    }
    if (!codec_)
        return Status::error;
    last_ = Status::ok;
    return Status::ok;
}

Status Stream::process(Flags flags)
{
    if (!codec_ || last_ != Status::ok)
        return last_;
    const bool finalize = flags == Flags::finalize;
    const std::size_t sourceBefore = sourceSize;
    const std::size_t destinationBefore = destinationSize;
    last_ = codec_->process(*this, finalize);
    // Once all input is in, a call that has room for output but moves nothing can never be followed by
    // one that does: the data ended early.
    if (last_ == Status::ok && finalize && destinationBefore > 0 && sourceSize == sourceBefore &&
        destinationSize == destinationBefore)
        last_ = Status::error;
    return last_;
}

void Stream::destroy()
{
    codec_.reset();
    last_ = Status::error;
}

} // namespace compression
