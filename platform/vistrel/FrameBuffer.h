#pragma once

#include "graphics/Image.h"
#include "graphics/Size.h"

#include <QImage>

namespace vistrel {

// One picture for a Vistrel view to show: the pixels of an image's first representation and the size
// in points they cover. It is made once per picture and never changes, so a view can upload it when it
// first sees it and keep the texture until another frame buffer replaces it.
class FrameBuffer
{
public:
    // An image without a representation gives a frame buffer without pixels, which shows nothing.
    explicit FrameBuffer(const graphics::Image& image);

    // Premultiplied RGBA, the top row first.
    const QImage& pixels() const { return m_pixels; }
    graphics::Size size() const { return m_size; }
    bool isEmpty() const { return m_pixels.isNull(); }

private:
    QImage m_pixels;
    graphics::Size m_size;
};

} // namespace vistrel
