#include "DocumentStack.h"
#include "TestPictures.h"
#include "inspector/AngleControl.h"
#include "inspector/AnglePropertyTableCellView.h"
#include "inspector/GradientPicker.h"
#include "inspector/InspectorEditors.h"
#include "inspector/StockGradientPropertyTableCellView.h"
#include "inspector/WarningPropertyTableCellView.h"
#include "ledgerline/core/PropertyCollection.h"
#include "ledgerline/core/PropertyEditable.h"
#include "ledgerline/widgets/ColorPropertyTableCellView.h"
#include "ledgerline/widgets/EnumerationPropertyTableCellView.h"
#include "ledgerline/widgets/ImagePropertyTableCellView.h"
#include "ledgerline/widgets/NumericPropertyTableCellView.h"
#include "ledgerline/widgets/PropertyRowView.h"
#include "ledgerline/widgets/PropertyTableViewController.h"
#include "ledgerline/widgets/StringPropertyTableCellView.h"
#include "model/devices/DeviceVariant.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/Gradient.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/StockGradient.h"
#include "store/ManagedObjectContext.h"
#include "tessaline/Tessaline/ColorPickerButton.h"
#include "tessaline/Tessaline/MarkupLabel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace pelorama;
using ledgerline::PropertyRowView;
using ledgerline::PropertyTableViewController;

namespace {

// A main-queue context over an in-memory store of the document model, with undo, as a document has.
class InspectorEditorsTableTest : public testing::Test
{
protected:
    void SetUp() override
    {
        context->setUndoStack(&undo);
        table.view();
    }

    // Ends the event-loop pass, which closes the undo group of the changes made in it.
    static void endPass()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    QStringList rows(bool visibleOnly = false) const
    {
        QStringList names;
        for (const PropertyRowView* row : table.rowViews()) {
            if (!visibleOnly || !row->isHidden()) {
                names.append(row->label()->text().isEmpty() ? row->editorName() : row->label()->text());
            }
        }
        return names;
    }

    template <typename Cell> Cell* cell(std::size_t row) const
    {
        Cell* found = qobject_cast<Cell*>(table.rowViews().at(row)->cellView());
        EXPECT_NE(found, nullptr) << row;
        return found;
    }

    QUndoStack undo;
    DocumentStack document = DocumentStack::inMemory();
    std::unique_ptr<store::ManagedObjectContext>& context = document.context;
    PropertyTableViewController table{app::inspectorEditors()};
};

} // namespace

TEST_F(InspectorEditorsTableTest, AScreenshotShowsItsGroupsAndRowsWithTheirEditors)
{
    model::Screenshot* screenshot = model::Screenshot::insertInto(*context);
    table.setObject(screenshot);
    EXPECT_EQ(table.sectionTitles(), (QStringList{"Design", "Gradients", "Colors", "Background Color"}));
    EXPECT_EQ(rows(), (QStringList{"Name", "Background", "StockGradientPropertyTableCellView", "Top",
                                   "Bottom", "Background"}));
    cell<ledgerline::StringPropertyTableCellView>(0);
    cell<ledgerline::EnumerationPropertyTableCellView>(1);
    EXPECT_EQ(cell<app::StockGradientPropertyTableCellView>(2)->gradientPicker()->selectedIndex(), 0);
    cell<ledgerline::ColorPropertyTableCellView>(3);
    // A gradient background hides the solid colour, and the other way round.
    EXPECT_EQ(rows(true),
              (QStringList{"Name", "Background", "StockGradientPropertyTableCellView", "Top", "Bottom"}));
    emit cell<ledgerline::EnumerationPropertyTableCellView>(1)->popUp()->activated(0);
    EXPECT_EQ(rows(true), (QStringList{"Name", "Background", "Background"}));
}

TEST_F(InspectorEditorsTableTest, AGradientChosenInThePickerReachesTheScreenshotAndUndoBringsItBack)
{
    model::Screenshot* screenshot = model::Screenshot::insertInto(*context);
    endPass();
    undo.clear();
    table.setObject(screenshot);
    app::GradientPicker* picker = cell<app::StockGradientPropertyTableCellView>(2)->gradientPicker();
    picker->resize(250, 158);
    QTest::mouseClick(picker, Qt::LeftButton, {}, picker->swatchRect(5).center().toPoint());
    EXPECT_EQ(screenshot->stockGradient(), model::StockGradient::all()[5]);
    EXPECT_EQ(screenshot->gradientStartColor(), model::StockGradient::all()[5]->startColor());
    auto* top = cell<ledgerline::ColorPropertyTableCellView>(3)->colorWell();
    EXPECT_EQ(top->color(), model::StockGradient::all()[5]->endColor());
    endPass();

    ASSERT_EQ(undo.count(), 1);
    undo.undo();
    EXPECT_EQ(screenshot->stockGradient(), model::StockGradient::all()[0]);
    EXPECT_EQ(picker->selectedIndex(), 0);
    EXPECT_EQ(top->color(), model::StockGradient::all()[0]->endColor());

    // A colour of no stock gradient leaves the picker without a choice.
    top->setColor({0.1, 0.2, 0.3, 1});
    EXPECT_EQ(screenshot->stockGradient(), nullptr);
    EXPECT_EQ(picker->selectedIndex(), -1);
}

