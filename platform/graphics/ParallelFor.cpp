#include "graphics/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace graphics {

int availableThreads()
{
    return std::max(1, int(std::thread::hardware_concurrency()));
}

void parallelFor(int count, const std::function<void(int)>& body, int maxThreads)
{
    const int threads = std::min(count, maxThreads);
    if (threads <= 1) {
        for (int index = 0; index < count; ++index) {
            body(index);
        }
        return;
    }
    // Every thread claims the next index until none is left, so uneven calls still balance.
    std::atomic<int> next{0};
    std::mutex failureMutex;
    std::exception_ptr failure;
    auto work = [&] {
        for (int index = next++; index < count; index = next++) {
            try {
                body(index);
            } catch (...) {
                const std::lock_guard lock(failureMutex);
                if (!failure) {
                    failure = std::current_exception();
                }
                next = count;
            }
        }
    };
    std::vector<std::jthread> helpers;
    helpers.reserve(std::size_t(threads - 1));
    for (int helper = 1; helper < threads; ++helper) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            // Out of threads: the ones running, the caller's at least, take the rest.
            break;
        }
    }
    work();
    helpers.clear();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace graphics
