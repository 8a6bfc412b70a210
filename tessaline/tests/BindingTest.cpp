#include "tessaline/Shared/Binding.h"

#include "foundation/KeyValueCoding.h"
#include "foundation/KeyValueObject.h"
#include "foundation/Values.h"
#include "tessaline/Shared/TransformableBinding.h"

#include <QHash>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Holds any value, nil included, under the keys "value" and "other", and counts the stores per key.
class Slot : public foundation::KeyValueObject
{
    Q_OBJECT

public:
    using KeyValueObject::KeyValueObject;

    bool hasValueForKey(const QString& key) const override { return key == "value" || key == "other"; }
    QVariant valueForKey(const QString& key) const override { return m_values.value(key); }
    void setValueForKey(const QVariant& value, const QString& key) override
    {
        m_values.insert(key, value);
        ++writes[key];
        emit valueChangedForKey(key);
    }

    // Stores without counting, as the object's own code would.
    void preset(const QVariant& value, const QString& key = "value") { m_values.insert(key, value); }
    QVariant value(const QString& key = "value") const { return m_values.value(key); }

    QHash<QString, int> writes;

private:
    QHash<QString, QVariant> m_values;
};

QVariant plusOne(const QVariant& value)
{
    return value.toInt() + 1;
}

} // namespace

using tessaline::Binding;

TEST(TessalineTest, ABindingPushesTheFirstValueOnceAtCreationAndOnlyWhenItDiffers)
{
    Slot first;
    Slot second;
    first.preset(4);
    second.preset(1);
    const Binding binding(&first, "value", &second, "value");
    EXPECT_EQ(second.value(), 4);
    EXPECT_EQ(second.writes["value"], 1);
    EXPECT_EQ(first.writes["value"], 0); // nothing flows back at creation

    Slot equalFirst;
    Slot equalSecond;
    equalFirst.preset(2);
    equalSecond.preset(2.0); // equal across number types
    const Binding equal(&equalFirst, "value", &equalSecond, "value");
    EXPECT_EQ(equalSecond.writes["value"], 0);
}

TEST(TessalineTest, AOneWayBindingNeverCopiesBack)
{
    Slot first;
    Slot second;
    first.preset(1);
    const Binding binding(&first, "value", &second, "value", false);
    foundation::setValueForKey(&second, 9, "value");
    EXPECT_EQ(first.value(), 1);
    foundation::setValueForKey(&first, 2, "value");
    EXPECT_EQ(second.value(), 2);
    EXPECT_FALSE(binding.twoWayBinding());
}

TEST(TessalineTest, ABindingCarriesNilAsNone)
{
    Slot first;
    Slot second;
    const Binding bothNil(&first, "value", &second, "value");
    EXPECT_EQ(second.writes["value"], 0);

    foundation::setValueForKey(&first, QStringLiteral("x"), "value");
    EXPECT_EQ(second.value(), "x");
    foundation::setValueForKey(&first, foundation::nilValue(), "value");
    EXPECT_FALSE(second.value().isValid()); // the null value became none before the write
    EXPECT_EQ(second.writes["value"], 2);
}

TEST(TessalineTest, ATransformerSeesNoneForNilAndMayReplaceIt)
{
    Slot first;
    Slot second;
    QVariant seen = 1;
    const Binding binding(&first, "value", &second, "value", false, [&](const QVariant& value) {
        seen = value;
        return value.isValid() ? value : QVariant(QStringLiteral("empty"));
    });
    EXPECT_FALSE(seen.isValid());
    EXPECT_EQ(second.value(), "empty");
}

TEST(TessalineTest, AnEqualValueIsNotWrittenSoTheTargetsObserversStayQuiet)
{
    Slot first;
    Slot second;
    const Binding binding(&first, "value", &second, "value");
    foundation::setValueForKey(&first, 3, "value");
    foundation::setValueForKey(&first, 3, "value");
    foundation::setValueForKey(&first, 3.0, "value");
    EXPECT_EQ(second.writes["value"], 1);
}

