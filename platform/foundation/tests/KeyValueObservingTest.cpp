#include "ObservedObjects.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/KeyValueObservation.h"
#include "foundation/Values.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

using foundation::KeyValueError;
using foundation::KeyValueObservation;
using foundation::setValueForKey;
using foundation::setValueForKeyPath;
using Initial = KeyValueObservation::InitialValue;

namespace {

// Records what an observation delivers.
struct Recorder
{
    std::vector<QVariant> values;

    KeyValueObservation observe(QObject* object, const QString& keyPath, Initial initial = Initial::skip)
    {
        return KeyValueObservation(object, keyPath, initial,
                                   [this](const QVariant& value) { values.push_back(value); });
    }
};

} // namespace

TEST(FoundationTest, TheInitialValueArrivesInsideRegistration)
{
    Item item;
    item.setNumber(3);
    Recorder withInitial;
    Recorder withoutInitial;
    const auto first = withInitial.observe(&item, "number", Initial::deliver);
    const auto second = withoutInitial.observe(&item, "number", Initial::skip);
    ASSERT_EQ(withInitial.values.size(), 1u);
    EXPECT_EQ(withInitial.values[0], 3);
    EXPECT_TRUE(withoutInitial.values.empty());
    item.setNumber(4);
    EXPECT_EQ(withInitial.values.size(), 2u);
    EXPECT_EQ(withoutInitial.values.size(), 1u);
}

TEST(FoundationTest, EverySetNotifiesOnceAlsoWithAnUnchangedValue)
{
    Item item;
    Record record;
    Recorder number;
    Recorder text;
    Recorder silent;
    Recorder title;
    const auto a = number.observe(&item, "number");
    const auto b = text.observe(&item, "text");
    const auto c = silent.observe(&item, "silent");
    const auto d = title.observe(&record, "title");

    // The setter emits its NOTIFY signal; key-value coding adds nothing of its own.
    setValueForKey(&item, 1, "number");
    setValueForKey(&item, 1, "number");
    item.setNumber(1);
    EXPECT_EQ(number.values.size(), 3u);
    // This setter stays quiet on an equal value; a store through key-value coding notifies anyway.
    setValueForKey(&item, QStringLiteral("same"), "text");
    setValueForKey(&item, QStringLiteral("same"), "text");
    EXPECT_EQ(text.values.size(), 2u);
    // A property without NOTIFY signal is observed through key-value coding.
    setValueForKey(&item, 8, "silent");
    ASSERT_EQ(silent.values.size(), 1u);
    EXPECT_EQ(silent.values[0], 8);
    // Keys of a KeyValueObject notify like properties.
    setValueForKey(&record, QStringLiteral("t"), "title");
    setValueForKey(&record, QStringLiteral("t"), "title");
    EXPECT_EQ(title.values.size(), 2u);
}

TEST(FoundationTest, NotificationIsSynchronousAfterTheStoreOnTheSettersThread)
{
    Item item;
    std::vector<std::pair<int, std::thread::id>> seen;
    const KeyValueObservation observation(&item, "number", Initial::skip, [&](const QVariant& value) {
        // The store has happened when the callback runs.
        EXPECT_EQ(item.number(), value.toInt());
        seen.emplace_back(value.toInt(), std::this_thread::get_id());
    });
    setValueForKey(&item, 5, "number");
    ASSERT_EQ(seen.size(), 1u); // before the setter returned
    EXPECT_EQ(seen[0].second, std::this_thread::get_id());

    std::thread::id worker;
    std::thread thread([&] {
        worker = std::this_thread::get_id();
        item.setNumber(6);
    });
    thread.join();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].first, 6);
    EXPECT_EQ(seen[1].second, worker);
}

TEST(FoundationTest, NilArrivesAsANullValueDistinctFromNoValue)
{
    Item item;
    Item child;
    Record record;
    item.setChild(&child);
    record.setValueForKey(QStringLiteral("x"), "owner");
    Recorder children;
    Recorder owners;
    const auto a = children.observe(&item, "child");
    const auto b = owners.observe(&record, "owner");
    item.setChild(nullptr);
    record.setValueForKey(QVariant(), "owner");
    for (const auto* recorder : {&children, &owners}) {
        ASSERT_EQ(recorder->values.size(), 1u);
        EXPECT_TRUE(recorder->values[0].isValid());
        EXPECT_EQ(recorder->values[0].metaType(), QMetaType::fromType<std::nullptr_t>());
    }
}

