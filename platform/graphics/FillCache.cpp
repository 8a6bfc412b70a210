#include "graphics/FillCache.h"

namespace graphics {

FillCache::FillCache(std::size_t budgetBytes)
    : m_layers(budgetBytes)
{}

QImage FillCache::find(const std::shared_ptr<const Path>& path, const Color& colour,
                       const QTransform& transform, const QRect& area, bool forScreen)
{
    return m_layers.find([&](const Entry& entry) {
        return entry.path == path && entry.colour == colour && entry.area == area &&
               entry.forScreen == forScreen && sameTransform(entry.transform, transform);
    });
}

void FillCache::insert(const std::shared_ptr<const Path>& path, const Color& colour,
                       const QTransform& transform, const QRect& area, const QImage& layer, bool forScreen)
{
    m_layers.insert({path, colour, transform, area, forScreen, layer});
}

void FillCache::forgetExactLayers()
{
    m_layers.forget([](const Entry& entry) { return !entry.forScreen; });
}

} // namespace graphics
