#include "DocumentStack.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/KeyValueError.h"
#include "foundation/KeyValueObservation.h"
#include "model/context/ContextOperations.h"
#include "model/entities/Asset.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Gradient.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "store/ManagedObjectClassRegistry.h"
#include "store/ValueTransformer.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace pelorama::model;

class TypedAttributes : public testing::Test
{
protected:
    DocumentStack stack = DocumentStack::inMemory();
};

TEST_F(TypedAttributes, EnumerationsReadTheirFirstCaseForMissingOrUnknownRawValues)
{
    Screenshot* screenshot = Screenshot::insertInto(*stack.context);
    screenshot->setPrimitiveValue(qint64(1), "backgroundType");
    EXPECT_EQ(screenshot->backgroundType(), BackgroundType::gradient);
    for (const QVariant& stored : {QVariant(qint64(2)), QVariant(qint64(-1)), QVariant(), QVariant("1")}) {
        screenshot->setPrimitiveValue(stored, "backgroundType");
        EXPECT_EQ(screenshot->backgroundType(), BackgroundType::solid) << stored.toString().toStdString();
    }

    Image* image = Image::insertInto(*stack.context);
    image->setPrimitiveValue(qint64(2), "fillMode");
    EXPECT_EQ(image->fillMode(), FillMode::aspectFill);
    image->setPrimitiveValue(qint64(3), "fillMode");
    EXPECT_EQ(image->fillMode(), FillMode::stretch);
    image->setPrimitiveValue(qint64(3), "shadowType");
    EXPECT_EQ(image->shadowType(), ShadowType::none);

    DeviceImage* device = DeviceImage::insertInto(*stack.context);
    EXPECT_EQ(device->orientation(), DeviceOrientation::portrait);
    device->setOrientation(DeviceOrientation::landscapeRight);
    EXPECT_EQ(device->primitiveValue("orientation"), QVariant(qint64(3)));
}

TEST_F(TypedAttributes, GeometryIsStoredAsTextAndUnreadableTextReadsAsZero)
{
    Image* image = Image::insertInto(*stack.context);
    image->setPrimitiveValue(QString("10,20,30,40"), "rect");
    EXPECT_EQ(image->rect(), graphics::Rect(10, 20, 30, 40));
    for (const QVariant& stored : {QVariant("10,20,30"), QVariant("10, 20, 30, 40"), QVariant()}) {
        image->setPrimitiveValue(stored, "rect");
        EXPECT_EQ(image->rect(), graphics::Rect::zero());
    }

    Screenshot* screenshot = Screenshot::insertInto(*stack.context);
    EXPECT_EQ(screenshot->size(), (graphics::Size{0, 0}));
    screenshot->setSize({1242, 2208});
    EXPECT_EQ(screenshot->primitiveValue("size"), QVariant("1242.0,2208.0"));

    DeviceImage* device = DeviceImage::insertInto(*stack.context, {0.5, -2}, 2);
    EXPECT_EQ(device->primitiveValue("position"), QVariant("0.5,-2.0"));
    EXPECT_EQ(device->scaleFactor(), 2);
}

