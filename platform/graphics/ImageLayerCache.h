#pragma once

#include "graphics/LayerList.h"

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QTransform>
#include <cstddef>

namespace graphics {

// Keeps the pixels of bitmaps drawn scaled or turned, so that a context drawing for the screen that draws
// the same bitmap under the same transform again only blends them. Resampling a large device frame costs
// milliseconds on every render; blending the kept pixels a fraction of that.
//
// At most budgetBytes of pixels are kept; the least recently used go first. Thread-safe.
class ImageLayerCache
{
public:
    explicit ImageLayerCache(std::size_t budgetBytes);
    ImageLayerCache(const ImageLayerCache&) = delete;
    ImageLayerCache& operator=(const ImageLayerCache&) = delete;

    // The layer kept for the part source (in pixels) of bitmap drawn into target (a rectangle of the space
    // transform maps onto the bitmap's pixel rows), covering the pixel rectangle area; a null image when
    // there is none.
    QImage find(const QImage& bitmap, const QRectF& source, const QRectF& target, const QTransform& transform,
                const QRect& area);
    void insert(const QImage& bitmap, const QRectF& source, const QRectF& target, const QTransform& transform,
                const QRect& area, const QImage& layer);

private:
    struct Entry
    {
        // Held, so that no other bitmap takes its key while the entry lives.
        QImage bitmap;
        QRectF source;
        QRectF target;
        QTransform transform;
        QRect area;
        QImage layer;
    };

    LayerList<Entry> m_layers;
};

} // namespace graphics
