#include "graphics/TextLayout.h"

#include "graphics/AttributedString.h"
#include "graphics/GraphicsContext.h"

#include <cmath>
#include <gtest/gtest.h>

using graphics::AttributedString;
using graphics::Font;
using graphics::GraphicsContext;
using graphics::TextAttributes;
using graphics::TextLayout;

namespace {

TextAttributes attributesWith(const Font& font)
{
    TextAttributes attributes;
    attributes.font = font;
    return attributes;
}

// The lines follow one another without gaps or overlaps (a paragraph separator between two lines is in
// neither) and none is wider than width.
void expectWholeLines(const TextLayout& layout, const QString& text, double width)
{
    int next = 0;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const TextLayout::Line line = layout.line(i);
        if (line.start == next + 1 && (text[next] == u'\n'))
            next = line.start;
        ASSERT_EQ(line.start, next) << "line " << i;
        ASSERT_LE(line.width, width) << "line " << i;
        next = line.start + line.length;
    }
    EXPECT_EQ(next, text.size());
}

} // namespace

// Two million characters with no break opportunity, as pasted from a hash or an encoded file: the lines
// must come out full and in time, which the test's timeout bounds (they once took time growing with the
// square of the length, hours for this one).
TEST(GraphicsTest, TextWithoutBreakOpportunitiesFillsEveryLine)
{
    const QString text(2'000'000, u'x');
    const double width = 300;
    // A monospaced face: every character is as wide as the next, so every full line holds as many.
    const TextLayout layout(AttributedString(text, attributesWith(Font("Menlo-Regular", 20))), width);

    ASSERT_GT(layout.lineCount(), 1);
    expectWholeLines(layout, text, width);
    const TextLayout::Line first = layout.line(0);
    // Filled as far as the width allows: one character more would not fit.
    EXPECT_GT(first.width / first.length * (first.length + 1), width);
    for (int i = 1; i + 1 < layout.lineCount(); ++i)
        ASSERT_EQ(layout.line(i).length, first.length) << "line " << i;
    EXPECT_LE(layout.line(layout.lineCount() - 1).length, first.length);
    EXPECT_EQ(layout.lineCount(), (text.size() + first.length - 1) / first.length);
}

TEST(GraphicsTest, LinesEndAfterTheLastWordThatFits)
{
    const Font font("AvenirNext-Regular", 20);
    const QString words = QStringLiteral("one two one two one two");
    const double twoWords =
        TextLayout(AttributedString(QStringLiteral("one two"), attributesWith(font)), 0).usedWidth();
    for (double width : {twoWords, twoWords + 5}) {
        const TextLayout layout(AttributedString(words, attributesWith(font)), width);
        expectWholeLines(layout, words, width);
        ASSERT_EQ(layout.lineCount(), 3);
        // The space after a line's last word stays on that line.
        EXPECT_EQ(words.mid(layout.line(0).start, layout.line(0).length), "one two ");
        EXPECT_EQ(words.mid(layout.line(1).start, layout.line(1).length), "one two ");
        EXPECT_EQ(words.mid(layout.line(2).start, layout.line(2).length), "one two");
    }
    const TextLayout narrower(AttributedString(words, attributesWith(font)), twoWords - 1);
    EXPECT_EQ(narrower.lineCount(), 6);
}

