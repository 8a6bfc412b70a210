#include "compression/Stream.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <vector>

using compression::Algorithm;
using compression::Operation;
using compression::Status;
using compression::Stream;

namespace {

using Bytes = std::vector<std::uint8_t>;

const Algorithm allAlgorithms[] = {Algorithm::lz4, Algorithm::zlib, Algorithm::lzma, Algorithm::lzfse};

// Runs a whole buffer through a stream with every call finalizing, collecting output through a
// destination of the given size; nothing when the stream answers error. Gives up (test failure) after
// far more calls than any sane stream needs, so a looping stream shows as a failure, not a hang.
std::optional<Bytes> run(Operation operation, Algorithm algorithm, const Bytes& input,
                         std::size_t step = 4096)
{
    Stream stream;
    EXPECT_EQ(stream.init(operation, algorithm), Status::ok);
    Bytes output;
    Bytes buffer(step);
    stream.sourcePointer = input.data();
    stream.sourceSize = input.size();
    for (int calls = 0; calls < 10'000'000; ++calls) {
        stream.destinationPointer = buffer.data();
        stream.destinationSize = buffer.size();
        const Status status = stream.process(Stream::Flags::finalize);
        output.insert(output.end(), buffer.data(), stream.destinationPointer);
        if (status == Status::error)
            return std::nullopt;
        if (status == Status::end)
            return output;
    }
    ADD_FAILURE() << "the stream never ended";
    return std::nullopt;
}

Bytes sample(std::size_t size, bool compressible)
{
    std::mt19937 random(static_cast<std::uint32_t>(size));
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] =
            compressible ? std::uint8_t("screenshot "[i % 11] + (i % 97 == 0)) : std::uint8_t(random());
    return bytes;
}

std::string name(Algorithm algorithm)
{
    switch (algorithm) {
    case Algorithm::lz4:
        return "lz4";
    case Algorithm::zlib:
        return "zlib";
    case Algorithm::lzma:
        return "lzma";
    case Algorithm::lzfse:
        return "lzfse";
    }
    return "?";
}

} // namespace

TEST(CompressionTest, EveryAlgorithmRoundTripsThroughAnyOutputStep)
{
    for (Algorithm algorithm : allAlgorithms) {
        for (const Bytes& input :
             {Bytes{}, Bytes{42}, sample(4096, true), sample(200'000, true), sample(70'000, false)}) {
            for (std::size_t step : {std::size_t(1), std::size_t(4096), std::size_t(1 << 20)}) {
                if (step == 1 && input.size() > 5000)
                    continue;
                const auto encoded = run(Operation::encode, algorithm, input, step);
                ASSERT_TRUE(encoded) << name(algorithm);
                const auto decoded = run(Operation::decode, algorithm, *encoded, step);
                ASSERT_TRUE(decoded) << name(algorithm) << " " << input.size() << " " << step;
                EXPECT_EQ(*decoded, input) << name(algorithm);
            }
        }
    }
}

