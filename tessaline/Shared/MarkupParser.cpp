#include "tessaline/Shared/MarkupParser.h"

#include "tessaline/Shared/MarkupRules.h"

namespace tessaline {
namespace {

std::vector<std::shared_ptr<const Parser>> defaultRules()
{
    return {
        std::make_shared<BoldParser>(),
        std::make_shared<ItalicParser>(),
        std::make_shared<UnderlineParser>(),
        std::make_shared<StrikethroughParser>(),
        std::make_shared<MonospaceParser>(),
        std::make_shared<ForegroundColorParser>(),
        std::make_shared<BackgroundColorParser>(),
        std::make_shared<KerningParser>(),
        std::make_shared<FontParser>(),
    };
}

} // namespace

graphics::Font MarkupParser::defaultMonospaceFont(double pointSize)
{
    return graphics::Font::named(QStringLiteral("Menlo-Regular"), pointSize)
        .value_or(graphics::Font::systemFont(pointSize));
}

MarkupParser::MarkupParser()
    : m_font(graphics::Font::systemFont())
    , m_boldFont(graphics::Font::boldSystemFont())
    , m_italicFont(graphics::Font::systemFont().italicVariant())
    , m_monospaceFont(defaultMonospaceFont())
    , m_color{0, 0, 0, 1}
    , m_parsers(defaultRules())
{}

MarkupParser::MarkupParser(const graphics::Font& font, const graphics::Font& boldFont,
                           const graphics::Font& italicFont, const graphics::Font& monospaceFont)
    : MarkupParser()
{
    m_font = font;
    m_boldFont = boldFont;
    m_italicFont = italicFont;
    m_monospaceFont = monospaceFont;
}

MarkupParser::MarkupParser(const graphics::Font& baseFont)
    : MarkupParser()
{
    m_font = baseFont;
    m_boldFont = m_font.heavier();
    m_italicFont = m_font.italicVariant();
    m_monospaceFont = defaultMonospaceFont().withSize(baseFont.pointSize());
}

QStringList MarkupParser::openings() const
{
    QStringList openings;
    for (const auto& rule : m_parsers)
        openings.append(rule->opening());
    return openings;
}

graphics::AttributedString MarkupParser::parse(const QString& string) const
{
    graphics::TextAttributes base;
    base.foregroundColor = m_color;
    base.font = m_font;
    base.paragraphStyle = m_paragraphStyle;
    graphics::AttributedString attributed(string, base);
    for (const auto& rule : m_parsers)
        rule->process(attributed, *this);
    return attributed;
}

} // namespace tessaline
