#include "model/imaging/ContourCache.h"

#include <QMutexLocker>
#include <algorithm>

namespace pelorama::model {

namespace {

// How many paths of a kind one bitmap keeps: a picture is usually shown with one clip rectangle, and a
// shadow is re-rendered at a handful of placements (canvas, thumbnail, export) between changes.
size_t capacity(ContourCache::Kind kind)
{
    switch (kind) {
    case ContourCache::Kind::traced:
        return 1;
    case ContourCache::Kind::outline:
    case ContourCache::Kind::clipped:
        return 4;
    case ContourCache::Kind::bands:
        return 8;
    }
    return 1;
}

} // namespace

ContourCache::PathPointer ContourCache::path(const graphics::BitmapImageRep& bitmap, const Key& key,
                                             const std::function<graphics::Path()>& make)
{
    if (bitmap.bitmap().isNull())
        return std::make_shared<const graphics::Path>(make());
    return pathIn(
        [&]() -> Entry& {
            dropUnreferenced();
            Entry& entry = m_entries[bitmap.bitmap().cacheKey()];
            if (entry.pixels.isNull())
                entry.pixels = bitmap.bitmap();
            return entry;
        },
        key, make, 1);
}

ContourCache::PathPointer ContourCache::path(const Key& key, const std::function<graphics::Path()>& make)
{
    // Pictures without a bitmap are few, but each of another size has its own paths.
    constexpr size_t capacityFactor = 4;
    return pathIn([this]() -> Entry& { return m_numbersOnly; }, key, make, capacityFactor);
}

ContourCache::PathPointer ContourCache::pathIn(const std::function<Entry&()>& entryOf, const Key& key,
                                               const std::function<graphics::Path()>& make,
                                               size_t capacityFactor)
{
    std::promise<PathPointer> promise;
    std::shared_future<PathPointer> future;
    bool maker = false;
    {
        QMutexLocker locker(&m_mutex);
        Entry& entry = entryOf();
        const auto found = std::find_if(entry.derived.begin(), entry.derived.end(),
                                        [&](const Derived& derived) { return derived.key == key; });
        if (found != entry.derived.end()) {
            found->lastUse = ++m_useCounter;
            future = found->path;
        } else {
            future = promise.get_future().share();
            entry.derived.push_back({key, future, ++m_useCounter});
            trim(entry, key.kind, capacityFactor);
            maker = true;
        }
    }
    if (!maker)
        return future.get();

    // Made outside the lock, so other paths are served meanwhile.
    try {
        promise.set_value(std::make_shared<const graphics::Path>(make()));
    } catch (...) {
        promise.set_exception(std::current_exception());
        QMutexLocker locker(&m_mutex);
        std::erase_if(entryOf().derived, [&](const Derived& derived) { return derived.key == key; });
        throw;
    }
    return future.get();
}

qsizetype ContourCache::bitmapCount()
{
    QMutexLocker locker(&m_mutex);
    dropUnreferenced();
    return static_cast<qsizetype>(m_entries.size());
}

void ContourCache::dropUnreferenced()
{
    std::erase_if(m_entries, [](const auto& item) { return item.second.pixels.isDetached(); });
}

void ContourCache::trim(Entry& entry, Kind kind, size_t capacityFactor)
{
    const auto ofKind = [kind](const Derived& derived) {
        return derived.key.kind == kind;
    };
    while (static_cast<size_t>(std::count_if(entry.derived.begin(), entry.derived.end(), ofKind)) >
           capacity(kind) * capacityFactor) {
        auto oldest = entry.derived.end();
        for (auto it = entry.derived.begin(); it != entry.derived.end(); ++it) {
            if (ofKind(*it) && (oldest == entry.derived.end() || it->lastUse < oldest->lastUse))
                oldest = it;
        }
        entry.derived.erase(oldest);
    }
}

} // namespace pelorama::model
