#include "DocumentStack.h"
#include "ScreenshotFixture.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/KeyValueObservation.h"
#include "ledgerline/ColorProperty.h"
#include "ledgerline/EnumerationProperty.h"
#include "ledgerline/NumericProperty.h"
#include "ledgerline/PropertyCollection.h"
#include "ledgerline/StringProperty.h"
#include "model/attributes/AngleProperty.h"
#include "model/attributes/StockGradientProperty.h"
#include "model/attributes/WarningProperty.h"
#include "model/entities/Gradient.h"
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

bool isShown(const PropertyGroup& group)
{
    for (const auto& property : group.properties()) {
        if (property->isHidden())
            return false;
    }
    return true;
}

bool isHidden(const PropertyGroup& group)
{
    for (const auto& property : group.properties()) {
        if (!property->isHidden())
            return false;
    }
    return true;
}

} // namespace

class ScreenshotInspector : public ScreenshotFixture
{
};

TEST_F(ScreenshotInspector, OffersItsGroupsInOrder)
{
    const auto collection = screenshot->makePropertyCollection();
    QStringList names;
    for (const auto& group : collection->groups())
        names.append(group->name());
    EXPECT_EQ(names, (QStringList{"Design", "Gradients", "Colors", "Background Color"}));
    const PropertyGroup& design = group(*collection, "Design");
    EXPECT_EQ(design.identifier(), "design");
    ASSERT_EQ(design.properties().size(), 2u);
    auto* name = dynamic_cast<ledgerline::StringProperty*>(design.properties()[0].get());
    ASSERT_TRUE(name);
    EXPECT_EQ(name->identifier(), "name");
    EXPECT_EQ(name->value(), QVariant("New Screenshot"));
    auto* background = dynamic_cast<ledgerline::EnumerationProperty*>(design.properties()[1].get());
    ASSERT_TRUE(background);
    EXPECT_EQ(background->options().size(), 2u);
    EXPECT_EQ(background->options()[0].title, "Solid color");
    EXPECT_EQ(background->selectedIndex(), 1);
    EXPECT_EQ(row(group(*collection, "Colors"), "Top").valueKeyPath(), "gradientEndColor");
    EXPECT_EQ(row(group(*collection, "Colors"), "Bottom").valueKeyPath(), "gradientStartColor");
    EXPECT_EQ(collection->observerCount(), 1u);
}

TEST_F(ScreenshotInspector, RowsAndTheScreenshotStayEqualBothWays)
{
    const auto collection = screenshot->makePropertyCollection();
    Property& name = row(group(*collection, "Design"), "Name");
    name.setValue("Renamed");
    EXPECT_EQ(screenshot->name(), "Renamed");
    screenshot->setName("Again");
    EXPECT_EQ(name.value(), QVariant("Again"));

    Property& top = row(group(*collection, "Colors"), "Top");
    top.setValue(QVariant::fromValue(graphics::Color{1, 0, 0, 1}));
    EXPECT_EQ(screenshot->gradientEndColor(), (graphics::Color{1, 0, 0, 1}));
    screenshot->setSolidBackgroundColor(graphics::Color{0, 1, 0, 1});
    EXPECT_EQ(row(group(*collection, "Background Color"), "Background").value().value<graphics::Color>(),
              (graphics::Color{0, 1, 0, 1}));
}

TEST_F(ScreenshotInspector, TheBackgroundTypeShowsItsGroups)
{
    const auto collection = screenshot->makePropertyCollection();
    EXPECT_TRUE(isShown(group(*collection, "Design")));
    EXPECT_TRUE(isShown(group(*collection, "Gradients")));
    EXPECT_TRUE(isShown(group(*collection, "Colors")));
    EXPECT_TRUE(isHidden(group(*collection, "Background Color")));

    auto& background =
        dynamic_cast<ledgerline::EnumerationProperty&>(row(group(*collection, "Design"), "Background"));
    background.selectOption(0);
    EXPECT_EQ(screenshot->backgroundType(), BackgroundType::solid);
    EXPECT_TRUE(isShown(group(*collection, "Design")));
    EXPECT_TRUE(isHidden(group(*collection, "Gradients")));
    EXPECT_TRUE(isHidden(group(*collection, "Colors")));
    EXPECT_TRUE(isShown(group(*collection, "Background Color")));

    // A collection made for a solid screenshot starts that way.
    const auto solid = screenshot->makePropertyCollection();
    EXPECT_TRUE(isHidden(group(*solid, "Gradients")));
    EXPECT_TRUE(isShown(group(*solid, "Background Color")));
}

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

