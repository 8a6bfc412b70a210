#pragma once

#include "graphics/AttributedString.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/ParagraphStyle.h"
#include "tessaline/Shared/Parser.h"
#include "tessaline/Shared/TessalineExport.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace tessaline {

// Turns text written in the framework's inline markup into styled text. The rules (see MarkupRules.h)
// apply one after another in a fixed order; markup that forms no complete span stays as typed. The fonts,
// colour and paragraph style may be changed between construction and parse().
class TESSALINE_EXPORT MarkupParser
{
public:
    // The system font, its bold and italic variants, Menlo-Regular (or the system font where the font table
    // has no such face) at the system size, black, the default paragraph style.
    MarkupParser();
    MarkupParser(const graphics::Font& font, const graphics::Font& boldFont, const graphics::Font& italicFont,
                 const graphics::Font& monospaceFont);
    // The base font, its next heavier face for bold, its italic variant, and the default monospace font at
    // the base font's size.
    explicit MarkupParser(const graphics::Font& baseFont);

    // The whole string in font, color and paragraphStyle, then every rule applied in order.
    graphics::AttributedString parse(const QString& string) const;
    // The opening of each rule (Parser::opening), in the order the rules apply.
    QStringList openings() const;

    const graphics::Font& font() const { return m_font; }
    void setFont(const graphics::Font& font) { m_font = font; }
    const graphics::Font& boldFont() const { return m_boldFont; }
    void setBoldFont(const graphics::Font& font) { m_boldFont = font; }
    const graphics::Font& italicFont() const { return m_italicFont; }
    void setItalicFont(const graphics::Font& font) { m_italicFont = font; }
    const graphics::Font& monospaceFont() const { return m_monospaceFont; }
    void setMonospaceFont(const graphics::Font& font) { m_monospaceFont = font; }
    const graphics::Color& color() const { return m_color; }
    void setColor(const graphics::Color& color) { m_color = color; }
    const graphics::ParagraphStyle& paragraphStyle() const { return m_paragraphStyle; }
    void setParagraphStyle(const graphics::ParagraphStyle& style) { m_paragraphStyle = style; }

    // Menlo-Regular at the size, or the system font where the font table has no such face.
    static graphics::Font defaultMonospaceFont(double pointSize = graphics::Font::systemFontSize());

private:
    graphics::Font m_font;
    graphics::Font m_boldFont;
    graphics::Font m_italicFont;
    graphics::Font m_monospaceFont;
    graphics::Color m_color;
    graphics::ParagraphStyle m_paragraphStyle;
    std::vector<std::shared_ptr<const Parser>> m_parsers;
};

} // namespace tessaline
