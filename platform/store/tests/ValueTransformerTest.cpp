#include "store/ValueTransformer.h"

#include "store/ValueComparison.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

// Stores a string as UTF-8 behind a one-byte tag, so foreign bytes are recognisable.
class TaggedStringTransformer : public store::ValueTransformer
{
public:
    QByteArray transformedValue(const QVariant& value) const override
    {
        if (!value.isValid() || value.isNull())
            return {};
        return QByteArray("S") + value.toString().toUtf8();
    }
    QVariant reverseTransformedValue(const QByteArray& bytes) const override
    {
        if (!bytes.startsWith('S'))
            return {};
        return QString::fromUtf8(bytes.mid(1));
    }
};

} // namespace

TEST(StoreTest, ValueTransformerRegistryFindsTransformersByName)
{
    auto transformer = std::make_shared<TaggedStringTransformer>();
    store::ValueTransformer::setValueTransformer(transformer, "TaggedStringTransformer");
    auto found = store::ValueTransformer::valueTransformer("TaggedStringTransformer");
    ASSERT_EQ(found, transformer);
    EXPECT_TRUE(store::ValueTransformer::valueTransformerNames().contains("TaggedStringTransformer"));

    const QByteArray bytes = found->transformedValue(QString("Grüße"));
    EXPECT_EQ(found->reverseTransformedValue(bytes).toString(), "Grüße");
    EXPECT_FALSE(found->reverseTransformedValue("garbage").isValid());
    EXPECT_TRUE(found->transformedValue(QVariant()).isNull());

    EXPECT_EQ(store::ValueTransformer::valueTransformer("NoSuchTransformer"), nullptr);
    store::ValueTransformer::setValueTransformer(nullptr, "TaggedStringTransformer");
    EXPECT_EQ(store::ValueTransformer::valueTransformer("TaggedStringTransformer"), nullptr);
}

TEST(StoreTest, ValueTransformerRegistryIsSafeFromSeveralThreads)
{
    std::vector<std::thread> threads;
    threads.reserve(4);
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back([i] {
            const QString name = QString("Transformer%1").arg(i);
            for (int n = 0; n < 200; ++n) {
                store::ValueTransformer::setValueTransformer(std::make_shared<TaggedStringTransformer>(),
                                                             name);
                EXPECT_NE(store::ValueTransformer::valueTransformer(name), nullptr);
                store::ValueTransformer::valueTransformerNames();
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int i = 0; i < 4; ++i)
        store::ValueTransformer::setValueTransformer(nullptr, QString("Transformer%1").arg(i));
}

namespace {

// A value type with equality and no order, as colours and fonts are.
struct Swatch
{
    int red = 0;
    friend bool operator==(const Swatch&, const Swatch&) = default;
};

} // namespace

Q_DECLARE_METATYPE(Swatch)

TEST(StoreTest, ValuesWithoutAnOrderAreEqualOnlyWhenTheirTypeSaysSo)
{
    const QVariant red = QVariant::fromValue(Swatch{255});
    EXPECT_TRUE(store::valuesEqual(red, QVariant::fromValue(Swatch{255})));
    EXPECT_FALSE(store::valuesEqual(red, QVariant::fromValue(Swatch{0})));
    EXPECT_FALSE(store::valuesEqual(red, QVariant()));
    EXPECT_TRUE(store::valuesEqual(QVariant(2), QVariant(2.0)));
}
