#pragma once

#include "graphics/Color.h"
#include "graphics/LayerList.h"

#include <QImage>
#include <QRect>
#include <QTransform>
#include <cstddef>
#include <memory>

namespace graphics {

class Path;

// Keeps the pixels of filled paths, so that GraphicsContext::fillPath(path, cache) with the same path
// object, colour and device transform only blends them again. Antialiased filling of a large shape costs
// tens of milliseconds; blending its kept pixels a fraction of one. The result is the same to the bit: the
// kept pixels are the path filled into a transparent layer, and source-over blending of that layer equals
// filling the path in place.
//
// At most budgetBytes of pixels are kept; the least recently used go first. Thread-safe.
class FillCache
{
public:
    explicit FillCache(std::size_t budgetBytes);
    FillCache(const FillCache&) = delete;
    FillCache& operator=(const FillCache&) = delete;

    // The layer kept for path filled with colour under transform (user space to the bitmap's pixel rows)
    // into the pixel rectangle area; a null image when there is none. Layers filled for the screen, whose
    // edges may differ from exact filling by a level of coverage, are kept apart from exact ones.
    QImage find(const std::shared_ptr<const Path>& path, const Color& colour, const QTransform& transform,
                const QRect& area, bool forScreen = false);
    void insert(const std::shared_ptr<const Path>& path, const Color& colour, const QTransform& transform,
                const QRect& area, const QImage& layer, bool forScreen = false);
    // Forgets the exactly filled layers and keeps those filled for the screen: once a batch of renders
    // that no later render repeats has ended (an export of many pictures), whose full-size layers would
    // hold their memory.
    void forgetExactLayers();

private:
    struct Entry
    {
        // Held, so no other path can take the address while the entry lives.
        std::shared_ptr<const Path> path;
        Color colour;
        QTransform transform;
        QRect area;
        bool forScreen;
        QImage layer;
    };

    LayerList<Entry> m_layers;
};

} // namespace graphics
