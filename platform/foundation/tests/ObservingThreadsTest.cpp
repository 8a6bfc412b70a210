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
    // each other for ever.
    constexpr int answered = 1'000'000;
    Item x;
    Item y;
    const auto answer = [](Item& other) {
        return [&other](const QVariant& value) {
            if (value.toInt() < answered) {
                other.setNumber(value.toInt() + answered);
            }
        };
    };
    const KeyValueObservation observeX(&x, "number", Initial::skip, answer(y));
    const KeyValueObservation observeY(&y, "number", Initial::skip, answer(x));
    const auto run = [](Item& item) {
        for (int i = 0; i < 20000; ++i) {
            item.setNumber(i);
        }
    };
    std::thread first(run, std::ref(x));
    std::thread second(run, std::ref(y));
    first.join();
    second.join();
    EXPECT_GE(x.number(), 0);
}
