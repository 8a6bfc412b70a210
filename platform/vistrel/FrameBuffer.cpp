#include "vistrel/FrameBuffer.h"

namespace vistrel {

FrameBuffer::FrameBuffer(const graphics::Image& image)
    : m_size(image.size())
{
    if (!image.representations().empty())
        m_pixels = image.representations().front().bitmap();
}

} // namespace vistrel
