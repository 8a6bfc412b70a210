#include "graphics/DeflateBlocks.h"

#include <cstring>
#include <gtest/gtest.h>
#include <libdeflate.h>
#include <random>
#include <vector>
#include <zlib.h>

using graphics::DeflateBlocks;

namespace {

using Bytes = std::vector<quint8>;

// Text-like bytes: words from a small vocabulary, which deflate finds many matches in.
Bytes words(std::size_t size, unsigned seed)
{
    static const char* const vocabulary[] = {"export ",   "screenshot ", "frame ",  "caption ",
                                             "gradient ", "shadow ",     "device ", "template "};
    std::mt19937 random(seed);
    Bytes bytes;
    while (bytes.size() < size) {
        const char* word = vocabulary[random() % std::size(vocabulary)];
        bytes.insert(bytes.end(), word, word + std::strlen(word));
    }
    bytes.resize(size);
    return bytes;
}

Bytes noise(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (quint8& byte : bytes) {
        byte = quint8(random());
    }
    return bytes;
}

Bytes deflateWithZlib(const Bytes& input, int level, int strategy)
{
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, -15, 8, strategy), Z_OK);
    Bytes out(deflateBound(&stream, uLong(input.size())) + 16);
    stream.next_in = const_cast<Bytef*>(input.data());
    stream.avail_in = uInt(input.size());
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

Bytes deflateWithLibdeflate(const Bytes& input, int level)
{
    libdeflate_compressor* compressor = libdeflate_alloc_compressor(level);
    Bytes out(libdeflate_deflate_compress_bound(compressor, input.size()));
    out.resize(libdeflate_deflate_compress(compressor, input.data(), input.size(), out.data(), out.size()));
    libdeflate_free_compressor(compressor);
    return out;
}

// The blocks as zlib's inflater finds them: asked to stop at each block boundary, it says how many bits
// of the last byte it read are left over, and whether the block it just ended is the final one. Nothing
// unless data inflates to its very end.
std::optional<DeflateBlocks> blocksFoundByZlib(const Bytes& data)
{
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK) {
        return std::nullopt;
    }
    Bytes out(64 * 1024);
    stream.next_in = const_cast<Bytef*>(data.data());
    stream.avail_in = uInt(data.size());
    qsizetype boundary = 0;
    std::optional<DeflateBlocks> blocks;
    for (;;) {
        stream.next_out = out.data();
        stream.avail_out = uInt(out.size());
        const int result = inflate(&stream, Z_BLOCK);
        if (result != Z_OK && result != Z_STREAM_END) {
            blocks.reset();
            break;
        }
        const qsizetype bit = qsizetype(stream.total_in) * 8 - (stream.data_type & 7);
        if ((stream.data_type & 128) != 0) {
            if ((stream.data_type & 64) != 0 && !blocks) {
                blocks = DeflateBlocks{boundary, bit};
            }
            boundary = bit;
        }
        if (result == Z_STREAM_END) {
            if (stream.avail_in != 0) {
                blocks.reset();
            }
            break;
        }
    }
    inflateEnd(&stream);
    return blocks;
}

void expectSameBlocks(const std::optional<DeflateBlocks>& found, const std::optional<DeflateBlocks>& expected)
{
    ASSERT_EQ(found.has_value(), expected.has_value());
    if (found) {
        EXPECT_EQ(found->finalBlockBit, expected->finalBlockBit);
        EXPECT_EQ(found->endBit, expected->endBit);
    }
}

} // namespace

TEST(GraphicsTest, DeflateBlocksFindsTheFinalBlockOfEveryKindOfStream)
{
    struct Input
    {
        const char* name;
        Bytes bytes;
    };
    Bytes mixed = words(150'000, 1);
    const Bytes random = noise(150'000, 2);
    mixed.insert(mixed.end(), random.begin(), random.end());
    const Input inputs[] = {
        {"empty", {}},
        {"one byte", {42}},
        {"short text", words(100, 3)},
        {"text", words(40'000, 4)},
        {"noise", noise(70'000, 5)},
        {"long runs", Bytes(300'000, 7)},
        {"text then noise, many blocks", mixed},
    };
    // Stored, fixed-code and dynamic-code blocks, alone and after others.
    const std::pair<int, int> zlibSettings[] = {
        {0, Z_DEFAULT_STRATEGY}, {6, Z_FIXED}, {6, Z_DEFAULT_STRATEGY}, {1, Z_HUFFMAN_ONLY}, {6, Z_RLE}};
    for (const Input& input : inputs) {
        SCOPED_TRACE(input.name);
        for (const auto& [level, strategy] : zlibSettings) {
            SCOPED_TRACE(testing::Message() << "zlib level " << level << ", strategy " << strategy);
            const Bytes stream = deflateWithZlib(input.bytes, level, strategy);
            const std::optional<DeflateBlocks> expected = blocksFoundByZlib(stream);
            ASSERT_TRUE(expected);
            expectSameBlocks(DeflateBlocks::scan(stream), expected);
        }
        for (const int level : {0, 1, 4, 6, 12}) {
            SCOPED_TRACE(testing::Message() << "libdeflate level " << level);
            const Bytes stream = deflateWithLibdeflate(input.bytes, level);
            const std::optional<DeflateBlocks> expected = blocksFoundByZlib(stream);
            ASSERT_TRUE(expected);
            expectSameBlocks(DeflateBlocks::scan(stream), expected);
        }
    }
}

TEST(GraphicsTest, DeflateBlocksRefusesWhatIsNotExactlyOneStream)
{
    const Bytes text = deflateWithLibdeflate(words(5'000, 6), 6);
    const Bytes stored = deflateWithZlib(words(300, 7), 0, Z_DEFAULT_STRATEGY);
    for (const Bytes* stream : {&text, &stored}) {
        // Every stream cut short, and the stream with a byte past its end.
        for (std::size_t size = 0; size < stream->size(); ++size) {
            EXPECT_FALSE(DeflateBlocks::scan({stream->data(), size})) << size << " of " << stream->size();
        }
        Bytes longer = *stream;
        longer.push_back(0);
        EXPECT_FALSE(DeflateBlocks::scan(longer));
    }
    // A block of the reserved type, and a stored block whose length and complement disagree.
    EXPECT_FALSE(DeflateBlocks::scan(Bytes{0x07, 0x00}));
    EXPECT_FALSE(DeflateBlocks::scan(Bytes{0x01, 0x01, 0x00, 0xff, 0xfe, 0x61}));
    EXPECT_TRUE(DeflateBlocks::scan(Bytes{0x01, 0x01, 0x00, 0xfe, 0xff, 0x61}));

    // Damaged streams and garbage: the walk ends either way, and whatever zlib reads to the end, it finds
    // at the same place.
    std::mt19937 random(8);
    for (int trial = 0; trial < 2'000; ++trial) {
        Bytes damaged = trial % 2 == 0 ? text : noise(1 + random() % 64, unsigned(trial));
        if (trial % 2 == 0) {
            for (int flips = 0; flips < 3; ++flips) {
                damaged[random() % damaged.size()] ^= quint8(1u << (random() % 8));
            }
        }
        const std::optional<DeflateBlocks> expected = blocksFoundByZlib(damaged);
        const std::optional<DeflateBlocks> found = DeflateBlocks::scan(damaged);
        if (expected) {
            expectSameBlocks(found, expected);
        } else if (found) {
            EXPECT_EQ((found->endBit + 7) / 8, qsizetype(damaged.size()));
        }
    }
}