TEST(FoundationTest, DottedPathsFollowTheObjectThatHoldsTheKeyNow)
{
    Item root;
    Item first;
    Item second;
    Item leaf;
    root.setChild(&first);
    Recorder recorder;
    const auto observation = recorder.observe(&root, "child.number", Initial::deliver);
    EXPECT_EQ(recorder.values.back(), 0);

    second.setNumber(2);
    root.setChild(&second); // a change of an intermediate key notifies with the new end value
    EXPECT_EQ(recorder.values.back(), 2);
    first.setNumber(10); // the old object is no longer observed
    EXPECT_EQ(recorder.values.size(), 2u);
    second.setNumber(3);
    EXPECT_EQ(recorder.values.back(), 3);

    root.setChild(nullptr);
    EXPECT_TRUE(foundation::isNil(recorder.values.back()));
    EXPECT_EQ(recorder.values.size(), 4u);

    // Three keys: a change at any step notifies.
    Recorder deep;
    root.setChild(&first);
    first.setChild(&leaf);
    const auto deepObservation = deep.observe(&root, "child.child.text");
    leaf.setText("a");
    first.setChild(&second);
    root.setChild(&second);
    EXPECT_EQ(deep.values.size(), 3u);
    second.setChild(&leaf);
    leaf.setText("b");
    EXPECT_EQ(deep.values.size(), 5u);
    EXPECT_EQ(deep.values.back(), "b");
}

TEST(FoundationTest, PathsMixPropertiesAndKeyValueObjects)
{
    Item root;
    Item child;
    Record record;
    Record other;
    root.setChild(&child);
    child.setRecord(&record);
    Recorder recorder;
    const auto observation = recorder.observe(&root, "child.record.title");
    setValueForKeyPath(&root, QStringLiteral("one"), "child.record.title");
    other.setValueForKey(QStringLiteral("two"), "title");
    child.setRecord(&other);
    record.setValueForKey(QStringLiteral("ignored"), "title");
    ASSERT_EQ(recorder.values.size(), 2u);
    EXPECT_EQ(recorder.values[0], "one");
    EXPECT_EQ(recorder.values[1], "two");
}

TEST(FoundationTest, ObserversMayBeAddedAndRemovedInsideCallbacks)
{
    Item item;
    std::optional<KeyValueObservation> self;
    std::optional<KeyValueObservation> later;
    std::optional<KeyValueObservation> added;
    int selfCalls = 0;
    int laterCalls = 0;
    int addedCalls = 0;
    self.emplace(&item, "number", Initial::skip, [&](const QVariant&) {
        ++selfCalls;
        self.reset();  // ends itself while running
        later.reset(); // ends one that this delivery has not reached yet
        added.emplace(&item, "number", Initial::skip, [&](const QVariant&) { ++addedCalls; });
    });
    later.emplace(&item, "number", Initial::skip, [&](const QVariant&) { ++laterCalls; });
    item.setNumber(1);
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(laterCalls, 0);
    EXPECT_EQ(addedCalls, 0); // an observer added during a delivery starts with the next one
    item.setNumber(2);
    EXPECT_EQ(selfCalls, 1);
    EXPECT_EQ(addedCalls, 1);
}

TEST(FoundationTest, ObservationsEndCleanlyWhenEitherSideIsDestroyed)
{
    Recorder recorder;
    auto item = std::make_unique<Item>();
    auto observation = recorder.observe(item.get(), "number");
    EXPECT_TRUE(observation.isActive());
    item.reset();
    EXPECT_FALSE(observation.isActive());
    observation.invalidate();

    // An intermediate object dies: the path waits until its key is set again.
    Item root;
    auto child = std::make_unique<Item>();
    Item replacement;
    root.setChild(child.get());
    const auto pathObservation = recorder.observe(&root, "child.number");
    child.reset();
    EXPECT_TRUE(pathObservation.isActive());
    root.setChild(&replacement);
    replacement.setNumber(4);
    EXPECT_EQ(recorder.values.back(), 4);

    // The observation dies first: nothing more arrives.
    Item observed;
    {
        const auto shortLived = recorder.observe(&observed, "number");
        observed.setNumber(1);
    }
    const auto count = recorder.values.size();
    observed.setNumber(2);
    EXPECT_EQ(recorder.values.size(), count);
}

TEST(FoundationTest, ACallbackMayDestroyTheObjectsItObserves)
{
    auto root = std::make_unique<Item>();
    auto child = std::make_unique<Item>();
    root->setChild(child.get());
    int calls = 0;
    const KeyValueObservation observation(root.get(), "child.number", Initial::skip, [&](const QVariant&) {
        ++calls;
        child.reset();
        root.reset();
    });
    child->setNumber(1);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(observation.isActive());
}

TEST(FoundationTest, ObservingAnUnknownKeyIsAClearError)
{
    Item item;
    Item child;
    item.setChild(&child);
    Recorder recorder;
    EXPECT_THROW(recorder.observe(&item, "colour"), KeyValueError);
    EXPECT_THROW(recorder.observe(&item, "child.colour"), KeyValueError);
    EXPECT_THROW(recorder.observe(&item, ""), KeyValueError);
    EXPECT_THROW(recorder.observe(&item, "number.text"), KeyValueError);
    // A failed registration leaves nothing behind.
    item.setNumber(1);
    child.setNumber(1);
    EXPECT_TRUE(recorder.values.empty());
}
