#include "TestObjects.h"
#include "foundation/KeyValueCoding.h"
#include "ledgerline/core/NumericProperty.h"
#include "ledgerline/core/StringProperty.h"
#include "ledgerline/core/Then.h"
#include "ledgerline/widgets/ColorPropertyTableCellView.h"
#include "ledgerline/widgets/EnumerationPropertyTableCellView.h"
#include "ledgerline/widgets/ImagePropertyTableCellView.h"
#include "ledgerline/widgets/NumericPropertyTableCellView.h"
#include "ledgerline/widgets/PropertyEditorRegistry.h"
#include "ledgerline/widgets/PropertyRowView.h"
#include "ledgerline/widgets/PropertyTableViewController.h"
#include "ledgerline/widgets/StringPropertyTableCellView.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace ledgerline;

namespace {

QStringList rowNames(const PropertyTableViewController& table, bool visibleOnly = false)
{
    QStringList names;
    for (const PropertyRowView* row : table.rowViews()) {
        if (!visibleOnly || !row->isHidden()) {
            names.append(row->label()->text());
        }
    }
    return names;
}

template <typename Cell> Cell* cellAt(const PropertyTableViewController& table, std::size_t row)
{
    return qobject_cast<Cell*>(table.rowViews().at(row)->cellView());
}

} // namespace

TEST(LedgerlineTest, AnEmptyTableShowsNothing)
{
    PropertyTableViewController table;
    table.view();
    EXPECT_TRUE(table.sectionTitles().isEmpty());
    EXPECT_TRUE(table.rowViews().empty());
    Shape shape;
    table.setObject(&shape);
    table.setObject(nullptr);
    EXPECT_EQ(table.object(), nullptr);
    EXPECT_EQ(table.propertyCollection(), nullptr);
    EXPECT_TRUE(table.sectionTitles().isEmpty());
    EXPECT_TRUE(table.rowViews().empty());
}

TEST(LedgerlineTest, GroupsBecomeSectionsAndPropertiesRowsWithTheirEditors)
{
    Shape shape;
    PropertyTableViewController table;
    table.setObject(&shape); // before the view loads
    table.view();
    EXPECT_EQ(table.sectionTitles(), (QStringList{"Shape", "Shadow"}));
    EXPECT_EQ(rowNames(table), (QStringList{"Name", "Image", "Type", "Depth", "Color"}));
    EXPECT_NE(cellAt<StringPropertyTableCellView>(table, 0), nullptr);
    EXPECT_NE(cellAt<ImagePropertyTableCellView>(table, 1), nullptr);
    EXPECT_NE(cellAt<EnumerationPropertyTableCellView>(table, 2), nullptr);
    EXPECT_NE(cellAt<NumericPropertyTableCellView>(table, 3), nullptr);
    EXPECT_NE(cellAt<ColorPropertyTableCellView>(table, 4), nullptr);
    const auto& groups = table.propertyCollection()->groups();
    EXPECT_EQ(table.rowView(groups[1]->properties()[0].get()), table.rowViews()[2]);
    EXPECT_EQ(table.rowViews()[0]->cellView()->objectValue(), groups[0]->properties()[0].get());
}

TEST(LedgerlineTest, HiddenRowsHideAndShowAsTheObjectChanges)
{
    Shape shape;
    PropertyTableViewController table;
    table.view();
    table.setObject(&shape);
    EXPECT_EQ(rowNames(table, true), (QStringList{"Name", "Image", "Type"}));
    shape.setValueForKey(1, "shadowType");
    EXPECT_EQ(rowNames(table, true), (QStringList{"Name", "Image", "Type", "Color"}));
    emit cellAt<EnumerationPropertyTableCellView>(table, 2)->popUp()->activated(2);
    EXPECT_EQ(shape.value("shadowType"), 2);
    EXPECT_EQ(rowNames(table, true), (QStringList{"Name", "Image", "Type", "Depth", "Color"}));
}

