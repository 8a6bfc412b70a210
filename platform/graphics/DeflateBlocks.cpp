#include "graphics/DeflateBlocks.h"

#include <QtEndian>
#include <algorithm>
#include <array>

namespace graphics {
namespace {

// The longest code the format allows, and how many of a code's first bits one table look-up decodes.
constexpr int maximumCodeLength = 15;
constexpr int tableBits = 10;

constexpr int literalLengthSymbols = 288;
constexpr int distanceSymbols = 32;
constexpr int endOfBlock = 256;

// Extra bits after each length symbol (from 257) and each distance symbol.
constexpr std::array<quint8, 29> lengthExtraBits = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<quint8, 30> distanceExtraBits = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                      6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block lists the lengths of the code-length code.
constexpr std::array<quint8, 19> codeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                    11, 4,  12, 3, 13, 2, 14, 1, 15};

// Reads bits lowest first. Past the end it reads zeros, so a stream cut short shows as a position past
// the end rather than as a read out of bounds.
class BitReader
{
public:
    explicit BitReader(std::span<const quint8> data)
        : m_data(data)
    {}

    // Holds at least 56 bits afterwards: enough for a length code with its extra bits and a distance code
    // with its extra bits (15 + 5 + 15 + 13).
    void refill()
    {
        if (m_next + 8 <= m_data.size()) {
            // A word at a time while one is left: the bytes past those the count takes in are read again
            // next time, to the same bits.
            m_buffer |= qFromLittleEndian<quint64>(m_data.data() + m_next) << m_count;
            m_next += std::size_t(63 - m_count) / 8;
            m_count |= 56;
            return;
        }
        while (m_count <= 56) {
            const quint64 byte = m_next < m_data.size() ? m_data[m_next] : 0;
            m_buffer |= byte << m_count;
            m_count += 8;
            ++m_next;
        }
    }

    quint32 peek(int bits) const { return quint32(m_buffer & ((quint64(1) << bits) - 1)); }
    void skip(int bits)
    {
        m_buffer >>= bits;
        m_count -= bits;
    }
    quint32 take(int bits)
    {
        if (m_count < bits) {
            refill();
        }
        const quint32 value = peek(bits);
        skip(bits);
        return value;
    }

    qsizetype position() const { return qsizetype(m_next) * 8 - m_count; }
    bool pastEnd() const { return position() > qsizetype(m_data.size()) * 8; }

    // Moves to bit, which must not lie before the bits already read into the buffer.
    void seek(qsizetype bit)
    {
        m_next = std::size_t(bit / 8);
        m_buffer = 0;
        m_count = 0;
        refill();
        skip(int(bit % 8));
    }

private:
    std::span<const quint8> m_data;
    std::size_t m_next = 0;
    quint64 m_buffer = 0;
    int m_count = 0;
};

// A canonical Huffman code as the format defines it: codes of each length follow one another in symbol
// order. The first tableBits bits of the input index a table; the rare longer codes are found by
// counting codes of each length.
class HuffmanCode
{
public:
    // False when the lengths over-subscribe the code. An incomplete code is accepted; reading one of its
    // missing codes fails.
    bool build(std::span<const quint8> lengths)
    {
        m_counts.fill(0);
        for (const quint8 length : lengths) {
            ++m_counts[length];
        }
        m_counts[0] = 0;
        int left = 1;
        for (int length = 1; length <= maximumCodeLength; ++length) {
            left = 2 * left - m_counts[length];
            if (left < 0) {
                return false;
            }
        }
        std::array<quint16, maximumCodeLength + 2> offsets{};
        for (int length = 1; length <= maximumCodeLength; ++length) {
            offsets[length + 1] = quint16(offsets[length] + m_counts[length]);
        }
        for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
            if (lengths[symbol] != 0) {
                m_symbols[offsets[lengths[symbol]]++] = quint16(symbol);
            }
        }
        // Each short code fills every table slot whose low bits are the code, read in stream order.
        m_table.fill(0);
        int code = 0;
        int index = 0;
        for (int length = 1; length <= tableBits; ++length) {
            for (int n = 0; n < m_counts[length]; ++n, ++code, ++index) {
                int reversed = 0;
                for (int bit = 0; bit < length; ++bit) {
                    reversed |= ((code >> bit) & 1) << (length - 1 - bit);
                }
                const quint16 entry = quint16(m_symbols[index] << 4 | length);
                for (int slot = reversed; slot < (1 << tableBits); slot += 1 << length) {
                    m_table[slot] = entry;
                }
            }
            code <<= 1;
        }
        return true;
    }