TEST(CompressionTest, CompressibleDataShrinks)
{
    const Bytes input = sample(100'000, true);
    for (Algorithm algorithm : allAlgorithms)
        EXPECT_LT(run(Operation::encode, algorithm, input)->size(), input.size() / 10) << name(algorithm);
}

TEST(CompressionTest, TruncatedInputEndsInErrorNeverLoops)
{
    const Bytes input = sample(20'000, false);
    for (Algorithm algorithm : allAlgorithms) {
        const Bytes encoded = *run(Operation::encode, algorithm, input);
        for (std::size_t length = 0; length < encoded.size(); length += 1 + length / 16) {
            const Bytes truncated(encoded.begin(), encoded.begin() + std::ptrdiff_t(length));
            EXPECT_FALSE(run(Operation::decode, algorithm, truncated)) << name(algorithm) << " " << length;
        }
    }
}

TEST(CompressionTest, CorruptOrForeignInputIsAnError)
{
    const Bytes text = sample(10'000, true);
    for (Algorithm algorithm : allAlgorithms) {
        EXPECT_FALSE(run(Operation::decode, algorithm, sample(3000, false))) << name(algorithm);
        Bytes damaged = *run(Operation::encode, algorithm, text);
        damaged[damaged.size() / 2] ^= 0x55;
        damaged[damaged.size() / 2 + 1] ^= 0xFF;
        const auto decoded = run(Operation::decode, algorithm, damaged);
        EXPECT_TRUE(!decoded || *decoded != text)
            << name(algorithm); // raw DEFLATE has no checksum to catch it
        if (algorithm != Algorithm::zlib) {
            EXPECT_FALSE(decoded) << name(algorithm);
        }
    }
}

TEST(CompressionTest, StreamsNeedASuccessfulInit)
{
    Stream stream;
    EXPECT_EQ(stream.process(Stream::Flags::finalize), Status::error);
    EXPECT_EQ(stream.init(Operation::encode, Algorithm(0x999)), Status::error);
    EXPECT_EQ(stream.process(Stream::Flags::finalize), Status::error);
    EXPECT_EQ(stream.init(Operation(7), Algorithm::zlib), Status::error);
    ASSERT_EQ(stream.init(Operation::encode, Algorithm::zlib), Status::ok);
    stream.destroy();
    EXPECT_EQ(stream.process(Stream::Flags::finalize), Status::error);
}

TEST(CompressionTest, InputCanArriveInPiecesBeforeFinalizing)
{
    const Bytes input = sample(50'000, true);
    for (Algorithm algorithm : allAlgorithms) {
        for (Operation operation : {Operation::encode, Operation::decode}) {
            const Bytes source =
                operation == Operation::encode ? input : *run(Operation::encode, algorithm, input);
            Stream stream;
            ASSERT_EQ(stream.init(operation, algorithm), Status::ok);
            Bytes output;
            Bytes buffer(1000);
            Status status = Status::ok;
            std::size_t offset = 0;
            for (int calls = 0; status == Status::ok && calls < 100'000; ++calls) {
                if (stream.sourceSize == 0 && offset < source.size()) {
                    const std::size_t piece = std::min<std::size_t>(777, source.size() - offset);
                    stream.sourcePointer = source.data() + offset;
                    stream.sourceSize = piece;
                    offset += piece;
                }
                stream.destinationPointer = buffer.data();
                stream.destinationSize = buffer.size();
                const bool last = offset == source.size();
                status = stream.process(last ? Stream::Flags::finalize : Stream::Flags::none);
                output.insert(output.end(), buffer.data(), stream.destinationPointer);
            }
            ASSERT_EQ(status, Status::end) << name(algorithm);
            if (operation == Operation::decode)
                EXPECT_EQ(output, input) << name(algorithm);
            else
                EXPECT_EQ(*run(Operation::decode, algorithm, output), input) << name(algorithm);
        }
    }
}

TEST(CompressionTest, DataAfterTheEndOfTheStreamIsAnError)
{
    const Bytes input = sample(10'000, true);
    for (Algorithm algorithm : allAlgorithms) {
        const Bytes encoded = *run(Operation::encode, algorithm, input);
        ASSERT_EQ(*run(Operation::decode, algorithm, encoded), input) << name(algorithm);
        Bytes padded = encoded;
        padded.push_back(0);
        EXPECT_FALSE(run(Operation::decode, algorithm, padded)) << name(algorithm);
        Bytes twice = encoded;
        twice.insert(twice.end(), encoded.begin(), encoded.end());
        EXPECT_FALSE(run(Operation::decode, algorithm, twice)) << name(algorithm);
        EXPECT_FALSE(run(Operation::decode, algorithm, twice, 1)) << name(algorithm);

        // Bytes handed over in a call after the end count as much as those in the same call.
        Stream stream;
        ASSERT_EQ(stream.init(Operation::decode, algorithm), Status::ok);
        Bytes output(input.size() + 100);
        stream.sourcePointer = encoded.data();
        stream.sourceSize = encoded.size();
        stream.destinationPointer = output.data();
        stream.destinationSize = output.size();
        Status status = Status::ok;
        for (int calls = 0; status == Status::ok && calls < 1000; ++calls)
            status = stream.process(Stream::Flags::finalize);
        ASSERT_EQ(status, Status::end) << name(algorithm);
        const std::uint8_t more = 0;
        stream.sourcePointer = &more;
        stream.sourceSize = 1;
        EXPECT_EQ(stream.process(Stream::Flags::finalize), Status::error) << name(algorithm);
    }
}

TEST(CompressionTest, SkippableFramesDoNotHideTrailingData)
{
    // An empty skippable frame: its magic number and a length of zero, both little-endian.
    const Bytes skippable{0x50, 0x2A, 0x4D, 0x18, 0, 0, 0, 0};
    Bytes many;
    for (int i = 0; i < 10'000; ++i)
        many.insert(many.end(), skippable.begin(), skippable.end());
    const Bytes input = sample(1000, true);
    for (Algorithm algorithm : {Algorithm::lz4, Algorithm::lzfse}) {
        EXPECT_FALSE(run(Operation::decode, algorithm, many)) << name(algorithm);
        Bytes before = skippable;
        const Bytes encoded = *run(Operation::encode, algorithm, input);
        before.insert(before.end(), encoded.begin(), encoded.end());
        EXPECT_FALSE(run(Operation::decode, algorithm, before)) << name(algorithm);
    }
}
