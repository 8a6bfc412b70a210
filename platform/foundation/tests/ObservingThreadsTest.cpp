#include "ObservedObjects.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/KeyValueObservation.h"

#include <atomic>
#include <gtest/gtest.h>
#include <optional>
#include <thread>
#include <vector>

using foundation::KeyValueObservation;
using Initial = KeyValueObservation::InitialValue;

TEST(FoundationTest, ObserversComeAndGoWhileAnotherThreadSets)
{
    Item item;
    std::atomic<bool> done = false;
    std::atomic<int> steadyCalls = 0;
    const KeyValueObservation steady(&item, "number", Initial::skip, [&](const QVariant&) { ++steadyCalls; });

    constexpr int stores = 2000;
    std::thread setter([&] {
        for (int i = 1; i <= stores; ++i) {
            if (i % 2) {
                foundation::setValueForKey(&item, i, "number");
            } else {
                item.setNumber(i);
            }
        }
        done = true;
    });
    // Two threads register and end observations of the same key all the while.
    const auto churn = [&] {
        while (!done) {
            std::atomic<int> calls = 0;
            KeyValueObservation passing(&item, "number", Initial::deliver, [&](const QVariant&) { ++calls; });
            EXPECT_GE(calls.load(), 1);
        }
    };
    std::thread other(churn);
    churn();
    setter.join();
    other.join();
    EXPECT_EQ(steadyCalls.load(), stores);
}

TEST(FoundationTest, NoCallbackRunsAfterTheObservationEnded)
{
    Item item;
    std::atomic<bool> ended = false;
    std::atomic<bool> lateCall = false;
    std::atomic<bool> stop = false;
    std::optional<KeyValueObservation> observation;
    observation.emplace(&item, "number", Initial::skip, [&](const QVariant&) {
        if (ended) {
            lateCall = true;
        }
    });
    std::thread setter([&] {
        for (int i = 0; !stop; ++i) {
            item.setNumber(i);
        }
    });
    std::this_thread::yield();
    observation.reset(); // waits for a call in progress on the setter's thread
    ended = true;
    stop = true;
    setter.join();
    EXPECT_FALSE(lateCall.load());
}

TEST(FoundationTest, CallbacksThatSetEachOthersKeysOnTwoThreadsDoNotDeadlock)
{
    // Each callback answers a small number with a large one on the other item, so the exchange stops
    // after one step; with callbacks run under their observation's lock, the two threads would wait for
    // each other for ever (the test's timeout catches that).
    constexpr int answered = 1'000'000;
    constexpr int stores = 20000;
    struct Traffic
    {
        std::atomic<int> calls = 0;
        std::atomic<int> answers = 0; // stores this item's callback made on the other item
    };
    Item x;
    Item y;
    Traffic onX;
    Traffic onY;
    const auto answer = [](Item& other, Traffic& traffic) {
        return [&other, &traffic](const QVariant& value) {
            ++traffic.calls;
            if (value.toInt() < answered) {
                ++traffic.answers;
                other.setNumber(value.toInt() + answered);
            }
        };
    };
    const KeyValueObservation observeX(&x, "number", Initial::skip, answer(y, onX));
    const KeyValueObservation observeY(&y, "number", Initial::skip, answer(x, onY));
    const auto run = [](Item& item) {
        for (int i = 0; i < stores; ++i) {
            item.setNumber(i);
        }
    };
    std::thread first(run, std::ref(x));
    std::thread second(run, std::ref(y));
    first.join();
    second.join();
    // A callback reads the value when it runs, which the other thread may have changed since, so how
    // many stores are answered varies; but every store, its own thread's or an answer, is seen once.
    EXPECT_EQ(onX.calls.load(), stores + onY.answers.load());
    EXPECT_EQ(onY.calls.load(), stores + onX.answers.load());
    EXPECT_GT(onX.answers.load(), 0);
    EXPECT_GT(onY.answers.load(), 0);
    // Each item ends with its own thread's last store or with an answer.
    for (const Item* item : {&x, &y}) {
        EXPECT_TRUE(item->number() == stores - 1 || item->number() >= answered) << item->number();
    }
}