    // The next symbol, or -1 when the bits hold no code. The reader must hold at least 15 bits.
    int decode(BitReader& reader) const
    {
        const quint16 entry = m_table[reader.peek(tableBits)];
        if (entry != 0) {
            reader.skip(entry & 15);
            return entry >> 4;
        }
        const quint32 bits = reader.peek(maximumCodeLength);
        int code = 0;
        int first = 0;
        int index = 0;
        for (int length = 1; length <= maximumCodeLength; ++length) {
            code |= int(bits >> (length - 1)) & 1;
            const int count = m_counts[length];
            if (code - first < count) {
                reader.skip(length);
                return m_symbols[index + code - first];
            }
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

private:
    std::array<quint16, 1 << tableBits> m_table{};
    std::array<quint16, maximumCodeLength + 1> m_counts{};
    std::array<quint16, literalLengthSymbols> m_symbols{};
};

bool buildFixedCodes(HuffmanCode& literals, HuffmanCode& distances)
{
    std::array<quint8, literalLengthSymbols> lengths{};
    std::fill(lengths.begin(), lengths.begin() + 144, quint8(8));
    std::fill(lengths.begin() + 144, lengths.begin() + 256, quint8(9));
    std::fill(lengths.begin() + 256, lengths.begin() + 280, quint8(7));
    std::fill(lengths.begin() + 280, lengths.end(), quint8(8));
    std::array<quint8, distanceSymbols> distanceLengths{};
    distanceLengths.fill(5);
    return literals.build(lengths) && distances.build(distanceLengths);
}

bool readDynamicCodes(BitReader& reader, HuffmanCode& literals, HuffmanCode& distances)
{
    const int literalCount = int(reader.take(5)) + 257;
    const int distanceCount = int(reader.take(5)) + 1;
    const int codeLengthCount = int(reader.take(4)) + 4;
    if (literalCount > 286 || distanceCount > 30) {
        return false;
    }
    std::array<quint8, 19> codeLengthLengths{};
    for (int i = 0; i < codeLengthCount; ++i) {
        codeLengthLengths[codeLengthOrder[std::size_t(i)]] = quint8(reader.take(3));
    }
    HuffmanCode codeLengths;
    if (!codeLengths.build(codeLengthLengths)) {
        return false;
    }
    std::array<quint8, 286 + 30> lengths{};
    const int total = literalCount + distanceCount;
    for (int i = 0; i < total;) {
        reader.refill();
        const int symbol = codeLengths.decode(reader);
        if (symbol < 0) {
            return false;
        }
        if (symbol < 16) {
            lengths[std::size_t(i++)] = quint8(symbol);
            continue;
        }
        quint8 repeated = 0;
        int times = 0;
        if (symbol == 16) {
            if (i == 0) {
                return false;
            }
            repeated = lengths[std::size_t(i - 1)];
            times = 3 + int(reader.take(2));
        } else if (symbol == 17) {
            times = 3 + int(reader.take(3));
        } else {
            times = 11 + int(reader.take(7));
        }
        if (i + times > total) {
            return false;
        }
        std::fill_n(lengths.begin() + i, times, repeated);
        i += times;
    }
    if (lengths[endOfBlock] == 0) {
        return false;
    }
    const std::span<const quint8> all(lengths.data(), std::size_t(total));
    return literals.build(all.first(std::size_t(literalCount))) &&
           distances.build(all.subspan(std::size_t(literalCount)));
}

// Reads the codes of a compressed block up to and including its end-of-block code.
bool skipCodes(BitReader& reader, const HuffmanCode& literals, const HuffmanCode& distances)
{
    for (;;) {
        reader.refill();
        if (reader.pastEnd()) {
            return false;
        }
        const int symbol = literals.decode(reader);
        if (symbol < endOfBlock) {
            if (symbol < 0) {
                return false;
            }
            continue;
        }
        if (symbol == endOfBlock) {
            return true;
        }
        const int length = symbol - 257;
        if (length >= int(lengthExtraBits.size())) {
            return false;
        }
        reader.skip(lengthExtraBits[std::size_t(length)]);
        const int distance = distances.decode(reader);
        if (distance < 0 || distance >= int(distanceExtraBits.size())) {
            return false;
        }
        reader.skip(distanceExtraBits[std::size_t(distance)]);
    }
}

} // namespace

std::optional<DeflateBlocks> DeflateBlocks::scan(std::span<const quint8> data)
{
    BitReader reader(data);
    HuffmanCode literals;
    HuffmanCode distances;
    const qsizetype size = qsizetype(data.size());
    for (;;) {
        const qsizetype start = reader.position();
        const bool final = reader.take(1) != 0;
        const quint32 type = reader.take(2);
        if (type == 0) {
            // Stored: aligned to a byte, a length and its complement, then the bytes as they are.
            reader.seek((reader.position() + 7) / 8 * 8);
            const quint32 length = reader.take(16);
            const quint32 complement = reader.take(16);
            if ((length ^ complement) != 0xffff) {
                return std::nullopt;
            }
            const qsizetype next = reader.position() + qsizetype(length) * 8;
            if (next > size * 8) {
                return std::nullopt;
            }
            reader.seek(next);
        } else if (type == 1) {
            if (!buildFixedCodes(literals, distances) || !skipCodes(reader, literals, distances)) {
                return std::nullopt;
            }
        } else if (type == 2) {
            if (!readDynamicCodes(reader, literals, distances) || !skipCodes(reader, literals, distances)) {
                return std::nullopt;
            }
        } else {
            return std::nullopt;
        }
        if (reader.pastEnd()) {
            return std::nullopt;
        }
        if (final) {
            const qsizetype end = reader.position();
            if ((end + 7) / 8 != size) {
                return std::nullopt;
            }
            return DeflateBlocks{start, end};
        }
    }
}

} // namespace graphics
