#include "foundation/ParallelFor.h"

#include "foundation/WorkerPool.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <stdexcept>
#include <vector>

using foundation::parallelFor;

TEST(FoundationTest, ParallelForRunsEveryIndexOnce)
{
    for (int threads : {1, 3, 8}) {
        std::vector<std::atomic<int>> runs(1000);
        parallelFor(
            int(runs.size()), [&](int index) { ++runs[std::size_t(index)]; }, threads);
        int wrong = 0;
        for (const std::atomic<int>& count : runs) {
            wrong += count != 1;
        }
        EXPECT_EQ(wrong, 0) << threads << " threads";
    }
    parallelFor(
        0, [](int) { FAIL() << "nothing to run"; }, 8);
}

TEST(FoundationTest, ParallelForNestsWithoutWaitingForItself)
{
    std::atomic<int> calls = 0;
    parallelFor(
        16,
        [&](int) {
            parallelFor(
                16, [&](int) { ++calls; }, foundation::availableThreads());
        },
        foundation::availableThreads());
    EXPECT_EQ(calls, 256);
}

TEST(FoundationTest, ParallelForRethrowsAFailureOnceNothingRuns)
{
    std::atomic<int> running = 0;
    try {
        parallelFor(
            200,
            [&](int index) {
                ++running;
                if (index == 5) {
                    --running;
                    throw std::runtime_error("index 5");
                }
                volatile int work = 0;
                for (int i = 0; i < 10'000; ++i) {
                    work = work + i;
                }
                --running;
            },
            8);
        FAIL() << "the failure was not passed on";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "index 5");
    }
    EXPECT_EQ(running, 0);
}

// A loop that follows another at once still gets helpers: the threads that helped with the one before
// are about to look for work. Each loop's two calls wait for each other, so a loop run by its caller
// alone ends only when the wait gives up. The pool is idle before the first loop.
TEST(FoundationTest, ParallelForRightAfterAnotherStillHasHelpers)
{
    if (foundation::availableThreads() < 2) {
        GTEST_SKIP() << "the pool has a single thread";
    }
    foundation::workerPool().waitForDone();
    int alone = 0;
    for (int loop = 0; loop < 200 && alone == 0; ++loop) {
        std::mutex mutex;
        std::condition_variable changed;
        int arrived = 0;
        bool met = true;
        parallelFor(
            2,
            [&](int) {
                std::unique_lock lock(mutex);
                ++arrived;
                changed.notify_all();
                if (!changed.wait_for(lock, std::chrono::seconds(20), [&] { return arrived == 2; })) {
                    met = false;
                }
            },
            2);
        alone += met ? 0 : 1;
    }
    EXPECT_EQ(alone, 0);
}
