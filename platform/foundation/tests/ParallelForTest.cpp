#include "foundation/ParallelFor.h"

#include <atomic>
#include <gtest/gtest.h>
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
