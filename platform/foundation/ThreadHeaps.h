#pragma once

#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace foundation {

// Bounds the C library's heaps for the worker pool, once, before its threads start: the threads share at
// most threads heaps (two at least), and the size above which a block is mapped on its own, and the free
// memory a heap keeps at its end, are fixed at the highest the C library would move them to by itself.
// A picture's pixels thus come from a heap, whose pages the next picture reuses: mapped on their own
// (with the threshold fixed below a picture's size), every full-size render faulted in fresh pages, half
// again the time of the render itself. Fixed, the threshold no longer moves when ThreadHeapRelease
// changes how much a heap keeps.
void boundThreadHeaps(int threads);

// Gives back to the system what the heaps of the threads that did a batch of work hold free, once the
// batch has ended. malloc_trim alone gives back what is free inside every heap but leaves the free end of
// each thread's heap, where most of the batch's pictures were: such a heap lets its end go only as a large
// block of its own is freed. So each thread of the batch, on enlist(), takes a block of its own heap, which
// release() frees. Thread-safe.
class ThreadHeapRelease
{
public:
    ThreadHeapRelease() = default;
    ThreadHeapRelease(const ThreadHeapRelease&) = delete;
    ThreadHeapRelease& operator=(const ThreadHeapRelease&) = delete;

    // Called on each thread whose heap the batch uses; again on the same thread, it does nothing.
    void enlist();
    // Gives back what is free in every heap, the ends of the enlisted threads' heaps included. It searches
    // every heap, so it belongs off the main thread.
    void release();

private:
    struct Mark
    {
        std::thread::id thread;
        std::unique_ptr<void, decltype(&std::free)> block;
    };

    std::mutex m_mutex;
    std::vector<Mark> m_marks;
};

} // namespace foundation