TEST(LedgerlineTest, ASectionWhoseRowsAreAllHiddenHidesItsTitle)
{
    Shape shape;
    PropertyTableViewController table;
    table.view();
    table.setObject(&shape);
    const auto titleOf = [&](const QString& title) {
        for (const QLabel* label : table.view()->findChildren<QLabel*>()) {
            if (label->text() == title && !qobject_cast<const PropertyRowView*>(label->parentWidget())) {
                return label->parentWidget();
            }
        }
        return static_cast<QWidget*>(nullptr);
    };
    ASSERT_NE(titleOf("Shape"), nullptr);
    EXPECT_FALSE(titleOf("Shape")->isHidden());
    const auto& rows = table.propertyCollection()->groups()[0]->properties();
    rows[0]->setHidden(true);
    EXPECT_FALSE(titleOf("Shape")->isHidden());
    rows[1]->setHidden(true);
    EXPECT_TRUE(titleOf("Shape")->isHidden());
    EXPECT_FALSE(titleOf("Shadow")->isHidden());
    rows[0]->setHidden(false);
    EXPECT_FALSE(titleOf("Shape")->isHidden());
}

TEST(LedgerlineTest, AnotherObjectReusesTheRowsAndOnlyItIsFollowed)
{
    Shape first;
    Shape second;
    second.preset("name", QStringLiteral("Second"));
    PropertyTableViewController table;
    table.view();
    table.setObject(&first);
    const std::vector<PropertyRowView*> rows = table.rowViews();
    table.setObject(&second);
    EXPECT_EQ(table.rowViews(), rows);

    QLineEdit* name = cellAt<StringPropertyTableCellView>(table, 0)->textField();
    EXPECT_EQ(name->text(), "Second");
    first.setValueForKey(QStringLiteral("Changed"), "name");
    EXPECT_EQ(name->text(), "Second");
    second.setValueForKey(QStringLiteral("Followed"), "name");
    EXPECT_EQ(name->text(), "Followed");
    name->selectAll();
    QTest::keyClicks(name, "Typed");
    EXPECT_EQ(second.value("name"), "Followed"); // not before the edit ends
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(second.value("name"), "Typed");
    EXPECT_EQ(first.value("name"), "Changed");
}

TEST(LedgerlineTest, RowsOfAnotherEditorAreReplaced)
{
    Shape shape;
    Caption caption;
    PropertyTableViewController table;
    table.view();
    table.setObject(&shape);
    table.setObject(&caption);
    EXPECT_EQ(table.sectionTitles(), QStringList{"Text"});
    EXPECT_EQ(rowNames(table), (QStringList{"Text", "Font", "Horizontal Alignment", "Size"}));
    EXPECT_EQ(table.view()->findChildren<PropertyRowView*>().size(), 4);
}

TEST(LedgerlineTest, AnEditInProgressReachesItsObjectBeforeTheTableMovesOn)
{
    Shape first;
    Shape second;
    PropertyTableViewController table;
    table.view();
    table.setObject(&first);
    QLineEdit* name = cellAt<StringPropertyTableCellView>(table, 0)->textField();
    name->selectAll();
    QTest::keyClicks(name, "Unfinished");
    table.setObject(&second);
    EXPECT_EQ(first.value("name"), "Unfinished");
    EXPECT_EQ(second.value("name"), "Shape");
}

TEST(LedgerlineTest, TheTableEmptiesWhenItsObjectIsDestroyed)
{
    auto shape = std::make_unique<Shape>();
    PropertyTableViewController table;
    table.view();
    table.setObject(shape.get());
    shape.reset();
    EXPECT_EQ(table.object(), nullptr);
    EXPECT_TRUE(table.rowViews().empty() || table.rowViews().front()->isHidden());
    EXPECT_TRUE(table.sectionTitles().isEmpty());
}

TEST(LedgerlineTest, ATableDestroyedBeforeItsObjectLeavesTheObjectAlone)
{
    Shape shape;
    {
        PropertyTableViewController table;
        table.view();
        table.setObject(&shape);
    }
    shape.setValueForKey(2, "shadowType");
    shape.setValueForKey(QStringLiteral("Still here"), "name");
    EXPECT_EQ(shape.writes["name"], 1);
}

