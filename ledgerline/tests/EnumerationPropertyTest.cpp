#include "ledgerline/core/EnumerationProperty.h"

#include "TestObjects.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/Values.h"

#include <gtest/gtest.h>

using namespace ledgerline;

namespace {

void addAlignments(EnumerationProperty& alignment)
{
    alignment.addOption("Left", 0u);
    alignment.addOption("Center", 2u);
    alignment.addOption("Right", 1u);
}

} // namespace

TEST(LedgerlineTest, EnumerationOptionsKeepTheirOrderAndShowTheBoundRawValue)
{
    Record record;
    record.preset("kind", 1); // a signed raw value matches the unsigned option values
    EnumerationProperty alignment;
    addAlignments(alignment);
    alignment.setDisplayStyle(EnumerationProperty::segmentedDisplay);
    alignment.bind(&record, "kind");
    foundation::setValueForKey(&alignment, record.value("kind"), "value");

    ASSERT_EQ(alignment.options().size(), 3u);
    EXPECT_EQ(alignment.options()[0].title, "Left");
    EXPECT_EQ(alignment.options()[1].title, "Center");
    EXPECT_EQ(alignment.options()[2].title, "Right");
    EXPECT_EQ(alignment.value(), 1);
    EXPECT_EQ(alignment.selectedIndex(), 2);
    EXPECT_EQ(alignment.displayStyle(), 4);
    EXPECT_EQ(record.writes["kind"], 0); // showing the current value writes nothing back
}

TEST(LedgerlineTest, ChoosingAnOptionWritesItsValueAndTheObjectsChangesMoveTheChoice)
{
    Record record;
    record.preset("kind", 0);
    EnumerationProperty alignment;
    addAlignments(alignment);
    alignment.bind(&record, "kind");
    EXPECT_EQ(alignment.selectedIndex(), 0);

    alignment.selectOption(1);
    EXPECT_EQ(record.value("kind"), 2u);
    record.setValueForKey(1, "kind");
    EXPECT_EQ(alignment.selectedIndex(), 2);

    alignment.selectOption(3);
    alignment.selectOption(-1);
    EXPECT_EQ(record.value("kind"), 1);
    EXPECT_EQ(record.writes["kind"], 2);
}

TEST(LedgerlineTest, AValueThatNoOptionHoldsSelectsNothing)
{
    Record record;
    EnumerationProperty type;
    type.addOption("None", 0);
    type.addOption("Drop shadow", 1);
    EXPECT_EQ(type.selectedIndex(), -1); // nil
    type.bind(&record, "kind");
    EXPECT_EQ(type.selectedIndex(), -1);
    record.setValueForKey(7, "kind");
    EXPECT_EQ(type.selectedIndex(), -1);
    record.setValueForKey(1.0, "kind");
    EXPECT_EQ(type.selectedIndex(), 1);
}

TEST(LedgerlineTest, ObjectOptionsAreMatchedByIdentity)
{
    Record record;
    QObject small;
    QObject large;
    small.setObjectName("Same name");
    large.setObjectName("Same name");
    record.preset("variant", QVariant::fromValue(&large));

    EnumerationProperty model;
    model.addOption("Small", QVariant::fromValue(&small));
    model.addOption("Large", QVariant::fromValue(&large));
    model.bind(&record, "variant");
    EXPECT_EQ(model.selectedIndex(), 1);

    model.selectOption(0);
    EXPECT_EQ(foundation::objectFromValue(record.value("variant")), &small);
}