TEST_F(InspectorEditorsTableTest, AGradientEntityShowsItsPickerAndColours)
{
    model::Gradient* gradient = model::Gradient::insertInto(*context);
    table.setObject(gradient);
    EXPECT_EQ(table.sectionTitles(), (QStringList{"Gradients", "Colors"}));
    app::GradientPicker* picker = cell<app::StockGradientPropertyTableCellView>(0)->gradientPicker();
    picker->setSelectedIndex(12);
    EXPECT_EQ(gradient->stockGradient(), model::StockGradient::all()[12]);
}

TEST_F(InspectorEditorsTableTest, ShadowRowsFollowTheShadowTypeAndTheDialReachesTheImage)
{
    model::Image* image = model::Image::insertInto(*context);
    table.setObject(image);
    EXPECT_EQ(table.sectionTitles(), (QStringList{"Image", "Shadow"}));
    // The image's own two rows come first.
    const QStringList imageRows{"Resizing mode", "Image"};
    image->setShadowType(model::ShadowType::none);
    EXPECT_EQ(rows(true), (imageRows + QStringList{"Type"}));
    image->setShadowType(model::ShadowType::drop);
    EXPECT_EQ(rows(true), (imageRows + QStringList{"Type", "Angle", "Distance", "Blur radius", "Color"}));
    emit cell<ledgerline::EnumerationPropertyTableCellView>(2)->popUp()->activated(2);
    EXPECT_EQ(image->shadowType(), model::ShadowType::directional);
    EXPECT_EQ(rows(true), (imageRows + QStringList{"Type", "Angle", "Depth", "Color"}));
    endPass();

    const double before = image->shadowAngle();
    app::AngleControl* dial = cell<app::AnglePropertyTableCellView>(3)->angleControl();
    QTest::mouseClick(dial, Qt::LeftButton, {}, QPoint(5, 25));
    EXPECT_DOUBLE_EQ(image->shadowAngle(), 180);
    endPass();
    undo.undo();
    EXPECT_DOUBLE_EQ(image->shadowAngle(), before);
    EXPECT_DOUBLE_EQ(dial->doubleValue(), before);
}

TEST_F(InspectorEditorsTableTest, ADeviceImageShowsItsModelsPictureWarningAndShadow)
{
    model::DeviceImage* device = model::DeviceImage::insertInto(*context);
    table.setObject(device);
    EXPECT_EQ(table.sectionTitles(), (QStringList{"Device Image", "Shadow"}));
    EXPECT_EQ(rows().mid(0, 5), (QStringList{"Device Model", "Scale factor", "Screenshot",
                                             "WarningPropertyTableCellView", "Type"}));
    cell<ledgerline::NumericPropertyTableCellView>(1);
    // Without a picture there is nothing to warn about.
    EXPECT_TRUE(table.rowViews()[3]->isHidden());

    QComboBox* models = cell<ledgerline::EnumerationPropertyTableCellView>(0)->popUp();
    ASSERT_GE(models->count(), 2);
    EXPECT_EQ(models->currentText(), device->deviceVariant().name());
    emit models->activated(1);
    EXPECT_EQ(device->deviceVariant().name(), models->itemText(1));

    // A picture of another size than the screen's shows the warning, in bold where the markup says so.
    const QByteArray png = solidPng(10, 20, Qt::blue, QImage::Format_ARGB32);
    cell<ledgerline::ImagePropertyTableCellView>(2)->replaceableImageViewDidLoadImageData(nullptr, png);
    ASSERT_TRUE(device->image());
    EXPECT_FALSE(table.rowViews()[3]->isHidden());
    EXPECT_TRUE(cell<app::WarningPropertyTableCellView>(3)->messageLabel()->markupStringValue().startsWith(
        "Warning: for best results"));
}