TEST(LedgerlineTest, ATableWhoseViewWasDeletedByItsParentStillWorks)
{
    Shape shape;
    PropertyTableViewController table;
    {
        QWidget window;
        table.view()->setParent(&window);
        table.setObject(&shape);
    }
    table.setObject(nullptr);
    table.setObject(&shape);
    table.view();
    EXPECT_EQ(table.rowViews().size(), 5u);
}

namespace {

class AngleProperty : public NumericProperty
{
    Q_OBJECT
};

class DialProperty : public NumericProperty
{
    Q_OBJECT
};

class DialCell : public PropertyTableCellView
{
    Q_OBJECT
};

class Dial : public Record, public PropertyEditable
{
    Q_OBJECT

public:
    Dial()
        : Record({"angle"})
    {}

    std::unique_ptr<PropertyCollection> makePropertyCollection() override
    {
        auto collection = std::make_unique<PropertyCollection>();
        collection->addGroup(then(std::make_unique<PropertyGroup>(), [&](PropertyGroup& group) {
            group.setName("Shadow");
            group.addProperty(then(std::make_unique<AngleProperty>(), [&](AngleProperty& angle) {
                angle.setName("Angle");
                angle.bind(this, "angle");
            }));
            group.addProperty(then(std::make_unique<DialProperty>(), [&](DialProperty& dial) {
                dial.setName("Dial");
                dial.bind(this, "angle");
            }));
            group.addProperty(std::make_unique<Property>());
        }));
        return collection;
    }
};

} // namespace

TEST(LedgerlineTest, EditorsAreFoundByEditorNameAndFallBackToTheirBaseClass)
{
    auto editors = std::make_shared<PropertyEditorRegistry>();
    editors->registerEditor("DialPropertyTableCellView", [] { return std::make_unique<DialCell>(); });
    EXPECT_TRUE(editors->isRegistered("DialPropertyTableCellView"));
    EXPECT_FALSE(editors->isRegistered("AnglePropertyTableCellView"));
    EXPECT_FALSE(PropertyEditorRegistry().isRegistered("DialPropertyTableCellView"));

    Dial dial;
    PropertyTableViewController table(editors);
    table.view();
    table.setObject(&dial);
    ASSERT_EQ(table.rowViews().size(), 3u);
    EXPECT_EQ(table.rowViews()[0]->editorName(), "NumericPropertyTableCellView");
    EXPECT_NE(cellAt<NumericPropertyTableCellView>(table, 0), nullptr);
    EXPECT_EQ(table.rowViews()[1]->editorName(), "DialPropertyTableCellView");
    EXPECT_NE(cellAt<DialCell>(table, 1), nullptr);
    // A property without any editor gets a row that edits nothing, and no name takes no label.
    EXPECT_EQ(table.rowViews()[2]->editorName(), "PropertyTableCellView");
    EXPECT_STREQ(table.rowViews()[2]->cellView()->metaObject()->className(),
                 "ledgerline::PropertyTableCellView");
    EXPECT_TRUE(table.rowViews()[2]->label()->isHidden());
}

TEST(LedgerlineTest, TheLabelColumnIsAsWideAsTheLongestNameOfTheObjectShown)
{
    Shape shape;
    Caption caption;
    PropertyTableViewController table;
    table.view()->show();
    table.setObject(&shape);
    const int shapeColumn = table.rowViews().front()->label()->width();
    table.setObject(&caption);
    const int captionColumn = table.rowViews().front()->label()->width();
    // "Horizontal Alignment" is wider than every name of the shape.
    EXPECT_GT(captionColumn, shapeColumn);
    // Rows kept from the caption measure their new names, not the width they had.
    table.setObject(&shape);
    for (const PropertyRowView* row : table.rowViews())
        EXPECT_EQ(row->label()->width(), shapeColumn) << row->label()->text().toStdString();
}

#include "PropertyTableTest.moc"
