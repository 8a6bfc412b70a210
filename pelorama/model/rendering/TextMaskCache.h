#pragma once

#include "model/rendering/CaptionSnapshot.h"
#include "model/rendering/TextMask.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace pelorama::model {

// The masks of captions that cast a directional shadow, by what they are drawn from (the style and the
// layout width), shared by every renderer on every thread: the canvas view, thumbnails, previews and
// export draw the same mask object, so its traced outline (ContourCache) is made once. Thread-safe.
//
// At most budgetBytes of mask pixels are kept; the least recently used go first.
class TextMaskCache
{
public:
    explicit TextMaskCache(std::size_t budgetBytes);
    TextMaskCache(const TextMaskCache&) = delete;
    TextMaskCache& operator=(const TextMaskCache&) = delete;

    // The mask kept for style laid out at width; otherwise the one draw makes, kept from then on. When two
    // threads draw one mask at once, both get the one kept first. No value when draw makes none (a mask
    // too large for a bitmap), which is not kept.
    std::optional<TextMask> mask(const CaptionStyle& style, double width,
                                 const std::function<std::optional<TextMask>()>& draw);

    // The number of masks kept.
    std::size_t count();

private:
    struct Entry
    {
        CaptionStyle style;
        double width = 0;
        TextMask mask;
        std::size_t bytes = 0;
        std::uint64_t lastUse = 0;
    };

    std::vector<Entry>::iterator find(const CaptionStyle& style, double width);

    std::size_t m_budgetBytes;
    std::size_t m_usedBytes = 0;
    std::uint64_t m_useCounter = 0;
    std::mutex m_mutex;
    std::vector<Entry> m_entries;
};

} // namespace pelorama::model
