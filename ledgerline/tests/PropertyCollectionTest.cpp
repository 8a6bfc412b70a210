#include "TestObjects.h"
#include "ledgerline/core/ColorProperty.h"
#include "ledgerline/core/EnumerationProperty.h"
#include "ledgerline/core/ImageProperty.h"
#include "ledgerline/core/NumericProperty.h"
#include "ledgerline/core/StringProperty.h"
#include "tessaline/Shared/Observer.h"

#include <gtest/gtest.h>
#include <memory>

using namespace ledgerline;

namespace {

QStringList namesOf(const PropertyCollection& collection)
{
    QStringList names;
    for (const auto& group : collection.groups()) {
        names.append(group->name() + ":");
        for (const auto& property : group->properties()) {
            names.append(property->name());
        }
    }
    return names;
}

QStringList hiddenRows(const PropertyCollection& collection)
{
    QStringList hidden;
    for (const auto& group : collection.groups()) {
        for (const auto& property : group->properties()) {
            if (property->isHidden()) {
                hidden.append(property->name());
            }
        }
    }
    return hidden;
}

} // namespace

TEST(LedgerlineTest, GroupsAndRowsKeepTheOrderTheyWereAddedIn)
{
    Shape shape;
    const auto collection = shape.makePropertyCollection();
    EXPECT_EQ(namesOf(*collection),
              (QStringList{"Shape:", "Name", "Image", "Shadow:", "Type", "Depth", "Color"}));
    for (const auto& group : collection->groups()) {
        for (const auto& property : group->properties()) {
            EXPECT_EQ(property->propertyGroup(), group.get());
        }
    }
    const Property& name = *collection->groups()[0]->properties()[0];
    EXPECT_EQ(name.value(), "Shape");
    EXPECT_EQ(name.valueKeyPath(), "name");
}

TEST(LedgerlineTest, ObserversKeptByTheCollectionKeepRowsHiddenAsTheObjectChanges)
{
    Shape shape;
    const auto collection = shape.makePropertyCollection();
    EXPECT_EQ(collection->observerCount(), 1u);
    EXPECT_EQ(shape.typeNotifications, 1); // the initial value
    EXPECT_EQ(hiddenRows(*collection), (QStringList{"Depth", "Color"}));

    shape.setValueForKey(1, "shadowType");
    EXPECT_EQ(hiddenRows(*collection), QStringList{"Depth"});

    // An edit in the type row reaches the object, whose observer then updates the rows.
    auto& type = static_cast<EnumerationProperty&>(*collection->groups()[1]->properties()[0]);
    type.selectOption(2);
    EXPECT_EQ(shape.value("shadowType"), 2);
    EXPECT_TRUE(hiddenRows(*collection).isEmpty());
    EXPECT_EQ(shape.typeNotifications, 3);
}

TEST(LedgerlineTest, DestroyingTheCollectionEndsItsObservationsAndBindings)
{
    Shape shape;
    auto collection = shape.makePropertyCollection();
    collection.reset();
    const int notifications = shape.typeNotifications;

    shape.setValueForKey(2, "shadowType");
    shape.setValueForKey(QStringLiteral("Renamed"), "name");
    EXPECT_EQ(shape.typeNotifications, notifications);
    EXPECT_EQ(shape.writes["shadowType"], 1);
    EXPECT_EQ(shape.writes["name"], 1);
}

TEST(LedgerlineTest, TwoCollectionsOfOneObjectFollowItIndependently)
{
    Shape shape;
    auto first = shape.makePropertyCollection();
    const auto second = shape.makePropertyCollection();
    first.reset();
    shape.setValueForKey(QStringLiteral("Both"), "name");
    EXPECT_EQ(second->groups()[0]->properties()[0]->value(), "Both");
    second->groups()[0]->properties()[0]->setValue(QStringLiteral("Back"));
    EXPECT_EQ(shape.value("name"), "Back");
}

TEST(LedgerlineTest, AnObjectDestroyedWhileItsCollectionIsShownDoesNotBreakIt)
{
    auto shape = std::make_unique<Shape>();
    const auto collection = shape->makePropertyCollection();
    shape.reset();

    for (const auto& group : collection->groups()) {
        for (const auto& property : group->properties()) {
            property->setValue(property->value());
            property->setHidden(false);
        }
    }
    auto& image = static_cast<ImageProperty&>(*collection->groups()[0]->properties()[1]);
    EXPECT_TRUE(image.putImageData(pngData(1, 1))); // the handler finds no object and does nothing
    EXPECT_EQ(namesOf(*collection).size(), 7);
}

TEST(LedgerlineTest, TheImageRowOfAnEditableObjectStoresTheDroppedBytes)
{
    Shape shape;
    const auto collection = shape.makePropertyCollection();
    auto& image = static_cast<ImageProperty&>(*collection->groups()[0]->properties()[1]);
    const QByteArray png = pngData(5, 5);
    ASSERT_TRUE(image.putImageData(png));
    EXPECT_EQ(shape.storedImageData, QList<QByteArray>{png});
    EXPECT_EQ(shape.value("image").value<graphics::Image>().size(), (graphics::Size{5, 5}));
}
