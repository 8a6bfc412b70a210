#include "inspector/AngleControl.h"
#include "inspector/AnglePropertyTableCellView.h"
#include "inspector/GradientPicker.h"
#include "inspector/StockGradientPropertyTableCellView.h"
#include "inspector/WarningPropertyTableCellView.h"
#include "model/attributes/AngleProperty.h"
#include "model/attributes/StockGradientProperty.h"
#include "model/attributes/WarningProperty.h"
#include "model/entities/StockGradient.h"
#include "tessaline/Tessaline/MarkupLabel.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace pelorama::app;
using pelorama::model::AngleProperty;
using pelorama::model::StockGradient;
using pelorama::model::StockGradientProperty;
using pelorama::model::WarningProperty;

TEST(InspectorEditorsTest, TheGradientPickerAndItsPropertyChooseTogether)
{
    StockGradientProperty property;
    property.setValueIndex(3);
    StockGradientPropertyTableCellView cell;
    cell.setObjectValue(&property);
    GradientPicker* picker = cell.gradientPicker();
    EXPECT_EQ(picker->selectedIndex(), 3);

    picker->resize(250, 158);
    QSignalSpy values(&property, &StockGradientProperty::valueChanged);
    QTest::mouseClick(picker, Qt::LeftButton, {}, picker->swatchRect(8).center().toPoint());
    EXPECT_EQ(property.valueIndex(), 8);
    EXPECT_EQ(property.stockGradient(), StockGradient::all()[8]);
    EXPECT_EQ(values.size(), 1);
    // The swatch already chosen: nothing is chosen again.
    QTest::mouseClick(picker, Qt::LeftButton, {}, picker->swatchRect(8).center().toPoint());
    EXPECT_EQ(values.size(), 1);

    property.setValue(QVariant::fromValue(StockGradient::all()[21]));
    EXPECT_EQ(picker->selectedIndex(), 21);
    property.setValue({});
    EXPECT_EQ(picker->selectedIndex(), -1);
}

TEST(InspectorEditorsTest, AnIndexOutsideTheGradientsChoosesNone)
{
    StockGradientProperty property;
    StockGradientPropertyTableCellView cell;
    cell.setObjectValue(&property);
    property.setValueIndex(2);
    property.setValueIndex(-5);
    EXPECT_EQ(property.stockGradient(), nullptr);
    EXPECT_EQ(property.valueIndex(), -1);
    EXPECT_EQ(cell.gradientPicker()->selectedIndex(), -1);

    // Only the property is told of an index past the last gradient from outside; it chooses none.
    cell.gradientPicker()->setSelectedIndex(22);
    EXPECT_EQ(property.stockGradient(), nullptr);
    EXPECT_EQ(property.valueIndex(), -1);
}

TEST(InspectorEditorsTest, TheDialAndItsPropertyFollowEachOther)
{
    AngleProperty property;
    property.setValue(270.0);
    AnglePropertyTableCellView cell;
    cell.setObjectValue(&property);
    AngleControl* dial = cell.angleControl();
    EXPECT_EQ(dial->value(), 270.0);

    QTest::mousePress(dial, Qt::LeftButton, {}, QPoint(45, 25));
    EXPECT_DOUBLE_EQ(property.degrees(), 0);
    QTest::mouseMove(dial, QPoint(25, 5));
    EXPECT_DOUBLE_EQ(property.degrees(), 90); // every step of a drag
    QTest::mouseRelease(dial, Qt::LeftButton, {}, QPoint(25, 5));

    property.setValue(-30.0);
    EXPECT_EQ(dial->value(), -30.0);

    AngleProperty other;
    cell.setObjectValue(&other);
    EXPECT_EQ(dial->value(), 0.0);
    property.setValue(45.0);
    EXPECT_EQ(dial->value(), 0.0);

    // Without a property the dial holds no angle.
    cell.setObjectValue(nullptr);
    EXPECT_FALSE(dial->value().isValid());
}

TEST(InspectorEditorsTest, TheWarningShowsItsMessageAsMarkupOneWay)
{
    WarningProperty property;
    property.setMessage(
        "**Warning:** for best results please use a screenshot that matches the resolution of "
        "the device.");
    WarningPropertyTableCellView cell;
    cell.setObjectValue(&property);
    tessaline::MarkupLabel* label = cell.messageLabel();
    EXPECT_EQ(label->markupStringValue(),
              "Warning: for best results please use a screenshot that matches the resolution of the device.");

    property.setMessage("Now **this**");
    EXPECT_EQ(label->markupStringValue(), "Now this");
    label->setMarkupStringValue("Typed into the label");
    EXPECT_EQ(property.message(), "Now **this**");

    WarningProperty other;
    other.setMessage("Other");
    cell.setObjectValue(&other);
    EXPECT_EQ(label->markupStringValue(), "Other");
    property.setMessage("Old");
    EXPECT_EQ(label->markupStringValue(), "Other");
}
