#include "tessaline/Shared/MarkupRules.h"

#include "tessaline/Shared/ColorHex.h"
#include "tessaline/Shared/MarkupParser.h"

#include <QLocale>
#include <cmath>
#include <optional>

namespace tessaline {
namespace {

// The text as a finite decimal number ("2", "-1.5", "3e2"), or none: no surrounding spaces, no group
// separators, nothing after the number.
std::optional<double> decimalNumber(const QString& text)
{
    if (text.isEmpty() || text.front().isSpace() || text.back().isSpace())
        return std::nullopt;
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

graphics::Color colorOrBlack(const QString& hex)
{
    return colorFromHex(hex).value_or(graphics::Color{0, 0, 0, 1});
}

} // namespace

graphics::TextAttributes BoldParser::provideAttributes(const QStringList&, const MarkupParser& parser) const
{
    graphics::TextAttributes attributes;
    attributes.font = parser.boldFont();
    return attributes;
}

graphics::TextAttributes ItalicParser::provideAttributes(const QStringList&, const MarkupParser& parser) const
{
    graphics::TextAttributes attributes;
    attributes.font = parser.italicFont();
    return attributes;
}

graphics::TextAttributes UnderlineParser::provideAttributes(const QStringList&, const MarkupParser&) const
{
    graphics::TextAttributes attributes;
    attributes.underlineStyle = 1;
    return attributes;
}

graphics::TextAttributes StrikethroughParser::provideAttributes(const QStringList&, const MarkupParser&) const
{
    graphics::TextAttributes attributes;
    attributes.strikethroughStyle = 1;
    return attributes;
}

graphics::TextAttributes MonospaceParser::provideAttributes(const QStringList&,
                                                            const MarkupParser& parser) const
{
    graphics::TextAttributes attributes;
    attributes.font = parser.monospaceFont();
    return attributes;
}

graphics::TextAttributes ForegroundColorParser::provideAttributes(const QStringList& groups,
                                                                  const MarkupParser&) const
{
    graphics::TextAttributes attributes;
    attributes.foregroundColor = colorOrBlack(groups.value(1));
    return attributes;
}

graphics::TextAttributes BackgroundColorParser::provideAttributes(const QStringList& groups,
                                                                  const MarkupParser&) const
{
    graphics::TextAttributes attributes;
    attributes.backgroundColor = colorOrBlack(groups.value(1));
    return attributes;
}

graphics::TextAttributes KerningParser::provideAttributes(const QStringList& groups,
                                                          const MarkupParser&) const
{
    graphics::TextAttributes attributes;
    attributes.kern = decimalNumber(groups.value(1)).value_or(0.0);
    return attributes;
}

graphics::TextAttributes FontParser::provideAttributes(const QStringList& groups,
                                                       const MarkupParser& parser) const
{
    // "{font:Name,Size|text}": parts after the size are ignored; a missing or unreadable size is the base
    // font's; an unknown or empty name gives the base font itself, at its own size.
    const QStringList parts = groups.value(1).split(QLatin1Char(','));
    const QString name = parts.value(0);
    std::optional<double> size;
    if (parts.size() > 1)
        size = decimalNumber(parts[1]);
    // No font has a size of zero or less; such a size counts as unreadable.
    if (size && *size <= 0)
        size.reset();
    graphics::TextAttributes attributes;
    attributes.font =
        graphics::Font::named(name, size.value_or(parser.font().pointSize())).value_or(parser.font());
    return attributes;
}

} // namespace tessaline
