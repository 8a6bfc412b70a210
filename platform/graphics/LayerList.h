#pragma once

#include <QImage>
#include <QTransform>
#include <cstddef>
#include <list>
#include <mutex>
#include <optional>

namespace graphics {

// Layers (pixels kept to blend again) with what each was made from, most recently used first, within a
// budget of bytes: the least recently used go first. Entry is a value with the layer in its member
// `layer`. Thread-safe.
template <typename Entry> class LayerList
{
public:
    explicit LayerList(std::size_t budgetBytes)
        : m_budgetBytes(budgetBytes)
    {}

    // The layer of the first entry that matches; a null image when none does.
    template <typename Matches> QImage find(const Matches& matches)
    {
        const std::optional<Entry> found = findEntry(matches);
        return found ? found->layer : QImage();
    }

    // The first entry that matches, which becomes the most recently used; none when none does.
    template <typename Matches> std::optional<Entry> findEntry(const Matches& matches)
    {
        const std::lock_guard lock(m_mutex);
        for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
            if (matches(*entry)) {
                m_entries.splice(m_entries.begin(), m_entries, entry);
                return m_entries.front();
            }
        }
        return std::nullopt;
    }

    // Keeps entry, unless its layer alone is larger than the budget.
    void insert(Entry entry)
    {
        const std::size_t bytes = bytesOf(entry.layer);
        if (bytes > m_budgetBytes)
            return;
        const std::lock_guard lock(m_mutex);
        m_entries.push_front(std::move(entry));
        m_usedBytes += bytes;
        while (m_usedBytes > m_budgetBytes) {
            m_usedBytes -= bytesOf(m_entries.back().layer);
            m_entries.pop_back();
        }
    }

    // Forgets the entries that match.
    template <typename Matches> void forget(const Matches& matches)
    {
        const std::lock_guard lock(m_mutex);
        for (auto entry = m_entries.begin(); entry != m_entries.end();) {
            if (matches(*entry)) {
                m_usedBytes -= bytesOf(entry->layer);
                entry = m_entries.erase(entry);
            } else {
                ++entry;
            }
        }
    }

private:
    static std::size_t bytesOf(const QImage& layer) { return static_cast<std::size_t>(layer.sizeInBytes()); }

    std::size_t m_budgetBytes;
    std::size_t m_usedBytes = 0;
    std::mutex m_mutex;
    std::list<Entry> m_entries;
};

// Exact comparison: a layer made under a transform that differs in the last bit may differ by a pixel.
inline bool sameTransform(const QTransform& a, const QTransform& b)
{
    return a.m11() == b.m11() && a.m12() == b.m12() && a.m13() == b.m13() && a.m21() == b.m21() &&
           a.m22() == b.m22() && a.m23() == b.m23() && a.m31() == b.m31() && a.m32() == b.m32() &&
           a.m33() == b.m33();
}

} // namespace graphics
