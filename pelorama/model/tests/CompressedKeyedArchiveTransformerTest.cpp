#include "model/entities/CompressedKeyedArchiveTransformer.h"

#include "compression/DataCompression.h"
#include "foundation/KeyedArchiver.h"
#include "graphics/ArchivedValues.h"
#include "graphics/Color.h"
#include "graphics/Font.h"

#include <QRegularExpression>
#include <atomic>
#include <gtest/gtest.h>
#include <random>
#include <thread>

using compression::CompressionAlgorithm;
using pelorama::model::CompressedKeyedArchiveTransformer;

TEST(ArchiveTransformer, RoundTripsColoursAndFontsWithOneReductionLine)
{
    const CompressedKeyedArchiveTransformer transformer;
    const QVariant values[] = {
        QVariant::fromValue(graphics::Color{0.2, 0.4, 0.6, 0.8}),
        QVariant::fromValue(graphics::Color{1.25, -0.5, 0, 1, graphics::ColorSpace::deviceRGB}),
        QVariant::fromValue(graphics::Font("AvenirNext-Regular", 48)),
        QVariant::fromValue(graphics::Font("NoSuchFont-Bold", 12.5)),
    };
    for (const QVariant& value : values) {
        testing::internal::CaptureStdout();
        const QByteArray stored = transformer.transformedValue(value);
        const QString printed = QString::fromStdString(testing::internal::GetCapturedStdout());
        EXPECT_FALSE(stored.isEmpty());
        EXPECT_TRUE(QRegularExpression(R"(^Reduction: \d+ -> \d+ \d+(\.\d+)?%\n$)").match(printed).hasMatch())
            << printed.toStdString();
        EXPECT_EQ(transformer.reverseTransformedValue(stored), value);
    }
}

TEST(ArchiveTransformer, PassesNullThroughSilently)
{
    const CompressedKeyedArchiveTransformer transformer;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(transformer.transformedValue(QVariant()).isNull());
    EXPECT_FALSE(transformer.reverseTransformedValue(QByteArray()).isValid());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(ArchiveTransformer, ReadsOnlyColoursAndFontsBack)
{
    const CompressedKeyedArchiveTransformer transformer;
    testing::internal::CaptureStdout();
    const QByteArray text = transformer.transformedValue(QString("not a colour"));
    const QByteArray list = transformer.transformedValue(
        QVariantList{QVariant::fromValue(graphics::Color{}), QVariant::fromValue(graphics::Font())});
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(text.isEmpty());
    EXPECT_FALSE(transformer.reverseTransformedValue(text).isValid());
    EXPECT_FALSE(transformer.reverseTransformedValue(list).isValid());

    // Bytes that are no compressed data, a compressed non-archive, and a damaged colour.
    EXPECT_FALSE(transformer.reverseTransformedValue("plain bytes").isValid());
    EXPECT_FALSE(
        transformer.reverseTransformedValue(*compression::compressed("bplist00", CompressionAlgorithm::lzfse))
            .isValid());
    auto coders = graphics::archivedValueCoders();
    const QByteArray nanColour = *foundation::KeyedArchiver(coders).archivedData(
        QVariant::fromValue(graphics::Color{std::nan(""), 0, 0, 1}));
    EXPECT_FALSE(
        transformer.reverseTransformedValue(*compression::compressed(nanColour, CompressionAlgorithm::lzfse))
            .isValid());
}

TEST(ArchiveTransformer, SurvivesDamagedStoredBytes)
{
    const CompressedKeyedArchiveTransformer transformer;
    testing::internal::CaptureStdout();
    const QByteArray stored =
        transformer.transformedValue(QVariant::fromValue(graphics::Font("Menlo-Regular", 11)));
    testing::internal::GetCapturedStdout();
    const QByteArray archive = *compression::decompressed(stored, CompressionAlgorithm::lzfse);
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        QByteArray damaged = i % 2 ? stored : archive;
        damaged[qsizetype(random() % damaged.size())] = char(random());
        if (i % 5 == 0)
            damaged.truncate(qsizetype(random() % damaged.size()));
        const QByteArray input =
            i % 2 ? damaged : *compression::compressed(damaged, CompressionAlgorithm::lzfse);
        const QVariant value = transformer.reverseTransformedValue(input);
        EXPECT_TRUE(!value.isValid() || value.metaType() == QMetaType::fromType<graphics::Font>());
    }
}

TEST(ArchiveTransformer, ReductionLineWritesTheRatioAsADecimal)
{
    EXPECT_EQ(CompressedKeyedArchiveTransformer::reductionLine(200, 50), "Reduction: 200 -> 50 25.0%");
    EXPECT_EQ(CompressedKeyedArchiveTransformer::reductionLine(3, 1), "Reduction: 3 -> 1 33.3333333333333%");
    EXPECT_EQ(CompressedKeyedArchiveTransformer::reductionLine(1, 10'000'000'000'000'000),
              "Reduction: 1 -> 10000000000000000 1e+18%");
    EXPECT_EQ(CompressedKeyedArchiveTransformer::reductionLine(0, 0), "Reduction: 0 -> 0 nan%");
    EXPECT_EQ(CompressedKeyedArchiveTransformer::reductionLine(0, 5), "Reduction: 0 -> 5 inf%");
}

TEST(ArchiveTransformer, ServesSeveralThreadsAtOnce)
{
    const CompressedKeyedArchiveTransformer transformer;
    std::atomic<int> mismatches = 0;
    testing::internal::CaptureStdout();
    std::vector<std::thread> threads;
    threads.reserve(4);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&transformer, &mismatches, t] {
            for (int i = 0; i < 50; ++i) {
                const QVariant value = i % 2 ? QVariant::fromValue(graphics::Color{t / 4.0, i / 50.0, 0.5, 1})
                                             : QVariant::fromValue(graphics::Font("Lato-Bold", 10.0 + i + t));
                if (transformer.reverseTransformedValue(transformer.transformedValue(value)) != value)
                    ++mismatches;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    const QString printed = QString::fromStdString(testing::internal::GetCapturedStdout());
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(printed.count("Reduction: "), 200);
}
