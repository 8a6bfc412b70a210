#pragma once

#include "graphics/BitmapImageRep.h"
#include "graphics/Path.h"

#include <QImage>
#include <QMutex>
#include <array>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <unordered_map>
#include <vector>

namespace pelorama::model {

// The store of what directional shadows compute from a picture (one for all renders, among their
// resources): its traced outline, the
// outline clipped to the part of the picture that is shown, the shadow bands. Canvas views, thumbnails,
// export and template previews render on several threads, so every operation may be called from any
// thread.
//
// Entries belong to a bitmap's identity (its pixel data, shared by every copy of the image) and live as
// long as the bitmap: the cache keeps one more reference to the pixels and drops the entry at a later
// lookup once that reference is the last. Changing a bitmap's pixels gives it a new identity.
//
// Paths handed out are shared and never change.
class ContourCache
{
public:
    using PathPointer = std::shared_ptr<const graphics::Path>;

    // What a path is, with the numbers it was made from; paths of one bitmap are told apart by it.
    enum class Kind : std::uint8_t
    {
        traced,  // the polygons of the opaque regions and holes, in pixel space
        outline, // the same in the picture's space, for one picture size
        clipped, // the outline intersected with a clip rectangle
        bands,   // the shadow bands for one placement, angle and depth
    };
    struct Key
    {
        Kind kind = Kind::traced;
        std::array<double, 12> values{};

        friend bool operator==(const Key&, const Key&) = default;
    };

    // The path of bitmap under key, made by make on first request and shared afterwards. A path is made
    // once: callers asking for it while it is being made wait for it. Only the most recently used few
    // clipped outlines and bands are kept per bitmap; the traced outline stays as long as the bitmap.
    // An exception thrown by make reaches every waiting caller and is not cached.
    PathPointer path(const graphics::BitmapImageRep& bitmap, const Key& key,
                     const std::function<graphics::Path()>& make);
    // The same for a path that depends on the numbers of key alone, such as the outline of a picture
    // without a bitmap (its bounds) and its bands. The most recently used few of each kind are kept.
    PathPointer path(const Key& key, const std::function<graphics::Path()>& make);

    // The number of bitmaps with entries, after dropping those of bitmaps that have gone.
    qsizetype bitmapCount();

private:
    struct Derived
    {
        Key key;
        std::shared_future<PathPointer> path;
        std::uint64_t lastUse = 0;
    };
    struct Entry
    {
        QImage pixels; // a reference that tells when every other copy has gone
        std::vector<Derived> derived;
    };

    // The path under key of the entry that entryOf answers; it is called with the mutex held.
    PathPointer pathIn(const std::function<Entry&()>& entryOf, const Key& key,
                       const std::function<graphics::Path()>& make, size_t capacityFactor);
    void dropUnreferenced();
    static void trim(Entry& entry, Kind kind, size_t capacityFactor);

    QMutex m_mutex;
    std::unordered_map<qint64, Entry> m_entries;
    Entry m_numbersOnly; // paths of no bitmap
    std::uint64_t m_useCounter = 0;
};

} // namespace pelorama::model
