#include "graphics/StripDeflater.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>
#include <zlib.h>

using graphics::StripDeflater;

namespace {

using Bytes = std::vector<quint8>;

// Bytes like filtered rows: zeros but for a share of nonzero ones, repeating every period bytes (as a
// pattern repeats from row to row) or not at all when period is zero.
Bytes residuals(std::size_t size, double nonzeroShare, std::size_t period, unsigned seed)
{
    std::mt19937 random(seed);
    std::bernoulli_distribution nonzero(nonzeroShare);
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        if (period != 0 && i >= period) {
            bytes[i] = bytes[i - period];
        } else if (nonzero(random)) {
            bytes[i] = quint8(1 + random() % 255);
        }
    }
    return bytes;
}

// Inflates a raw deflate stream that must end exactly where data does.
Bytes inflateWhole(const QByteArray& data, std::size_t expectedSize)
{
    z_stream stream{};
    EXPECT_EQ(inflateInit2(&stream, -15), Z_OK);
    Bytes out(expectedSize + 1);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    EXPECT_EQ(inflate(&stream, Z_FINISH), Z_STREAM_END) << stream.msg;
    EXPECT_EQ(stream.avail_in, 0u);
    out.resize(stream.total_out);
    inflateEnd(&stream);
    return out;
}

} // namespace

TEST(GraphicsTest, StripsDeflatedApartJoinIntoOneStream)
{
    struct Strip
    {
        const char* name;
        Bytes bytes;
    };
    const Strip kinds[] = {
        {"noise", residuals(300'000, 1.0, 0, 1)},
        {"photo-like", residuals(500'000, 0.5, 0, 2)},
        {"mixed", residuals(400'000, 0.15, 3'001, 3)},
        {"mixed, no repeats", residuals(200'000, 0.1, 0, 4)},
        {"clean", residuals(520'000, 0.02, 8'641, 5)},
        {"flat", Bytes(250'000, 0)},
        {"one byte", Bytes{9}},
        {"three zeros", Bytes(3, 0)},
    };
    // Every kind of strip before and after every other, and each as the last; one deflater serves
    // them all, as one thread does.
    for (std::size_t last = 0; last < std::size(kinds); ++last) {
        SCOPED_TRACE(testing::Message() << "last: " << kinds[last].name);
        StripDeflater deflater;
        QByteArray stream;
        Bytes expected;
        for (std::size_t i = 0; i <= std::size(kinds); ++i) {
            const Strip& strip =
                i < std::size(kinds) ? kinds[(last + 1 + i) % std::size(kinds)] : kinds[last];
            stream += deflater.deflate(strip.bytes, i == std::size(kinds));
            expected.insert(expected.end(), strip.bytes.begin(), strip.bytes.end());
        }
        EXPECT_TRUE(inflateWhole(stream, expected.size()) == expected);
    }
}

TEST(GraphicsTest, StripsOfRepeatedRowsDeflateToMatches)
{
    // Rows repeating every 2,000 bytes, a fiftieth of them nonzero: a compressor that only finds runs
    // spends at least a byte on each nonzero one, matches far less.
    const Bytes rows = residuals(500'000, 0.02, 2'000, 6);
    const auto nonzero = std::count_if(rows.begin(), rows.end(), [](quint8 byte) { return byte != 0; });
    StripDeflater deflater;
    for (const bool last : {false, true}) {
        const QByteArray strip = deflater.deflate(rows, last);
        EXPECT_LT(strip.size(), nonzero / 2) << "last: " << last;
        EXPECT_TRUE(inflateWhole(strip + (last ? QByteArray() : QByteArray("\x03\x00", 2)), rows.size()) ==
                    rows);
    }
}
