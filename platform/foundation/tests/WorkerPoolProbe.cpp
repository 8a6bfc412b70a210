// Prints how many processors this process may use, how many threads the worker pool has, and how many
// threads, and loop calls at most at once, ran the loops of jobs that fill the pool, each running a
// loop of its own. The worker pool test starts it under a restricted affinity mask.
#include "foundation/ParallelFor.h"
#include "foundation/ProcessorCount.h"
#include "foundation/WorkerPool.h"

#include <atomic>
#include <cstdio>
#include <mutex>
#include <set>
#include <thread>

int main()
{
    std::atomic<int> running = 0;
    std::atomic<int> busiest = 0;
    std::mutex mutex;
    std::set<std::thread::id> threads;
    const auto call = [&](int) {
        const int now = ++running;
        for (int seen = busiest; now > seen && !busiest.compare_exchange_weak(seen, now);) {
        }
        {
            const std::lock_guard lock(mutex);
            threads.insert(std::this_thread::get_id());
        }
        volatile int work = 0;
        for (int step = 0; step < 20'000; ++step)
            work = work + step;
        --running;
    };
    QThreadPool& pool = foundation::workerPool();
    for (int job = 0; job < 8; ++job)
        foundation::startOnPool([&] { foundation::parallelFor(64, call, foundation::availableThreads()); });
    pool.waitForDone();
    const std::lock_guard lock(mutex);
    std::printf("%d %d %zu %d\n", foundation::usableProcessorCount(), pool.maxThreadCount(), threads.size(),
                busiest.load());
    return 0;
}
