#include "DocumentStack.h"
#include "ScreenshotFixture.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/KeyValueObservation.h"
#include "ledgerline/core/EnumerationProperty.h"
#include "ledgerline/core/NumericProperty.h"
#include "ledgerline/core/PropertyCollection.h"
#include "model/attributes/StockGradientProperty.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/StockGradient.h"

#include <gtest/gtest.h>
#include <limits>

using namespace pelorama::model;
using ledgerline::Property;
using ledgerline::PropertyGroup;

namespace {

const PropertyGroup& group(const ledgerline::PropertyCollection& collection, const QString& name)
{
    for (const auto& group : collection.groups()) {
        if (group->name() == name)
            return *group;
    }
    throw std::runtime_error("no group " + name.toStdString());
}

Property& row(const PropertyGroup& group, const QString& name)
{
    for (const auto& property : group.properties()) {
        if (property->name() == name)
            return *property;
    }
    throw std::runtime_error("no row " + name.toStdString());
}

} // namespace

class ScreenshotInspector : public ScreenshotFixture
{
};

TEST_F(ScreenshotInspector, TheGradientPickerFollowsTheColours)
{
    const auto collection = screenshot->makePropertyCollection();
    auto& picker = dynamic_cast<StockGradientProperty&>(*group(*collection, "Gradients").properties().at(0));
    EXPECT_EQ(picker.valueIndex(), 0);
    EXPECT_EQ(picker.editorName(), "StockGradientPropertyTableCellView");

    foundation::setValueForKey(&picker, 7, "valueIndex");
    EXPECT_EQ(screenshot->gradientStartColor(), StockGradient::all()[7]->startColor());
    EXPECT_EQ(screenshot->gradientEndColor(), StockGradient::all()[7]->endColor());
    EXPECT_EQ(picker.stockGradient(), StockGradient::all()[7]);

    screenshot->setGradientStartColor(graphics::Color{0.5, 0.5, 0.5, 1});
    EXPECT_EQ(picker.stockGradient(), nullptr);
    EXPECT_EQ(picker.valueIndex(), -1);
    row(group(*collection, "Colors"), "Bottom")
        .setValue(QVariant::fromValue(StockGradient::all()[7]->startColor()));
    EXPECT_EQ(picker.valueIndex(), 7);
}

TEST_F(ScreenshotInspector, ACollectionThatIsGoneNoLongerListens)
{
    auto collection = screenshot->makePropertyCollection();
    collection.reset();
    screenshot->setBackgroundType(BackgroundType::solid);
    screenshot->setName("Later");
    EXPECT_EQ(screenshot->name(), "Later");
}

class ShadowInspector : public testing::Test
{
protected:
    std::unique_ptr<ledgerline::PropertyCollection> shadowCollection()
    {
        return image->makePropertyCollection();
    }

    // The rows of the shadow group shown, in order.
    static QStringList shown(const ledgerline::PropertyCollection& collection)
    {
        QStringList names;
        for (const auto& property : group(collection, "Shadow").properties()) {
            if (!property->isHidden())
                names.append(property->name());
        }
        return names;
    }

    DocumentStack stack = DocumentStack::inMemory();
    Image* image = Image::insertInto(*stack.context);
};

TEST_F(ShadowInspector, TheTypeShowsTheRowsItUses)
{
    const auto collection = shadowCollection();
    EXPECT_EQ(shown(*collection), (QStringList{"Type"}));
    auto& type = dynamic_cast<ledgerline::EnumerationProperty&>(row(group(*collection, "Shadow"), "Type"));
    type.selectOption(1);
    EXPECT_EQ(image->shadowType(), ShadowType::drop);
    EXPECT_EQ(shown(*collection), (QStringList{"Type", "Angle", "Distance", "Blur radius", "Color"}));
    type.selectOption(2);
    EXPECT_EQ(shown(*collection), (QStringList{"Type", "Angle", "Depth", "Color"}));
    EXPECT_EQ(image->shadowDistance(), 10);
    EXPECT_EQ(image->shadowBlurRadius(), 10);

    // A stored number that is no shadow type reads as none: only Type shows.
    image->storeValue(qint64(3), "shadowType");
    EXPECT_EQ(image->primitiveValue("shadowType"), QVariant(qint64(3)));
    EXPECT_EQ(shown(*collection), (QStringList{"Type"}));
    EXPECT_EQ(type.selectedIndex(), 0);
    EXPECT_EQ(shown(*shadowCollection()), (QStringList{"Type"}));
}

// The number rows keep what the user enters within the limits the document's rules give them, and none
// else; whatever a document holds, they show as it is.
TEST(InspectorNumberRows, KeepEntriesWithinTheirLimitsAndShowStoredNumbersAsTheyAre)
{
    DocumentStack stack = DocumentStack::inMemory();
    const double unlimited = std::numeric_limits<double>::infinity();
    struct Case
    {
        const char* group;
        const char* row;
        const char* key;
        double minimum;
        double maximum;
    };
    const Case cases[] = {{"Shadow", "Depth", "shadowDepth", -unlimited, unlimited},
                          {"Shadow", "Distance", "shadowDistance", 0, 100},
                          {"Shadow", "Blur radius", "shadowBlurRadius", 0, 100},
                          {"Device Image", "Scale factor", "scaleFactor", -unlimited, unlimited}};
    DeviceImage* device = DeviceImage::insertInto(*stack.context);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.row);
        device->storeValue(250.0, test.key);
        const auto collection = device->makePropertyCollection();
        auto& number =
            dynamic_cast<ledgerline::NumericProperty&>(row(group(*collection, test.group), test.row));
        EXPECT_EQ(number.minimumValue(), test.minimum);
        EXPECT_EQ(number.maximumValue(), test.maximum);
        EXPECT_EQ(number.value(), QVariant(250.0));
        EXPECT_EQ(device->primitiveValue(test.key), QVariant(250.0));
    }
}

TEST(InspectorProperties, TheStockGradientIndexStaysInStepWithTheValue)
{
    StockGradientProperty property;
    EXPECT_EQ(property.valueIndex(), -1);
    EXPECT_FALSE(property.value().isValid());
    int announced = 0;
    foundation::KeyValueObservation observation(&property, "valueIndex",
                                                foundation::KeyValueObservation::InitialValue::skip,
                                                [&](const QVariant&) { ++announced; });
    property.setValue(QVariant::fromValue(StockGradient::all()[3]));
    EXPECT_EQ(property.valueIndex(), 3);
    property.setValueIndex(21);
    EXPECT_EQ(property.stockGradient(), StockGradient::all()[21]);
    property.setValueIndex(22);
    EXPECT_EQ(property.valueIndex(), -1);
    EXPECT_FALSE(property.value().isValid());
    const StockGradient lookalike("tivel", StockGradient::all()[0]->startColor(),
                                  StockGradient::all()[0]->endColor());
    property.setValue(QVariant::fromValue(&lookalike));
    EXPECT_EQ(property.valueIndex(), -1);
    EXPECT_EQ(announced, 4);
}
