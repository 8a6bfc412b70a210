#include "foundation/BinaryPropertyListCheck.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace foundation {
namespace {

constexpr std::size_t headerSize = 8;
constexpr std::size_t trailerSize = 32;

Unexpected<PropertyListError> failure(const QString& reason)
{
    return Unexpected(
        PropertyListError{QStringLiteral("The binary property list is damaged: %1.").arg(reason)});
}

// Writers use 1, 2, 3, 4 or 8 bytes for offsets, references and UIDs (3 once a number needs more than
// 16 bits); the parser reads no other widths.
bool isReadableWidth(std::size_t width)
{
    return width == 1 || width == 2 || width == 3 || width == 4 || width == 8;
}

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b)
{
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

// What one object occupies and refers to.
struct ObjectShape
{
    enum class Kind
    {
        scalar,
        string,
        array,
        dictionary,
    };
    Kind kind = Kind::scalar;
    std::uint64_t count = 0; // references held by a container (keys and values of a dictionary)
    std::size_t referencesAt = 0;
    std::uint64_t payloadBytes = 0; // bytes of string or data content
};

class Checker
{
public:
    Checker(const unsigned char* bytes, std::size_t size, const PropertyListLimits& limits)
        : m_bytes(bytes)
        , m_size(size)
        , m_limits(limits)
    {}

    Expected<void, PropertyListError> run()
    {
        if (m_size < headerSize + trailerSize || std::memcmp(m_bytes, "bplist00", headerSize) != 0)
            return failure(QStringLiteral("the header or trailer is missing"));
        const std::size_t trailer = m_size - trailerSize;
        m_offsetSize = m_bytes[trailer + 6];
        m_referenceSize = m_bytes[trailer + 7];
        const std::uint64_t objectCount = readBigEndian(trailer + 8, 8);
        const std::uint64_t topObject = readBigEndian(trailer + 16, 8);
        const std::uint64_t tableOffset = readBigEndian(trailer + 24, 8);
        if (!isReadableWidth(m_offsetSize) || !isReadableWidth(m_referenceSize))
            return failure(QStringLiteral("the offset or reference size is invalid"));
        if (objectCount == 0 || topObject >= objectCount)
            return failure(QStringLiteral("the top object is out of range"));
        if (tableOffset < headerSize || tableOffset > trailer ||
            objectCount > (trailer - tableOffset) / m_offsetSize)
            return failure(QStringLiteral("the offset table is out of bounds"));
        m_objectsEnd = static_cast<std::size_t>(tableOffset);
        m_objectCount = static_cast<std::size_t>(objectCount);
        if (m_referenceSize < 8 && m_objectCount > (std::uint64_t{1} << (8 * m_referenceSize)))
            return failure(QStringLiteral("there are more objects than references can name"));
        return walk(static_cast<std::size_t>(topObject));
    }

private:
    enum class State : std::uint8_t
    {
        unvisited,
        inProgress,
        done,
    };

    struct Totals
    {
        std::uint64_t values = 0;
        std::uint64_t bytes = 0;
        int height = 0;
    };

    struct Frame
    {
        std::size_t object;
        ObjectShape shape;
        std::uint64_t next = 0;
        Totals totals;
    };

    std::uint64_t readBigEndian(std::size_t at, std::size_t width) const
    {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value = (value << 8) | m_bytes[at + i];
        return value;
    }

    bool holdsNul(std::size_t at, std::uint64_t length, std::size_t unit) const
    {
        for (std::size_t i = at; i + unit <= at + length; i += unit)
            if (m_bytes[i] == 0 && (unit == 1 || m_bytes[i + 1] == 0))
                return true;
        return false;
    }

    bool fits(std::size_t at, std::uint64_t length) const
    {
        return at <= m_objectsEnd && length <= m_objectsEnd - at;
    }

    Expected<ObjectShape, PropertyListError> shapeOf(std::size_t object, bool scanText = true) const
    {
        const std::uint64_t offset = readBigEndian(m_objectsEnd + object * m_offsetSize, m_offsetSize);
        if (offset < headerSize || offset >= m_objectsEnd)
            return failure(QStringLiteral("an object offset is out of bounds"));
        std::size_t at = static_cast<std::size_t>(offset);
        const unsigned marker = m_bytes[at++];
        const unsigned type = marker >> 4;
        const unsigned info = marker & 0xF;
        ObjectShape shape;
        std::uint64_t length = 0;
        switch (type) {
        case 0x0: // false, true
            if (info != 0x8 && info != 0x9)
                return failure(QStringLiteral("an object has an unknown kind"));
            break;
        case 0x1: // integer of 2^info bytes
            if (info > 4)
                return failure(QStringLiteral("an integer has an invalid size"));
            length = std::uint64_t{1} << info;
            break;
        case 0x2: // real of 4 or 8 bytes
            if (info != 2 && info != 3)
                return failure(QStringLiteral("a real has an invalid size"));
            length = std::uint64_t{1} << info;
            break;
        case 0x3: // date
            if (info != 3)
                return failure(QStringLiteral("a date has an invalid size"));
            length = 8;
            break;
        case 0x8: // UID of info + 1 bytes
            if (!isReadableWidth(info + 1))
                return failure(QStringLiteral("a UID has an invalid size"));
            length = info + 1;
            break;
        case 0x4:
        case 0x5:
        case 0x6:
        case 0xA:
        case 0xD: {
            std::uint64_t count = info;
            if (info == 0xF) {
                if (at >= m_objectsEnd)
                    return failure(QStringLiteral("an object length is truncated"));
                const unsigned lengthMarker = m_bytes[at++];
                if ((lengthMarker >> 4) != 0x1 || (lengthMarker & 0xF) > 3)
                    return failure(QStringLiteral("an object length is invalid"));
                const std::size_t width = std::size_t{1} << (lengthMarker & 0xF);
                if (!fits(at, width))
                    return failure(QStringLiteral("an object length is truncated"));
                count = readBigEndian(at, width);
                at += width;
            }
            if (count > m_objectsEnd)
                return failure(QStringLiteral("an object is longer than the data"));
            if (type == 0x4 || type == 0x5) {
                shape.kind = ObjectShape::Kind::string;
                length = count;
                shape.payloadBytes = count;
            } else if (type == 0x6) {
                shape.kind = ObjectShape::Kind::string;
                length = count * 2;
                shape.payloadBytes = length;
            } else {
                shape.kind = type == 0xA ? ObjectShape::Kind::array : ObjectShape::Kind::dictionary;
                shape.count = type == 0xA ? count : count * 2;
                length = shape.count * m_referenceSize;
                shape.referencesAt = at;
            }
            if (type == 0x4)
                shape.kind = ObjectShape::Kind::scalar; // data, which may not serve as a key
            break;
        }
        default:
            return failure(QStringLiteral("an object has an unknown kind"));
        }
        if (!fits(at, length))
            return failure(QStringLiteral("an object runs past the end of the data"));
        // The parser keeps text NUL-terminated and stops the process on text that holds a NUL.
        if (scanText && shape.kind == ObjectShape::Kind::string && holdsNul(at, length, type == 0x6 ? 2 : 1))
            return failure(QStringLiteral("a string holds a NUL character"));
        return shape;
    }

    Expected<void, PropertyListError> walk(std::size_t top)
    {
        std::vector<State> states(m_objectCount, State::unvisited);
        std::vector<Totals> done(m_objectCount);
        std::vector<Frame> stack;

        auto enter = [&](std::size_t object) -> Expected<void, PropertyListError> {
            if (stack.size() >= static_cast<std::size_t>(std::max(m_limits.maximumDepth, 1)))
                return failure(QStringLiteral("containers are nested too deeply"));
            auto shape = shapeOf(object);
            if (!shape)
                return Unexpected(shape.error());
            states[object] = State::inProgress;
            stack.push_back(Frame{object, *shape, 0, Totals{1, shape->payloadBytes, 0}});
            return {};
        };

        if (auto entered = enter(top); !entered)
            return entered;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            if (frame.next == frame.shape.count) {
                const Frame finished = frame;
                stack.pop_back();
                states[finished.object] = State::done;
                done[finished.object] = finished.totals;
                if (finished.totals.values > m_limits.maximumValueCount)
                    return failure(QStringLiteral("it holds too many values"));
                if (finished.totals.bytes > saturatingAdd(m_limits.maximumExtraBytes, m_size))
                    return failure(QStringLiteral("it holds too much data"));
                if (!stack.empty())
                    addChild(stack.back().totals, finished.totals);
                continue;
            }
            const std::uint64_t index = frame.next++;
            const std::uint64_t child =
                readBigEndian(frame.shape.referencesAt + static_cast<std::size_t>(index) * m_referenceSize,
                              m_referenceSize);
            if (child >= m_objectCount)
                return failure(QStringLiteral("a reference is out of range"));
            const auto childObject = static_cast<std::size_t>(child);
            const bool isKey =
                frame.shape.kind == ObjectShape::Kind::dictionary && index < frame.shape.count / 2;
            if (isKey) {
                auto keyShape = shapeOf(childObject, false); // its text is scanned when it is visited
                if (!keyShape)
                    return Unexpected(keyShape.error());
                if (keyShape->kind != ObjectShape::Kind::string)
                    return failure(QStringLiteral("a dictionary key is not a string"));
            }
            switch (states[childObject]) {
            case State::inProgress:
                return failure(QStringLiteral("a container contains itself"));
            case State::done:
                addChild(frame.totals, done[childObject]);
                if (stack.size() + 1 + static_cast<std::size_t>(done[childObject].height) >
                    static_cast<std::size_t>(std::max(m_limits.maximumDepth, 1)))
                    return failure(QStringLiteral("containers are nested too deeply"));
                break;
            case State::unvisited:
                if (auto entered = enter(childObject); !entered)
                    return entered;
                break;
            }
        }
        return {};
    }

    static void addChild(Totals& parent, const Totals& child)
    {
        parent.values = saturatingAdd(parent.values, child.values);
        parent.bytes = saturatingAdd(parent.bytes, child.bytes);
        parent.height = std::max(parent.height, child.height + 1);
    }

    const unsigned char* m_bytes;
    std::size_t m_size;
    const PropertyListLimits& m_limits;
    std::size_t m_offsetSize = 0;
    std::size_t m_referenceSize = 0;
    std::size_t m_objectsEnd = 0;
    std::size_t m_objectCount = 0;
};

} // namespace

Expected<void, PropertyListError> checkBinaryPropertyList(const QByteArray& data,
                                                          const PropertyListLimits& limits)
{
    return Checker(reinterpret_cast<const unsigned char*>(data.constData()),
                   static_cast<std::size_t>(data.size()), limits)
        .run();
}

} // namespace foundation
