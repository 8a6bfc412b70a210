#include "graphics/TextLayout.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <QTextCharFormat>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

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

// The positions where a word ends, so where wrapping by words may end a line: before breakable white
// space, at the text's line break opportunities and at its end. Where in doubt a position is taken: one
// too many costs a little time, never a different line.
std::vector<int> wordEnds(const QString& text)
{
    std::vector<int> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    qsizetype boundary = finder.toNextBoundary();
    for (qsizetype i = 1; i <= text.size(); ++i) {
        while (boundary != -1 && boundary < i) {
            boundary = finder.toNextBoundary();
        }
        const bool opportunity =
            boundary == i && finder.boundaryReasons().testFlag(QTextBoundaryFinder::BreakOpportunity);
        if (i == text.size() || opportunity || text[i].isSpace()) {
            ends.push_back(int(i));
        }
    }
    return ends;
}

// Wraps the lines of one paragraph at a width as QTextOption::WrapAtWordBoundaryOrAnywhere does, in time
// that follows the paragraph's length. QTextLayout itself measures a line's first word whole, however
// long, before it falls back to breaking anywhere, so a text without break opportunities took time growing
// with the square of its length. Here a line whose first word may be too long is first filled character
// by character; only when a word ends within reach of what fits is the line laid out again by words,
// which gives QTextLayout's own line. A first word more than twice as long as the characters that fit
// (and some) cannot fit either, so its line stays broken anywhere, as QTextLayout would break it too.
class LineWrapper
{
public:
    LineWrapper(QTextLayout& layout, double width, const QTextOption& byWords)
        : m_layout(layout)
        , m_width(width)
        , m_ends(wordEnds(layout.text()))
        , m_byWords(byWords)
        , m_anywhere(byWords)
    {
        m_anywhere.setWrapMode(QTextOption::WrapAnywhere);
    }

    void wrap(QTextLine& line)
    {
        const int start = line.textStart();
        const auto firstWordEnd = std::upper_bound(m_ends.begin(), m_ends.end(), start);
        const int firstWordLength =
            (firstWordEnd == m_ends.end() ? int(m_layout.text().size()) : *firstWordEnd) - start;
        // A first word about as long as the last line at most is measured whole at little cost.
        if (m_lastLength < 0 || firstWordLength > reach(m_lastLength)) {
            m_layout.setTextOption(m_anywhere);
            line.setLineWidth(m_width);
            if (firstWordLength > reach(line.textLength())) {
                m_lastLength = line.textLength();
                return;
            }
        }
        m_layout.setTextOption(m_byWords);
        line.setLineWidth(m_width);
        m_lastLength = line.textLength();
    }

private:
    static int reach(int filled) { return 2 * filled + 64; }

    QTextLayout& m_layout;
    double m_width;
    std::vector<int> m_ends;
    QTextOption m_byWords;
    QTextOption m_anywhere;
    int m_lastLength = -1;
};

} // namespace

TextLayout::TextLayout(const AttributedString& text, double width)
{
    if (text.isEmpty()) {
        return;
    }
    const bool wraps = width > 0 && std::isfinite(width);
    const QString& string = text.string();
    std::size_t run = 0;
    int start = 0;
    for (int i = 0; i <= text.length(); ++i) {
        if (i == text.length() || isParagraphSeparator(string[i])) {
            layOutParagraph(text, start, i, run, width, wraps);
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
        for (const Paragraph& paragraph : m_paragraphs) {
            for (int i = 0; i < paragraph.layout->lineCount(); ++i) {
                QTextLine line = paragraph.layout->lineAt(i);
                line.setLineWidth(m_usedWidth);
                line.setPosition(QPointF(0, y));
                y += line.height();
            }
        }
    }
}

void TextLayout::layOutParagraph(const AttributedString& text, int start, int end, std::size_t& firstRun,
                                 double width, bool wraps)
{
    // Paragraphs come in order, so the runs before this one are done with.
    const std::vector<AttributedString::Run>& runs = text.runs();
    while (firstRun + 1 < runs.size() && runs[firstRun].start + runs[firstRun].length <= start) {
        ++firstRun;
    }
    // An empty paragraph takes the font of the separator that ends it, or of the one before it (the last run,
    // which is where the runs stop for a paragraph at the very end).
    const TextAttributes& paragraphAttributes = runs[firstRun].attributes;
    const QString paragraphText = text.string().mid(start, end - start);
    auto layout = std::make_unique<QTextLayout>(paragraphText,
                                                layoutFont(paragraphAttributes.resolvedFont(), std::nullopt));
    QTextOption option(qtAlignment(paragraphAttributes.resolvedParagraphStyle().alignment));
    option.setWrapMode(wraps ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout->setTextOption(option);
    QList<QTextLayout::FormatRange> formats;
    for (std::size_t i = firstRun; i < runs.size() && runs[i].start < end; ++i) {
        const AttributedString::Run& run = runs[i];
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
    std::optional<LineWrapper> wrapper;
    if (wraps) {
        wrapper.emplace(*layout, width, option);
    }
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        if (wrapper) {
            wrapper->wrap(line);
        } else {
            line.setLineWidth(std::numeric_limits<float>::max() / 4);
        }
        line.setPosition(QPointF(0, m_height));
        m_height += line.height();
        m_usedWidth = std::max(m_usedWidth, line.naturalTextWidth());
    }
    layout->endLayout();
    layout->setTextOption(option);
    m_paragraphs.push_back({start, m_lineCount, std::move(layout)});
    m_lineCount += m_paragraphs.back().layout->lineCount();
}

TextLayout::Line TextLayout::line(int index) const
{
    const auto after =
        std::upper_bound(m_paragraphs.begin(), m_paragraphs.end(), index,
                         [](int line, const Paragraph& paragraph) { return line < paragraph.firstLine; });
    const Paragraph& paragraph = *(after - 1);
    const QTextLine line = paragraph.layout->lineAt(index - paragraph.firstLine);
    return {paragraph.start + line.textStart(), line.textLength(), line.naturalTextWidth()};
}

void TextLayout::draw(QPainter& painter) const
{
    // Only lines that reach what the painter can paint need drawing; glyphs may reach beyond their line
    // boxes (italics, swashes, marks), by less than a font size.
    QRectF visible;
    // The device's own rectangle, in its coordinates: a widget's painter reaches its window's backing store
    // through an offset that the device transform holds and the combined one leaves out.
    if (painter.device() && painter.combinedTransform().isInvertible()) {
        visible = painter.combinedTransform().inverted().mapRect(
            QRectF(0, 0, painter.device()->width(), painter.device()->height()));
        if (painter.hasClipping()) {
            visible = visible.intersected(painter.clipBoundingRect());
        }
        const double margin = m_largestFontSize + 2;
        visible.adjust(-margin, -margin, margin, margin);
    }
    for (const Paragraph& paragraph : m_paragraphs) {
        paragraph.layout->draw(&painter, QPointF(0, 0), {}, visible);
    }
}

} // namespace graphics