// A long run after a word that fits: the word keeps its line, and the run breaks anywhere after it. So
// does a word too long for any line.
TEST(GraphicsTest, WordsTooLongForALineBreakAnywhere)
{
    const Font font("AvenirNext-Regular", 20);
    const QString run(100'000, u'w');
    const QString text = QStringLiteral("Plan ") + run + QStringLiteral(" done");
    const TextLayout layout(AttributedString(text, attributesWith(font)), 200);
    expectWholeLines(layout, text, 200);
    EXPECT_EQ(text.mid(layout.line(0).start, layout.line(0).length), "Plan ");
    EXPECT_EQ(layout.line(1).start, 5);
    EXPECT_GT(layout.line(1).length, 1);
    EXPECT_TRUE(text.endsWith(text.mid(layout.line(layout.lineCount() - 1).start)));

    const QString word = QStringLiteral("Supercalifragilisticexpialidocious");
    const double wordWidth = TextLayout(AttributedString(word, attributesWith(font)), 0).usedWidth();
    const TextLayout broken(AttributedString(word, attributesWith(font)), wordWidth / 2);
    expectWholeLines(broken, word, wordWidth / 2);
    EXPECT_GE(broken.lineCount(), 2);
    EXPECT_LE(broken.lineCount(), 3);
}

// Right-to-left scripts wrap by words like any other (the setup installs DejaVu Sans, which covers Hebrew
// and Arabic; scripts no installed font covers are not assumed here).
TEST(GraphicsTest, RightToLeftTextWrapsByWords)
{
    const Font font("AvenirNext-Regular", 30);
    for (const QString& text : {QStringLiteral("תכננו את השבוע שלכם בשניות ואת החודש בדקות"),
                                QStringLiteral("خطط لأسبوعك في ثوانٍ وخطط لشهرك في دقائق")}) {
        const AttributedString string(text, attributesWith(font));
        const double oneLine = TextLayout(string, 0).usedWidth();
        const TextLayout layout(string, oneLine / 2.5);
        expectWholeLines(layout, text, oneLine / 2.5);
        EXPECT_GE(layout.lineCount(), 3) << text.toStdString();
        // Each line but the last ends at a space: no word was split.
        for (int i = 0; i + 1 < layout.lineCount(); ++i) {
            const TextLayout::Line line = layout.line(i);
            EXPECT_EQ(text[line.start + line.length - 1], u' ') << text.toStdString() << ", line " << i;
        }
    }
}

// Every paragraph keeps its own styles and lines, however many paragraphs and styles there are.
TEST(GraphicsTest, ManyStyledParagraphsKeepTheirLines)
{
    const Font regular("AvenirNext-Regular", 20);
    const Font large = regular.withSize(40);
    AttributedString text;
    const int paragraphs = 20'000;
    for (int i = 0; i < paragraphs; ++i) {
        text.append(AttributedString(QStringLiteral("line"), attributesWith(i % 2 ? large : regular)));
        if (i + 1 < paragraphs)
            text.append(AttributedString(QStringLiteral("\n"), attributesWith(regular)));
    }
    const TextLayout layout(text, 1000);
    ASSERT_EQ(layout.lineCount(), paragraphs);
    expectWholeLines(layout, text.string(), 1000);
    const double small =
        TextLayout(AttributedString(QStringLiteral("line"), attributesWith(regular)), 1000).height();
    const double big =
        TextLayout(AttributedString(QStringLiteral("line"), attributesWith(large)), 1000).height();
    EXPECT_NEAR(layout.height(), paragraphs / 2.0 * (small + big), 1);
}

// Lines outside what the painter can paint are not drawn; those that reach into it, with the ink that
// overhangs their boxes, are.
TEST(GraphicsTest, DrawingPartOfATallTextPaintsItsVisibleLinesAlike)
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("Jig ʃ %1 ÅÇ\n").arg(i);
    const AttributedString string(text, attributesWith(Font("AvenirNext-BoldItalic", 24)));
    const TextLayout layout(string, 300);
    const double height = layout.height();

    // The text's top edge at the bitmap's top edge.
    const int wholeHeight = int(std::ceil(height));
    QImage whole = GraphicsContext::makeBitmap(300, wholeHeight);
    GraphicsContext(whole).drawText(layout, {0, wholeHeight - height, 300, height});
    // A window onto the rows 2000 to 2100 from the top, whose edges cut through lines.
    QImage window = GraphicsContext::makeBitmap(300, 100);
    GraphicsContext(window).drawText(layout, {0, 2100 - height, 300, height});
    ASSERT_GT(wholeHeight, 3000);
    EXPECT_EQ(window, whole.copy(0, 2000, 300, 100));
}
