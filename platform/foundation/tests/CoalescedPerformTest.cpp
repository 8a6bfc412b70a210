#include "foundation/CoalescedPerform.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <thread>

namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "FoundationTest";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        static QCoreApplication application(argc, argv);
    }
}

} // namespace

TEST(FoundationTest, RequestsBeforeTheNextPassRunTheActionOnce)
{
    ensureApplication();
    int runs = 0;
    foundation::CoalescedPerform perform([&] { ++runs; });
    perform.request();
    perform.request();
    std::thread([&] { perform.request(); }).join();
    EXPECT_EQ(runs, 0); // never inside request()
    EXPECT_TRUE(perform.isPending());
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(perform.isPending());
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
}

TEST(FoundationTest, ARequestFromTheActionRunsOnTheFollowingPass)
{
    ensureApplication();
    int runs = 0;
    std::function<void()> action;
    foundation::CoalescedPerform perform([&] {
        if (++runs == 1) {
            action();
        }
    });
    action = [&] {
        perform.request();
    };
    perform.request();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 2);
}

TEST(FoundationTest, DestroyingThePerformDropsAPendingRun)
{
    ensureApplication();
    int runs = 0;
    {
        foundation::CoalescedPerform perform([&] { ++runs; });
        perform.request();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0);
}
