#include "model/entities/DrawableMapping.h"

#include "DocumentStack.h"
#include "ScreenshotFixture.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/Drawable.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"

#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

class LooseDrawable : public Drawable
{
public:
    DrawableSnapshot snapshot() const override { return GradientSnapshot{}; }
};

} // namespace

class DrawableMappingTest : public ScreenshotFixture
{
};

TEST_F(DrawableMappingTest, MappingsKeepTheOrderInWhichDrawablesWereMapped)
{
    Image* image = Image::insertInto(*stack.context);
    TextRect* text = TextRect::insertInto(*stack.context);
    DeviceImage* device = DeviceImage::insertInto(*stack.context);
    DrawableMapping::insert(*image, *screenshot, *stack.context);
    DrawableMapping::insert(*text, *screenshot, *stack.context);
    DrawableMapping::insert(*device, *screenshot, *stack.context);

    const QList<DrawableMapping*> mappings = screenshot->drawableMappings();
    ASSERT_EQ(mappings.size(), 3);
    EXPECT_EQ(mappings[0]->drawableType(), "Image");
    EXPECT_EQ(mappings[1]->drawableType(), "TextRect");
    EXPECT_EQ(mappings[2]->drawableType(), "DeviceImage");
    EXPECT_EQ(mappings[0]->identifier(), image->uniqueIdentifier());
    EXPECT_EQ(mappings[1]->identifier(), text->uniqueIdentifier());
    EXPECT_EQ(mappings[2]->identifier(), device->uniqueIdentifier());
    EXPECT_EQ(mappings[1]->drawable(), static_cast<Drawable*>(text));
    EXPECT_EQ(mappings[2]->screenshot(), screenshot);
}

TEST_F(DrawableMappingTest, AMissingDrawableIsLookedUpAgainOnTheNextRead)
{
    DrawableMapping* mapping = DrawableMapping::insertInto(*stack.context);
    mapping->setDrawableType("Image");
    mapping->setIdentifier("LATER");
    EXPECT_EQ(mapping->drawable(), nullptr);

    Image* image = Image::insertInto(*stack.context);
    image->setUniqueIdentifier("LATER");
    EXPECT_EQ(mapping->drawable(), static_cast<Drawable*>(image));

    // A found drawable is kept, whatever the mapping says afterwards.
    mapping->setIdentifier("ELSEWHERE");
    EXPECT_EQ(mapping->drawable(), static_cast<Drawable*>(image));
}

TEST_F(DrawableMappingTest, ANameThatIsNoDrawableEntityFindsNothing)
{
    DrawableMapping* mapping = DrawableMapping::insertInto(*stack.context);
    for (const char* type : {"", "Nothing", "Asset", "Screenshot"}) {
        mapping->setDrawableType(type);
        mapping->setIdentifier(screenshot->name());
        EXPECT_EQ(mapping->drawable(), nullptr) << type;
    }
}

TEST_F(DrawableMappingTest, DeletingAMappingDeletesItsDrawable)
{
    Image* image = Image::insertInto(*stack.context);
    DrawableMapping* mapping = DrawableMapping::insert(*image, *screenshot, *stack.context);
    stack.context->deleteObject(mapping);
    EXPECT_TRUE(image->isDeleted());
    EXPECT_EQ(mapping->identifier(), "");
    EXPECT_TRUE(screenshot->drawableMappings().isEmpty());
    EXPECT_EQ(stack.context->execute(Image::fetchRequest())->size(), 0);
    EXPECT_FALSE(screenshot->isDeleted());
}

TEST_F(DrawableMappingTest, MappingSomethingThatIsNoEntityStopsTheProgram)
{
    LooseDrawable loose;
    EXPECT_DEATH(DrawableMapping::insert(loose, *screenshot, *stack.context),
                 "Trying to map drawable that is not a managed object!");
}
