#include "model/rendering/TextMaskCache.h"

#include <algorithm>

namespace pelorama::model {

namespace {

std::size_t bytesOf(const TextMask& mask)
{
    if (!mask.image || mask.image->representations().empty())
        return 0;
    return std::size_t(mask.image->representations().front().bytesPerPlane());
}

} // namespace

TextMaskCache::TextMaskCache(std::size_t budgetBytes)
    : m_budgetBytes(budgetBytes)
{}

std::vector<TextMaskCache::Entry>::iterator TextMaskCache::find(const CaptionStyle& style, double width)
{
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&](const Entry& entry) { return entry.width == width && entry.style == style; });
}

std::optional<TextMask> TextMaskCache::mask(const CaptionStyle& style, double width,
                                            const std::function<std::optional<TextMask>()>& draw)
{
    {
        const std::lock_guard lock(m_mutex);
        const auto found = find(style, width);
        if (found != m_entries.end()) {
            found->lastUse = ++m_useCounter;
            return found->mask;
        }
    }
    // Drawn outside the lock, so other masks are served meanwhile.
    std::optional<TextMask> drawn = draw();
    if (!drawn || !drawn->image)
        return drawn;

    const std::lock_guard lock(m_mutex);
    const auto found = find(style, width);
    if (found != m_entries.end()) {
        found->lastUse = ++m_useCounter;
        return found->mask;
    }
    const std::size_t bytes = bytesOf(*drawn);
    m_entries.push_back({style, width, *drawn, bytes, ++m_useCounter});
    m_usedBytes += bytes;
    // The newest mask stays even when it alone is over the budget: it is about to be drawn.
    while (m_usedBytes > m_budgetBytes && m_entries.size() > 1) {
        const auto oldest =
            std::min_element(m_entries.begin(), m_entries.end(),
                             [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
        m_usedBytes -= oldest->bytes;
        m_entries.erase(oldest);
    }
    return drawn;
}

std::size_t TextMaskCache::count()
{
    const std::lock_guard lock(m_mutex);
    return m_entries.size();
}

} // namespace pelorama::model
