#include "foundation/KeyValueCoding.h"

#include "ObservedObjects.h"
#include "foundation/Values.h"

#include <gtest/gtest.h>

using foundation::KeyValueError;
using foundation::setValueForKey;
using foundation::setValueForKeyPath;
using foundation::valueForKey;
using foundation::valueForKeyPath;

TEST(FoundationTest, KeyValueCodingReadsAndWritesPropertiesAndKeyValueObjectsAlike)
{
    Item item;
    Record record;
    setValueForKey(&item, 5, "number");
    setValueForKey(&item, QStringLiteral("hello"), "text");
    setValueForKey(&record, QStringLiteral("Title"), "title");
    EXPECT_EQ(item.number(), 5);
    EXPECT_EQ(valueForKey(&item, "text").toString(), "hello");
    EXPECT_EQ(valueForKey(&record, "title").toString(), "Title");
    // A KeyValueObject's other keys are its Q_PROPERTYs.
    setValueForKey(&record, QStringLiteral("name"), "objectName");
    EXPECT_EQ(record.objectName(), "name");
    // Numbers convert to the property's type.
    setValueForKey(&item, 2.0, "number");
    EXPECT_EQ(item.number(), 2);
}

TEST(FoundationTest, KeyPathsFollowObjectValuesAndStopAtNil)
{
    Item root;
    Item child;
    Record record;
    root.setChild(&child);
    child.setRecord(&record);
    setValueForKeyPath(&root, 9, "child.number");
    setValueForKeyPath(&root, QStringLiteral("deep"), "child.record.title");
    EXPECT_EQ(child.number(), 9);
    EXPECT_EQ(valueForKeyPath(&root, "child.record.title").toString(), "deep");
    EXPECT_EQ(foundation::objectFromValue(valueForKeyPath(&root, "child")), &child);

    // Through a nil object a read is nil and a write does nothing, as messages to nil.
    child.setChild(nullptr);
    EXPECT_TRUE(foundation::isNil(valueForKeyPath(&root, "child.child.number")));
    EXPECT_NO_THROW(setValueForKeyPath(&root, 1, "child.child.number"));
    EXPECT_EQ(child.number(), 9);
    EXPECT_EQ(root.number(), 0);
}

TEST(FoundationTest, NilStoresTheDefaultValue)
{
    Item item;
    Item child;
    item.setChild(&child);
    item.setNumber(4);
    setValueForKey(&item, foundation::nilValue(), "child");
    setValueForKey(&item, QVariant(), "number");
    EXPECT_EQ(item.child(), nullptr);
    EXPECT_EQ(item.number(), 0);
}

TEST(FoundationTest, UnknownKeysAndBadWritesAreClearErrors)
{
    Item item;
    const auto kindOf = [](auto&& operation) {
        try {
            operation();
        } catch (const KeyValueError& error) {
            return std::optional(error.kind());
        }
        return std::optional<KeyValueError::Kind>();
    };
    try {
        valueForKey(&item, "colour");
        FAIL() << "no error for an unknown key";
    } catch (const KeyValueError& error) {
        EXPECT_EQ(error.message(), "Item has no key \"colour\"");
        EXPECT_EQ(error.key(), "colour");
    }
    EXPECT_EQ(kindOf([&] { setValueForKey(&item, 1, "colour"); }), KeyValueError::Kind::unknownKey);
    EXPECT_EQ(kindOf([&] { valueForKeyPath(&item, "number."); }), KeyValueError::Kind::unknownKey);
    EXPECT_EQ(kindOf([&] { setValueForKey(&item, 1, "fixed"); }), KeyValueError::Kind::readOnlyKey);
    EXPECT_EQ(kindOf([&] { setValueForKey(&item, QStringLiteral("many"), "number"); }),
              KeyValueError::Kind::wrongType);
    EXPECT_EQ(kindOf([&] { valueForKeyPath(&item, "number.text"); }), KeyValueError::Kind::notAnObject);
    // A record does not claim keys it does not know.
    Record record;
    EXPECT_EQ(kindOf([&] { valueForKey(&record, "colour"); }), KeyValueError::Kind::unknownKey);
    EXPECT_TRUE(foundation::hasKey(&record, "owner"));
    EXPECT_FALSE(foundation::hasKey(&record, "colour"));
}
