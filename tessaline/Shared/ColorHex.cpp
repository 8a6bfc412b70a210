#include "tessaline/Shared/ColorHex.h"

#include "tessaline/Shared/ColorComponents.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tessaline {
namespace {

int hexDigitValue(QChar character)
{
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

// Reads an unsigned 32-bit hexadecimal number the way a text scanner does; none without a digit.
std::optional<std::uint32_t> scanHexInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace()) {
        ++i;
    }
    // A 0x prefix counts only before a digit; "0x" alone reads as the number 0.
    if (i + 2 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
        hexDigitValue(text[i + 2]) >= 0) {
        i += 2;
    }
    std::uint64_t value = 0;
    bool anyDigit = false;
    for (; i < text.size(); ++i) {
        const int digit = hexDigitValue(text[i]);
        if (digit < 0) {
            break;
        }
        anyDigit = true;
        // An overflowing number saturates, as the scanner's does.
        value = std::min<std::uint64_t>(value * 16 + std::uint64_t(digit), UINT32_MAX);
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

qsizetype userPerceivedLength(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1) {
        ++count;
    }
    return count;
}

double nibble(std::uint32_t value, int shift)
{
    return double((value >> shift) & 0xF) / 15;
}

double byte(std::uint32_t value, int shift)
{
    return double((value >> shift) & 0xFF) / 255;
}

int componentByte(double component)
{
    const double scaled = std::trunc(component * 255);
    if (!(scaled >= 0)) {
        return 0;
    }
    return scaled > 255 ? 255 : static_cast<int>(scaled);
}

} // namespace

std::optional<graphics::Color> colorFromHex(const QString& hex)
{
    const QString text = hex.startsWith(u'#') ? hex.mid(1) : hex;
    const std::optional<std::uint32_t> number = scanHexInteger(text);
    if (!number) {
        return std::nullopt;
    }
    const std::uint32_t v = *number;
    switch (userPerceivedLength(text)) {
    case 3:
        return colorWithRgba(nibble(v, 8), nibble(v, 4), nibble(v, 0), 1);
    case 4:
        return colorWithRgba(nibble(v, 12), nibble(v, 8), nibble(v, 4), nibble(v, 0));
    case 6:
        return colorWithRgba(byte(v, 16), byte(v, 8), byte(v, 0), 1);
    case 8:
        return colorWithRgba(byte(v, 24), byte(v, 16), byte(v, 8), byte(v, 0));
    default:
        return std::nullopt;
    }
}

QString hexStringWithAlpha(const graphics::Color& color)
{
    const Rgba c = rgba(color);
    return QString::asprintf("#%02X%02X%02X%02X", componentByte(c.red), componentByte(c.green),
                             componentByte(c.blue), componentByte(c.alpha));
}

QString hexStringWithoutAlpha(const graphics::Color& color)
{
    const Rgba c = rgba(color);
    return QString::asprintf("#%02X%02X%02X", componentByte(c.red), componentByte(c.green),
                             componentByte(c.blue));
}

graphics::Color colorFromIntegers(int red, int green, int blue)
{
    return colorWithRgba(double(red) / 255, double(green) / 255, double(blue) / 255, 1);
}

} // namespace tessaline