TEST(GradientInspector, OffersTheStockGradientsAndBothColours)
{
    auto stack = DocumentStack::inMemory();
    Gradient* gradient = Gradient::insertInto(*stack.context, StockGradient::all()[9]->startColor(),
                                              StockGradient::all()[9]->endColor());
    const auto collection = gradient->makePropertyCollection();
    ASSERT_EQ(collection->groups().size(), 2u);
    auto& picker = dynamic_cast<StockGradientProperty&>(*group(*collection, "Gradients").properties().at(0));
    EXPECT_EQ(picker.valueIndex(), 9);
    picker.setValueIndex(4);
    EXPECT_EQ(gradient->startColor(), StockGradient::all()[4]->startColor());
    EXPECT_EQ(gradient->endColor(), StockGradient::all()[4]->endColor());
    EXPECT_EQ(row(group(*collection, "Colors"), "Top").value().value<graphics::Color>(),
              StockGradient::all()[4]->endColor());
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

TEST_F(ShadowInspector, HoldsSixRowsBoundToTheSettings)
{
    const auto collection = shadowCollection();
    const PropertyGroup& shadow = group(*collection, "Shadow");
    QStringList names;
    for (const auto& property : shadow.properties())
        names.append(property->name());
    EXPECT_EQ(names, (QStringList{"Type", "Angle", "Depth", "Distance", "Blur radius", "Color"}));

    auto& angle = dynamic_cast<AngleProperty&>(row(shadow, "Angle"));
    EXPECT_EQ(angle.degrees(), 270);
    angle.setValue(45.0);
    EXPECT_EQ(image->shadowAngle(), 45);

    auto& depth = dynamic_cast<ledgerline::NumericProperty&>(row(shadow, "Depth"));
    auto& distance = dynamic_cast<ledgerline::NumericProperty&>(row(shadow, "Distance"));
    auto& blur = dynamic_cast<ledgerline::NumericProperty&>(row(shadow, "Blur radius"));
    EXPECT_EQ(depth.minimumValue(), 0);
    EXPECT_EQ(depth.maximumValue(), 10);
    EXPECT_EQ(distance.minimumValue(), 0);
    EXPECT_EQ(distance.maximumValue(), 100);
    EXPECT_EQ(blur.maximumValue(), 100);
    EXPECT_EQ(distance.doubleValue(), 10);
    image->setShadowBlurRadius(3);
    EXPECT_EQ(blur.doubleValue(), 3);
    EXPECT_EQ(dynamic_cast<ledgerline::ColorProperty&>(row(shadow, "Color")).color(),
              (graphics::Color{0, 0, 0, 0.25}));
}

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

TEST(InspectorProperties, AngleAndWarningStartEmpty)
{
    AngleProperty angle;
    EXPECT_EQ(angle.value(), QVariant(0.0));
    EXPECT_EQ(angle.editorName(), "AnglePropertyTableCellView");

    WarningProperty warning;
    EXPECT_EQ(warning.message(), "");
    EXPECT_FALSE(warning.message().isNull());
    int announced = 0;
    foundation::KeyValueObservation observation(&warning, "message",
                                                foundation::KeyValueObservation::InitialValue::skip,
                                                [&](const QVariant&) { ++announced; });
    warning.setMessage("**Warning:** text");
    warning.setMessage("**Warning:** text");
    EXPECT_EQ(announced, 2);
    warning.setHidden(true);
    EXPECT_TRUE(warning.isHidden());
}
