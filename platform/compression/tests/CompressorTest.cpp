#include "compression/Compressor.h"

#include "compression/DataCompression.h"

#include <gtest/gtest.h>
#include <random>

using compression::CompressionAlgorithm;
using compression::CompressionOperation;
using compression::Compressor;

namespace {

const CompressionAlgorithm allAlgorithms[] = {CompressionAlgorithm::lz4, CompressionAlgorithm::zlib,
                                              CompressionAlgorithm::lzma, CompressionAlgorithm::lzfse};

QByteArray sample(qsizetype size)
{
    std::mt19937 random(static_cast<std::uint32_t>(size));
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(i % 3 == 0 ? random() % 256 : 'a' + i % 7);
    return bytes;
}

// The sizes of the steps a decompression of data hands to its output callback.
std::vector<std::size_t> decompressionSteps(const QByteArray& data, CompressionAlgorithm algorithm)
{
    auto compressor = Compressor::make(algorithm, CompressionOperation::decompress);
    EXPECT_TRUE(compressor);
    std::vector<std::size_t> steps;
    const auto result =
        compressor->process(reinterpret_cast<const std::uint8_t*>(data.constData()), std::size_t(data.size()),
                            [&steps](const std::uint8_t*, std::size_t count) { steps.push_back(count); });
    EXPECT_TRUE(result);
    return steps;
}

} // namespace

TEST(Compression, CompressorHandsOutputOnInSteps)
{
    for (CompressionAlgorithm algorithm : allAlgorithms) {
        const QByteArray exact = *compression::compressed(sample(4096), algorithm);
        EXPECT_EQ(decompressionSteps(exact, algorithm), (std::vector<std::size_t>{4096}));
        const QByteArray oneMore = *compression::compressed(sample(4097), algorithm);
        EXPECT_EQ(decompressionSteps(oneMore, algorithm), (std::vector<std::size_t>{4096, 1}));
        const QByteArray small = *compression::compressed(sample(10), algorithm);
        EXPECT_EQ(decompressionSteps(small, algorithm), (std::vector<std::size_t>{10}));
    }
}

TEST(Compression, DataConversionsRoundTripEveryAlgorithm)
{
    const QByteArray input = sample(100'000);
    const std::vector<std::uint8_t> bytes(input.begin(), input.end());
    for (CompressionAlgorithm algorithm : allAlgorithms) {
        const auto packed = compression::compressed(input, algorithm);
        ASSERT_TRUE(packed);
        EXPECT_LT(packed->size(), input.size());
        EXPECT_EQ(compression::decompressed(*packed, algorithm), input);

        const auto packedBytes = compression::compressed(std::span(bytes), algorithm);
        ASSERT_TRUE(packedBytes);
        EXPECT_EQ(compression::decompressed(std::span(*packedBytes), algorithm), bytes);
    }
}

TEST(Compression, EmptyInputGivesEmptyOutput)
{
    for (CompressionAlgorithm algorithm : allAlgorithms) {
        const auto packed = compression::compressed(QByteArray(), algorithm);
        ASSERT_TRUE(packed);
        EXPECT_TRUE(packed->isEmpty());
        const auto unpacked = compression::decompressed(QByteArray(), algorithm);
        ASSERT_TRUE(unpacked);
        EXPECT_TRUE(unpacked->isEmpty());
        const auto unpackedBytes = compression::decompressed(std::span<const std::uint8_t>(), algorithm);
        ASSERT_TRUE(unpackedBytes);
        EXPECT_TRUE(unpackedBytes->empty());
    }
}

TEST(Compression, DecompressionStopsAtTheSizeCap)
{
    for (CompressionAlgorithm algorithm : {CompressionAlgorithm::lzfse}) {
        const QByteArray atCap(qsizetype(Compressor::maximumDecompressedSize), '\0');
        const QByteArray packedAtCap = *compression::compressed(atCap, algorithm);
        EXPECT_LT(packedAtCap.size(), 200'000);
        const auto unpacked = compression::decompressed(packedAtCap, algorithm);
        ASSERT_TRUE(unpacked);
        EXPECT_EQ(unpacked->size(), atCap.size());

        const QByteArray beyond = *compression::compressed(atCap + QByteArray(1, '\0'), algorithm);
        EXPECT_FALSE(compression::decompressed(beyond, algorithm));
    }
}