TEST_F(TypedAttributes, KeyValueCodingSeesTypedValuesAndObserversHearEveryWrite)
{
    Screenshot* screenshot = Screenshot::insertInto(*stack.context);
    std::vector<QVariant> sizes;
    foundation::KeyValueObservation observation(screenshot, "size",
                                                foundation::KeyValueObservation::InitialValue::skip,
                                                [&](const QVariant& value) { sizes.push_back(value); });
    foundation::setValueForKey(screenshot, QVariant::fromValue(graphics::Size{3, 4}), "size");
    screenshot->setSize({3, 4});
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_EQ(sizes[0].value<graphics::Size>(), (graphics::Size{3, 4}));
    EXPECT_EQ(screenshot->primitiveValue("size"), QVariant("3.0,4.0"));
    EXPECT_THROW(foundation::setValueForKey(screenshot, QVariant("3,4"), "size"), foundation::KeyValueError);

    // An integer that is no case is refused, as paste refuses it; stored all the same, it reads as the first.
    EXPECT_THROW(foundation::setValueForKey(screenshot, 7, "backgroundType"), foundation::KeyValueError);
    screenshot->storeValue(qint64(7), "backgroundType");
    EXPECT_EQ(foundation::valueForKey(screenshot, "backgroundType"), QVariant(qint64(0)));
    foundation::setValueForKey(screenshot, 1.0, "backgroundType");
    EXPECT_EQ(screenshot->backgroundType(), BackgroundType::gradient);
    EXPECT_THROW(foundation::setValueForKey(screenshot, 0.5, "backgroundType"), foundation::KeyValueError);

    Image* image = Image::insertInto(*stack.context);
    foundation::setValueForKey(image, QVariant::fromValue(graphics::Rect(1, 2, 3, 4)), "rect");
    EXPECT_EQ(foundation::valueForKeyPath(image, "rect").value<graphics::Rect>(), graphics::Rect(1, 2, 3, 4));
    foundation::setValueForKey(image, 2, "shadowType");
    EXPECT_EQ(image->shadowType(), ShadowType::directional);
}

class ChildContext : public testing::Test
{
protected:
    DocumentStack stack = DocumentStack::inMemory();
};

TEST_F(ChildContext, WorkThatSucceedsLeavesItsChangesUnsavedInTheParent)
{
    bool childIsPrivate = false;
    const store::Result<QString> name = performInChildContext(
        *stack.context, [&](store::ManagedObjectContext& child) -> store::Result<QString> {
            childIsPrivate =
                child.concurrencyType() == store::ManagedObjectContext::ConcurrencyType::privateQueue;
            Screenshot* screenshot = Screenshot::insertInto(child);
            screenshot->setName("Pasted");
            return screenshot->name();
        });
    ASSERT_TRUE(name);
    EXPECT_EQ(*name, "Pasted");
    EXPECT_TRUE(childIsPrivate);
    EXPECT_TRUE(stack.context->hasChanges());
    const auto inParent = stack.context->execute(Screenshot::fetchRequest());
    ASSERT_TRUE(inParent);
    ASSERT_EQ(inParent->size(), 1);
    EXPECT_EQ(dynamic_cast<Screenshot*>(inParent->first())->name(), "Pasted");

    store::FetchRequest saved = Screenshot::fetchRequest();
    saved.includesPendingChanges = false;
    EXPECT_EQ(stack.context->execute(saved)->size(), 0);
}

TEST_F(ChildContext, WorkThatFailsLeavesTheParentUnchanged)
{
    const store::Result<void> result =
        performInChildContext(*stack.context, [](store::ManagedObjectContext& child) {
            Screenshot::insertInto(child);
            return store::Result<void>(store::failure(store::Error::Code::validation, "No paste today"));
        });
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().message(), "No paste today");
    EXPECT_FALSE(stack.context->hasChanges());
    EXPECT_EQ(stack.context->execute(Screenshot::fetchRequest())->size(), 0);

    EXPECT_THROW((void)performInChildContext(*stack.context,
                                             [](store::ManagedObjectContext& child) -> store::Result<void> {
                                                 Screenshot::insertInto(child);
                                                 throw std::runtime_error("broken");
                                             }),
                 std::runtime_error);
    EXPECT_FALSE(stack.context->hasChanges());
}

TEST_F(ChildContext, AFailingSaveReachesTheCaller)
{
    Screenshot::insertInto(*stack.context)->setName("Home");
    const store::Result<void> result =
        performInChildContext(*stack.context, [](store::ManagedObjectContext& child) {
            Screenshot::insertInto(child)->setName("Home");
            return store::Result<void>();
        });
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().message(), "The name of the screenshot must be unique");
    EXPECT_EQ(stack.context->execute(Screenshot::fetchRequest())->size(), 1);
}
