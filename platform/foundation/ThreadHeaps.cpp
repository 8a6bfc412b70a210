#include "foundation/ThreadHeaps.h"

#include <algorithm>
#include <malloc.h>

namespace foundation {

namespace {

constexpr int megabyte = 1024 * 1024;
// The highest the C library moves these to by itself, as mapped blocks of up to that size are freed, and
// the most it lets the first be: above a picture of 2880 x 1800 pixels (20 MB). Larger ones (a 5K
// display's) are mapped on their own either way.
constexpr int mappedAbove = 32 * megabyte;
constexpr int keptAtHeapEnd = 2 * mappedAbove;
// Freeing a block of 64 KB or more lets a heap's end go; the C library maps blocks of 128 KB or more on
// their own while its threshold still moves, and such a block would be in no heap.
constexpr std::size_t markBytes = 96 * 1024;

// The threshold is the process's: two releases at once would each restore it under the other.
std::mutex& releaseLock()
{
    static std::mutex lock;
    return lock;
}

} // namespace

void boundThreadHeaps(int threads)
{
    mallopt(M_ARENA_MAX, std::max(threads, 2));
    mallopt(M_MMAP_THRESHOLD, mappedAbove);
    mallopt(M_TRIM_THRESHOLD, keptAtHeapEnd);
}

void ThreadHeapRelease::enlist()
{
    const std::thread::id thread = std::this_thread::get_id();
    const std::lock_guard lock(m_mutex);
    if (std::any_of(m_marks.begin(), m_marks.end(), [&](const Mark& mark) { return mark.thread == thread; }))
        return;
    m_marks.push_back({thread, {std::malloc(markBytes), &std::free}});
}

void ThreadHeapRelease::release()
{
    std::vector<Mark> marks;
    {
        const std::lock_guard lock(m_mutex);
        marks.swap(m_marks);
    }
    const std::lock_guard lock(releaseLock());
    // For this moment every heap lets all of its free end go as a large block in it is freed, a mark or a
    // block another thread frees meanwhile.
    mallopt(M_TRIM_THRESHOLD, 0);
    marks.clear();
    malloc_trim(0);
    mallopt(M_TRIM_THRESHOLD, keptAtHeapEnd);
}

} // namespace foundation
