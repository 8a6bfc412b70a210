#include "model/rendering/RenderJobs.h"

#include <QCoreApplication>
#include <QObject>
#include <QThreadPool>
#include <algorithm>
#include <gtest/gtest.h>
#include <latch>
#include <memory>
#include <vector>

using pelorama::model::RenderJobs;

namespace {

// What is lent to a job.
using Tool = std::shared_ptr<int>;
using Jobs = RenderJobs<int, Tool>;

class Owner : public QObject
{
public:
    void take()
    {
        for (Jobs::Returned& back : jobs.take())
            returned.push_back(std::move(back));
    }

    Jobs jobs{*this, &Owner::take};
    std::vector<Jobs::Returned> returned;
};

// A job that waits at gate, then returns result.
auto gated(std::latch& gate, int result)
{
    return [&gate, result](Tool&) {
        gate.wait();
        return result;
    };
}

// Runs what the pool finished and what it handed to the main thread.
void settle(QThreadPool& pool)
{
    pool.waitForDone();
    QCoreApplication::sendPostedEvents();
}

} // namespace

// Two requests, the first made stale as it runs or not: only a current job's result reaches the owner, and
// every job hands back its tool.
TEST(RenderJobsTest, AStaleResultIsDroppedAndTheToolAlwaysComesBack)
{
    struct Case
    {
        const char* name;
        bool dropFirst;
        std::vector<int> results;
    };
    const std::vector<Case> cases = {
        {"both current", false, {1, 2}},
        {"the first dropped", true, {2}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        QThreadPool pool;
        std::latch gate(1);
        Owner owner;
        const Tool tool = std::make_shared<int>(0);
        const Jobs::Job first = owner.jobs.start(tool, gated(gate, 1), pool);
        const Jobs::Job second = owner.jobs.start(tool, gated(gate, 2), pool);
        if (test.dropFirst)
            owner.jobs.drop(first);
        EXPECT_EQ(owner.jobs.currentCount(), test.dropFirst ? 1U : 2U);
        gate.count_down();
        settle(pool);

        std::vector<int> results;
        for (const Jobs::Returned& back : owner.returned) {
            EXPECT_TRUE(back.ended);
            EXPECT_EQ(back.tool, tool);
            if (back.result)
                results.push_back(*back.result);
        }
        std::ranges::sort(results);
        EXPECT_EQ(results, test.results);
        EXPECT_EQ(owner.returned.size(), 2U);
        EXPECT_FALSE(owner.jobs.isCurrent(first) || owner.jobs.isCurrent(second));
    }
}

// A job of several results hands them over in order, the last with its end.
TEST(RenderJobsTest, AJobHandsOverItsResultsInOrderTheLastWithItsEnd)
{
    QThreadPool pool;
    Owner owner;
    owner.jobs.start(
        {},
        [](Tool&, const Jobs::Deliver& deliver) {
            for (int result = 1; result <= 3; ++result)
                deliver(result);
        },
        pool);
    settle(pool);

    ASSERT_EQ(owner.returned.size(), 3U);
    for (std::size_t index = 0; index < 3; ++index) {
        EXPECT_EQ(owner.returned[index].result, int(index + 1));
        EXPECT_EQ(owner.returned[index].ended, index == 2);
    }
    EXPECT_EQ(owner.jobs.currentCount(), 0U);
}

// An owner that goes while its job runs hears of nothing, and the job lets go of what it was lent.
TEST(RenderJobsTest, AJobOutlivingItsOwnerDeliversNothing)
{
    QThreadPool pool;
    std::latch gate(1);
    std::weak_ptr<int> lent;
    {
        auto owner = std::make_unique<Owner>();
        const Tool tool = std::make_shared<int>(0);
        lent = tool;
        owner->jobs.start(tool, gated(gate, 1), pool);
    }
    gate.count_down();
    settle(pool);
    EXPECT_TRUE(lent.expired());
}
