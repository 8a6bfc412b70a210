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
