#include "graphics/ImageLayerCache.h"

namespace graphics {

namespace {

// Exact, as QRectF's comparison is not: a layer drawn into a rectangle a bit away differs by a pixel.
bool sameRect(const QRectF& a, const QRectF& b)
{
    return a.x() == b.x() && a.y() == b.y() && a.width() == b.width() && a.height() == b.height();
}

} // namespace

ImageLayerCache::ImageLayerCache(std::size_t budgetBytes)
    : m_layers(budgetBytes)
{}

QImage ImageLayerCache::find(const QImage& bitmap, const QRectF& source, const QRectF& target,
                             const QTransform& transform, const QRect& area)
{
    return m_layers.find([&](const Entry& entry) {
        return entry.bitmap.cacheKey() == bitmap.cacheKey() && sameRect(entry.source, source) &&
               sameRect(entry.target, target) && entry.area == area &&
               sameTransform(entry.transform, transform);
    });
}

void ImageLayerCache::insert(const QImage& bitmap, const QRectF& source, const QRectF& target,
                             const QTransform& transform, const QRect& area, const QImage& layer)
{
    m_layers.insert({bitmap, source, target, transform, area, layer});
}

} // namespace graphics
