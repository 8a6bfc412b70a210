#include "graphics/ImageLayerCache.h"

namespace graphics {

namespace {

bool sameTransform(const QTransform& a, const QTransform& b)
{
    return a.m11() == b.m11() && a.m12() == b.m12() && a.m13() == b.m13() && a.m21() == b.m21() &&
           a.m22() == b.m22() && a.m23() == b.m23() && a.m31() == b.m31() && a.m32() == b.m32() &&
           a.m33() == b.m33();
}

// Exact, as QRectF's comparison is not: a layer drawn into a rectangle a bit away differs by a pixel.
bool sameRect(const QRectF& a, const QRectF& b)
{
    return a.x() == b.x() && a.y() == b.y() && a.width() == b.width() && a.height() == b.height();
}

std::size_t bytesOf(const QImage& layer)
{
    return static_cast<std::size_t>(layer.sizeInBytes());
}

} // namespace

ImageLayerCache::ImageLayerCache(std::size_t budgetBytes)
    : m_budgetBytes(budgetBytes)
{}

QImage ImageLayerCache::find(const QImage& bitmap, const QRectF& source, const QRectF& target,
                             const QTransform& transform, const QRect& area)
{
    const std::lock_guard lock(m_mutex);
    for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
        if (entry->bitmap.cacheKey() == bitmap.cacheKey() && sameRect(entry->source, source) &&
            sameRect(entry->target, target) && entry->area == area &&
            sameTransform(entry->transform, transform)) {
            m_entries.splice(m_entries.begin(), m_entries, entry);
            return m_entries.front().layer;
        }
    }
    return {};
}

void ImageLayerCache::insert(const QImage& bitmap, const QRectF& source, const QRectF& target,
                             const QTransform& transform, const QRect& area, const QImage& layer)
{
    const std::size_t bytes = bytesOf(layer);
    if (bytes > m_budgetBytes)
        return;
    const std::lock_guard lock(m_mutex);
    m_entries.push_front({bitmap, source, target, transform, area, layer});
    m_usedBytes += bytes;
    while (m_usedBytes > m_budgetBytes) {
        m_usedBytes -= bytesOf(m_entries.back().layer);
        m_entries.pop_back();
    }
}

} // namespace graphics
