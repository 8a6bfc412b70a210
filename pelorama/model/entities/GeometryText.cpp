#include "model/entities/GeometryText.h"

#include <QStringList>
#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h> // NOLINT(modernize-deprecated-headers): newlocale and locale_t are POSIX, not C++

namespace pelorama::model {

namespace {

// strtod follows the process locale, which Qt sets from the environment; numbers here are always read
// the C way.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

std::optional<double> parseNumber(const QString& part)
{
    if (part.isEmpty())
        return std::nullopt;
    for (const QChar c : part) {
        if (c.unicode() >= 128 || c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r')
            return std::nullopt;
    }
    const QByteArray bytes = part.toLatin1();
    char* end = nullptr;
    errno = 0;
    const double value = strtod_l(bytes.constData(), &end, cLocale());
    if (end != bytes.constData() + bytes.size())
        return std::nullopt;
    if (errno == ERANGE && (std::isinf(value) || value == 0))
        return std::nullopt;
    return value;
}

template <std::size_t n> std::optional<std::array<double, n>> parseNumbers(const QString& text)
{
    const QStringList parts = text.split(',');
    if (parts.size() != qsizetype(n))
        return std::nullopt;
    std::array<double, n> numbers{};
    for (std::size_t i = 0; i < n; ++i) {
        const std::optional<double> number = parseNumber(parts[qsizetype(i)]);
        if (!number)
            return std::nullopt;
        numbers[i] = *number;
    }
    return numbers;
}

} // namespace

QString numberText(double value)
{
    std::array<char, 64> buffer{};
    QString text;
    // Fifteen significant digits, as documents have always been written, so a value is rounded to them
    // each time it is stored. Where that text would not read back at all (values that round past the
    // largest double), the fewest digits that read back as exactly this value serve; 17 always do.
    for (int digits = 15; digits <= 17; ++digits) {
        const std::to_chars_result result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                                          std::chars_format::general, digits);
        text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
        if (!std::isfinite(value))
            break;
        const std::optional<double> read = parseNumber(text);
        if (read && (digits == 15 || *read == value))
            break;
    }
    if (!text.contains('.') && !text.contains('e') && !text.contains('n'))
        text += ".0";
    return text;
}

QString rawValue(const graphics::Rect& rect)
{
    return numberText(rect.origin.x) + ',' + numberText(rect.origin.y) + ',' + numberText(rect.size.width) +
           ',' + numberText(rect.size.height);
}

QString rawValue(const graphics::Point& point)
{
    return numberText(point.x) + ',' + numberText(point.y);
}

QString rawValue(const graphics::Size& size)
{
    return numberText(size.width) + ',' + numberText(size.height);
}

std::optional<graphics::Rect> rectFromRawValue(const QString& text)
{
    const auto numbers = parseNumbers<4>(text);
    if (!numbers)
        return std::nullopt;
    return graphics::Rect((*numbers)[0], (*numbers)[1], (*numbers)[2], (*numbers)[3]);
}

std::optional<graphics::Point> pointFromRawValue(const QString& text)
{
    const auto numbers = parseNumbers<2>(text);
    if (!numbers)
        return std::nullopt;
    return graphics::Point{(*numbers)[0], (*numbers)[1]};
}

std::optional<graphics::Size> sizeFromRawValue(const QString& text)
{
    const auto numbers = parseNumbers<2>(text);
    if (!numbers)
        return std::nullopt;
    return graphics::Size{(*numbers)[0], (*numbers)[1]};
}

} // namespace pelorama::model
