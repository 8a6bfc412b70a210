#include "TestObjects.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/KeyValueError.h"
#include "foundation/Values.h"
#include "ledgerline/core/ColorProperty.h"
#include "ledgerline/core/FontProperty.h"
#include "ledgerline/core/NumericProperty.h"
#include "ledgerline/core/StringProperty.h"
#include "tessaline/Shared/Binding.h"
#include "tessaline/Shared/Observer.h"

#include <gtest/gtest.h>
#include <memory>

using namespace ledgerline;

TEST(LedgerlineTest, ABoundRowShowsTheObjectsValueAndEditsReachTheObject)
{
    Swatch swatch;
    swatch.setTitle("Sunrise");
    StringProperty title("placeholder");
    title.bind(&swatch, "title");
    EXPECT_EQ(title.text(), "Sunrise");
    EXPECT_EQ(title.valueKeyPath(), "title");
    ASSERT_EQ(title.bindings().size(), 1u);
    EXPECT_EQ(title.bindings().front()->first(), &swatch);

    foundation::setValueForKey(&title, QStringLiteral("Sunset"), "value");
    EXPECT_EQ(swatch.title(), "Sunset");
    swatch.setTitle("Noon");
    EXPECT_EQ(title.text(), "Noon");
}

TEST(LedgerlineTest, EveryKindStaysEqualToItsKeyInBothDirections)
{
    Swatch swatch;
    NumericProperty opacity;
    ColorProperty color;
    FontProperty font;
    opacity.bind(&swatch, "opacity");
    color.bind(&swatch, "color");
    font.bind(&swatch, "font");
    EXPECT_EQ(opacity.doubleValue(), 1.0);
    EXPECT_EQ(color.color(), graphics::Color{});
    EXPECT_EQ(font.font(), graphics::Font{});

    const graphics::Color teal{0, 0.5, 0.5, 1};
    const graphics::Font caption("AvenirNext-Regular", 50);
    opacity.setValue(0.25);
    color.setValue(QVariant::fromValue(teal));
    font.setValue(QVariant::fromValue(caption));
    EXPECT_EQ(swatch.opacity(), 0.25);
    EXPECT_EQ(swatch.color(), teal);
    EXPECT_EQ(swatch.font(), caption);

    swatch.setOpacity(0.75);
    swatch.setColor(graphics::Color{1, 0, 0, 1});
    swatch.setFont(caption.withSize(20));
    EXPECT_EQ(opacity.doubleValue(), 0.75);
    EXPECT_EQ(color.color(), (graphics::Color{1, 0, 0, 1}));
    EXPECT_EQ(font.font(), caption.withSize(20));
}

TEST(LedgerlineTest, RowsBindToKeyValueObjectsAndCarryNil)
{
    Record record;
    record.preset("amount", 3); // an integer attribute shown by a numeric row
    NumericProperty amount(9.0);
    amount.bind(&record, "amount");
    EXPECT_EQ(amount.doubleValue(), 3.0);
    EXPECT_EQ(record.writes["amount"], 0); // binding does not write the object

    amount.setValue(4.5);
    EXPECT_EQ(record.value("amount"), 4.5);
    EXPECT_EQ(record.writes["amount"], 1);

    record.setValueForKey({}, "amount");
    EXPECT_TRUE(foundation::isNil(amount.value()));
    EXPECT_EQ(amount.doubleValue(), 0);

    ColorProperty color(graphics::Color{1, 1, 1, 1});
    color.bind(&record, "color"); // the record holds no colour yet
    EXPECT_FALSE(color.color());
    EXPECT_FALSE(foundation::valueForKey(&color, "value").isValid());
}

TEST(LedgerlineTest, StoringAnEqualValueStillNotifiesButDoesNotRewriteTheObject)
{
    Record record;
    record.preset("title", QStringLiteral("Same"));
    StringProperty title;
    title.bind(&record, "title");
    int notifications = 0;
    const tessaline::Observer observer(&title, "value", false, [&](const QVariant&) { ++notifications; });
    foundation::setValueForKey(&title, QStringLiteral("Same"), "value");
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(record.writes["title"], 0);
}

TEST(LedgerlineTest, BindingToAnUnknownKeyThrowsAndBindsNothing)
{
    Swatch swatch;
    StringProperty title("kept");
    EXPECT_THROW(title.bind(&swatch, "subtitle"), foundation::KeyValueError);
    EXPECT_TRUE(title.bindings().empty());
    EXPECT_TRUE(title.valueKeyPath().isNull());
    EXPECT_EQ(title.text(), "kept");
}

TEST(LedgerlineTest, HiddenIsAnObservableKey)
{
    StringProperty row;
    EXPECT_FALSE(row.isHidden());
    QList<bool> seen;
    const tessaline::Observer observer(&row, "hidden",
                                       [&](const QVariant& value) { seen.append(value.toBool()); });
    row.setHidden(true);
    row.setHidden(true);
    foundation::setValueForKey(&row, false, "hidden");
    EXPECT_EQ(seen, (QList<bool>{false, true, true, false}));
    EXPECT_FALSE(row.isHidden());
}

TEST(LedgerlineTest, ADestroyedObjectLeavesItsRowsQuiet)
{
    auto swatch = std::make_unique<Swatch>();
    swatch->setOpacity(0.5);
    NumericProperty opacity;
    opacity.bind(swatch.get(), "opacity");
    swatch.reset();

    opacity.setValue(0.9); // nothing left to write to
    EXPECT_EQ(opacity.doubleValue(), 0.9);
    EXPECT_EQ(opacity.bindings().front()->first(), nullptr);
}

TEST(LedgerlineTest, ADestroyedRowStopsFollowingItsObject)
{
    Swatch swatch;
    auto opacity = std::make_unique<NumericProperty>();
    opacity->bind(&swatch, "opacity");
    opacity.reset();
    swatch.setOpacity(0.3); // must not reach the destroyed row
    EXPECT_EQ(swatch.opacity(), 0.3);
}

TEST(LedgerlineTest, RowsOfSeveralObjectsStayIndependent)
{
    Swatch first;
    Swatch second;
    NumericProperty a;
    NumericProperty b;
    a.bind(&first, "opacity");
    b.bind(&second, "opacity");
    a.setValue(0.1);
    EXPECT_EQ(first.opacity(), 0.1);
    EXPECT_EQ(second.opacity(), 1.0);
    EXPECT_EQ(b.doubleValue(), 1.0);
}

namespace {

class AngleProperty : public NumericProperty
{
    Q_OBJECT
};

class UnnamedSubclass : public NumericProperty
{
};

} // namespace

TEST(LedgerlineTest, EditorNamesFollowTheClassName)
{
    EXPECT_EQ(StringProperty().editorName(), "StringPropertyTableCellView");
    EXPECT_EQ(NumericProperty().editorName(), "NumericPropertyTableCellView");
    EXPECT_EQ(ColorProperty().editorName(), "ColorPropertyTableCellView");
    EXPECT_EQ(FontProperty().editorName(), "FontPropertyTableCellView");
    EXPECT_EQ(AngleProperty().editorName(), "AnglePropertyTableCellView");
    // Without its own meta-object a subclass uses its base's editor.
    EXPECT_EQ(UnnamedSubclass().editorName(), "NumericPropertyTableCellView");
}

#include "PropertyBindingTest.moc"