TEST(TessalineTest, InversePairsWriteOnceToTheOtherSideAndNothingBack)
{
    Slot celsius;
    Slot fahrenheit;
    celsius.preset(100.0);
    const Binding binding(
        &celsius, "value", &fahrenheit, "value", true,
        [](const QVariant& c) { return c.toDouble() * 9 / 5 + 32; },
        [](const QVariant& f) { return (f.toDouble() - 32) * 5 / 9; });
    EXPECT_EQ(fahrenheit.value(), 212.0);
    foundation::setValueForKey(&fahrenheit, 32.0, "value");
    EXPECT_EQ(celsius.value(), 0.0);
    EXPECT_EQ(celsius.writes["value"], 1);
    EXPECT_EQ(fahrenheit.writes["value"], 2); // the creation and the user's store, none back
    foundation::setValueForKey(&celsius, 10.0, "value");
    EXPECT_EQ(fahrenheit.value(), 50.0);
    EXPECT_EQ(fahrenheit.writes["value"], 3);
    EXPECT_EQ(celsius.writes["value"], 2);
}

TEST(TessalineTest, TransformersThatAreNoInversesDoNotBounce)
{
    Slot first;
    Slot second;
    first.preset(1);
    // Each direction adds one: without a guard every write would answer the previous one for ever.
    const Binding binding(&first, "value", &second, "value", true, plusOne, plusOne);
    EXPECT_EQ(second.value(), 2);
    EXPECT_EQ(first.writes["value"], 0);
    foundation::setValueForKey(&second, 10, "value");
    EXPECT_EQ(first.value(), 11);
    EXPECT_EQ(second.value(), 10);
    foundation::setValueForKey(&first, 20, "value");
    EXPECT_EQ(second.value(), 21);
    EXPECT_EQ(first.value(), 20);
}

TEST(TessalineTest, ReleasingABindingEndsItAndEitherObjectMayGoFirst)
{
    Slot first;
    Slot second;
    auto binding = std::make_unique<Binding>(&first, "value", &second, "value");
    binding.reset();
    foundation::setValueForKey(&first, 5, "value");
    foundation::setValueForKey(&second, 6, "value");
    EXPECT_EQ(first.value(), 5);

    auto target = std::make_unique<Slot>();
    binding = std::make_unique<Binding>(&first, "value", target.get(), "value");
    target.reset();
    foundation::setValueForKey(&first, 7, "value");
    EXPECT_EQ(binding->second(), nullptr);
    binding.reset();
}

TEST(TessalineTest, ABindingBetweenDifferentKeysOfOneObject)
{
    Slot slot;
    slot.preset(1);
    const Binding binding(&slot, "value", &slot, "other", true, plusOne, {});
    EXPECT_EQ(slot.value("other"), 2);
    foundation::setValueForKey(&slot, 7, "other");
    EXPECT_EQ(slot.value(), 7);
}

TEST(TessalineTest, ATypedBindingTransformsOnlyValuesOfItsInputType)
{
    Slot first;
    Slot second;
    first.preset(3);
    const tessaline::TransformableBinding<int, QString> binding(
        &first, "value", &second, "value", true,
        [](const int& number) { return QString::number(number * 2); },
        [](const QString& text) { return text.toInt() / 2; });
    EXPECT_EQ(second.value(), "6");
    foundation::setValueForKey(&second, QStringLiteral("10"), "value");
    EXPECT_EQ(first.value(), 5);
    // Something that is no int passes on untransformed.
    foundation::setValueForKey(&first, QStringLiteral("text"), "value");
    EXPECT_EQ(second.value(), "text");
    foundation::setValueForKey(&first, 1.5, "value");
    EXPECT_EQ(second.value(), 1.5);
    // A whole number of another type is an int.
    foundation::setValueForKey(&first, 4.0, "value");
    EXPECT_EQ(second.value(), "8");
}

TEST(TessalineTest, ABindingRefusesUnknownKeys)
{
    Slot first;
    Slot second;
    EXPECT_THROW(Binding(&first, "value", &second, "colour"), foundation::KeyValueError);
    EXPECT_THROW(Binding(&first, "colour", &second, "value"), foundation::KeyValueError);
}

#include "BindingTest.moc"
