#include "graphics/TextLayout.h"

#include <QFontMetricsF>
#include <QTextCharFormat>
#include <cmath>
#include <limits>

namespace graphics {
namespace {

// Fonts without a paint device resolve their point sizes at Qt's default font resolution; scaling the
// size by 72 / that resolution makes a point one unit of the layout. (Laying out against a 72-dpi device
// instead would drop absolute letter spacing.)
double pointScale()
{
    static const double scale = 72.0 / QFontMetricsF(QFont()).fontDpi();
    return scale;
}

QFont layoutFont(const Font& font, const std::optional<double>& kern)
{
    QFont result = font.toQFont();
    result.setPointSizeF(result.pointSizeF() * pointScale());
    if (kern && std::isfinite(*kern)) {
        result.setLetterSpacing(QFont::AbsoluteSpacing, *kern);
    }
    return result;
}

bool isParagraphSeparator(QChar character)
{
    return character == u'\n' || character == u'\r' || character == QChar::ParagraphSeparator ||
           character == QChar::LineSeparator;
}

Qt::Alignment qtAlignment(TextAlignment alignment)
{
    switch (alignment) {
    case TextAlignment::right:
        return Qt::AlignRight | Qt::AlignAbsolute;
    case TextAlignment::center:
        return Qt::AlignHCenter;
    case TextAlignment::justified:
        return Qt::AlignJustify;
    case TextAlignment::left:
    case TextAlignment::natural:
        break;
    }
    return Qt::AlignLeft | Qt::AlignAbsolute;
}

QTextCharFormat charFormat(const TextAttributes& attributes)
{
    QTextCharFormat format;
    format.setFont(layoutFont(attributes.resolvedFont(), attributes.kern),
                   QTextCharFormat::FontPropertiesAll);
    format.setForeground(attributes.resolvedForegroundColor().toQColor());
    if (attributes.backgroundColor) {
        format.setBackground(attributes.backgroundColor->toQColor());
    }
    format.setFontUnderline(attributes.underlineStyle.value_or(0) != 0);
    format.setFontStrikeOut(attributes.strikethroughStyle.value_or(0) != 0);
    return format;
}

} // namespace

TextLayout::TextLayout(const AttributedString& text, double width)
{
    if (text.isEmpty()) {
        return;
    }
    const bool wraps = width > 0 && std::isfinite(width);
    const QString& string = text.string();
    int start = 0;
    for (int i = 0; i <= text.length(); ++i) {
        if (i == text.length() || isParagraphSeparator(string[i])) {
            layOutParagraph(text, start, i, width, wraps);
            // A carriage return and line feed end one paragraph together.
            if (i < text.length() && string[i] == u'\r' && i + 1 < text.length() && string[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (!wraps) {
        // Unwrapped lines align within the widest line.
        double y = 0;
        for (const auto& paragraph : m_paragraphs) {
            for (int i = 0; i < paragraph->lineCount(); ++i) {
                QTextLine line = paragraph->lineAt(i);
                line.setLineWidth(m_usedWidth);
                line.setPosition(QPointF(0, y));
                y += line.height();
            }
        }
    }
}

void TextLayout::layOutParagraph(const AttributedString& text, int start, int end, double width, bool wraps)
{
    // An empty paragraph takes the font of the separator that ends it, or of the one before it.
    const int styleIndex = start < text.length() ? start : start - 1;
    const TextAttributes paragraphAttributes = text.attributesAt(styleIndex);
    auto layout = std::make_unique<QTextLayout>(text.string().mid(start, end - start),
                                                layoutFont(paragraphAttributes.resolvedFont(), std::nullopt));
    QTextOption option(qtAlignment(paragraphAttributes.resolvedParagraphStyle().alignment));
    option.setWrapMode(wraps ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout->setTextOption(option);
    QList<QTextLayout::FormatRange> formats;
    for (const AttributedString::Run& run : text.runs()) {
        const int from = std::max(run.start, start);
        const int to = std::min(run.start + run.length, end);
        if (from < to) {
            const Font font = run.attributes.resolvedFont();
            m_largestFontSize = std::max(m_largestFontSize, font.toQFont().pointSizeF());
            formats.append({from - start, to - from, charFormat(run.attributes)});
        }
    }
    layout->setFormats(formats);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(wraps ? width : std::numeric_limits<float>::max() / 4);
        line.setPosition(QPointF(0, m_height));
        m_height += line.height();
        m_usedWidth = std::max(m_usedWidth, line.naturalTextWidth());
    }
    layout->endLayout();
    m_paragraphs.push_back(std::move(layout));
}

void TextLayout::draw(QPainter& painter) const
{
    for (const auto& paragraph : m_paragraphs) {
        paragraph->draw(&painter, QPointF(0, 0));
    }
}

} // namespace graphics
