#include "graphics/FillCache.h"

namespace graphics {

namespace {

// Exact comparison: a layer filled under a transform that differs in the last bit may differ by a pixel.
bool sameTransform(const QTransform& a, const QTransform& b)
{
    return a.m11() == b.m11() && a.m12() == b.m12() && a.m13() == b.m13() && a.m21() == b.m21() &&
           a.m22() == b.m22() && a.m23() == b.m23() && a.m31() == b.m31() && a.m32() == b.m32() &&
           a.m33() == b.m33();
}

std::size_t bytesOf(const QImage& layer)
{
    return static_cast<std::size_t>(layer.sizeInBytes());
}

} // namespace

FillCache::FillCache(std::size_t budgetBytes)
    : m_budgetBytes(budgetBytes)
{}

QImage FillCache::find(const std::shared_ptr<const Path>& path, const Color& colour,
                       const QTransform& transform, const QRect& area, bool forScreen)
{
    const std::lock_guard lock(m_mutex);
    for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
        if (entry->path == path && entry->colour == colour && entry->area == area &&
            entry->forScreen == forScreen && sameTransform(entry->transform, transform)) {
            m_entries.splice(m_entries.begin(), m_entries, entry);
            return m_entries.front().layer;
        }
    }
    return {};
}

void FillCache::insert(const std::shared_ptr<const Path>& path, const Color& colour,
                       const QTransform& transform, const QRect& area, const QImage& layer, bool forScreen)
{
    const std::size_t bytes = bytesOf(layer);
    if (bytes > m_budgetBytes)
        return;
    const std::lock_guard lock(m_mutex);
    m_entries.push_front({path, colour, transform, area, forScreen, layer});
    m_usedBytes += bytes;
    while (m_usedBytes > m_budgetBytes) {
        m_usedBytes -= bytesOf(m_entries.back().layer);
        m_entries.pop_back();
    }
}

} // namespace graphics
