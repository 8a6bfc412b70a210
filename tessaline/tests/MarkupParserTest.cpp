#include "tessaline/Shared/MarkupParser.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <optional>

using graphics::AttributedString;
using graphics::Color;
using graphics::Font;
using graphics::TextAttributes;
using tessaline::MarkupParser;

namespace {

const Color black{0, 0, 0, 1};
const Color red{1, 0, 0, 1};
const Color blue{0, 0, 1, 1};

// A parser whose base colour is blue, so that "black because unreadable" differs from "the base colour".
MarkupParser blueParser()
{
    MarkupParser parser;
    parser.setColor(blue);
    return parser;
}

// Each run of a styled string: its text and its attributes.
struct Styled
{
    QString text;
    TextAttributes attributes;
};

std::vector<Styled> runsOf(const AttributedString& string)
{
    std::vector<Styled> runs;
    for (const auto& run : string.runs())
        runs.push_back({string.string().mid(run.start, run.length), run.attributes});
    return runs;
}

} // namespace

TEST(TessalineTest, MarkupOfEmptyAndPlainTextIsUnchanged)
{
    const MarkupParser parser = blueParser();
    EXPECT_TRUE(parser.parse({}).isEmpty());

    const QString plain = QStringLiteral("A caption: with * single / marks_ ~ and { braces }");
    const AttributedString result = parser.parse(plain);
    EXPECT_EQ(result.string(), plain);
    ASSERT_EQ(result.runs().size(), 1u);
    const TextAttributes& attributes = result.runs()[0].attributes;
    EXPECT_EQ(attributes.font, parser.font());
    EXPECT_EQ(attributes.foregroundColor, blue);
    EXPECT_EQ(attributes.paragraphStyle, parser.paragraphStyle());
    EXPECT_FALSE(attributes.underlineStyle.has_value());
    EXPECT_FALSE(attributes.kern.has_value());
}

TEST(TessalineTest, MarkupRulesStyleTheirSpans)
{
    const MarkupParser parser = blueParser();
    const auto single = [&](const QString& markup, const QString& text) {
        const AttributedString result = parser.parse(QStringLiteral("<") + markup + QStringLiteral(">"));
        EXPECT_EQ(result.string(), QStringLiteral("<") + text + QStringLiteral(">")) << markup.toStdString();
        EXPECT_EQ(result.attributesAt(0), result.attributesAt(result.length() - 1));
        return result.attributesAt(1);
    };
    EXPECT_EQ(single("**bold**", "bold").font, parser.boldFont());
    EXPECT_EQ(single("//italic//", "italic").font, parser.italicFont());
    EXPECT_EQ(single("__underline__", "underline").underlineStyle, 1);
    EXPECT_EQ(single("~~strike~~", "strike").strikethroughStyle, 1);
    EXPECT_EQ(single("`code`", "code").font, parser.monospaceFont());
    EXPECT_EQ(single("{#f00|red}", "red").foregroundColor, red);
    const TextAttributes highlight = single("{bg#ff0|highlight}", "highlight");
    EXPECT_EQ(highlight.backgroundColor, (Color{1, 1, 0, 1}));
    EXPECT_EQ(highlight.foregroundColor, blue);
    EXPECT_EQ(single("{k2.5|spaced}", "spaced").kern, 2.5);
    EXPECT_EQ(single("{k-1|tight}", "tight").kern, -1.0);
    EXPECT_EQ(single("{font:Menlo-Bold,18|text}", "text").font, Font("Menlo-Bold", 18));
    // The rest of a styled span keeps the base attributes.
    EXPECT_EQ(single("**bold**", "bold").foregroundColor, blue);
    EXPECT_EQ(single("{#FFF|x}", "x").foregroundColor, (Color{1, 1, 1, 1}));
}

TEST(TessalineTest, MarkupThatFormsNoSpanStaysAsTyped)
{
    const MarkupParser parser;
    for (const char* text : {"**bold", "****", "bold**", "//", "``", "{#f00|}", "{#|x}", "{#f00 x}", "{k|x}",
                             "{font:|x}", "__a_", "~a~~"}) {
        const AttributedString result = parser.parse(QString::fromUtf8(text));
        EXPECT_EQ(result.string(), QString::fromUtf8(text));
        EXPECT_EQ(result.runs().size(), 1u) << text;
    }
}

TEST(TessalineTest, MarkupSpansNeverCrossALineBreak)
{
    const MarkupParser parser;
    for (const QString& separator : {QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r"),
                                     QString(QChar(0x2028)), QString(QChar(0x2029)), QString(QChar(0x85))}) {
        const QString text = QStringLiteral("**a") + separator + QStringLiteral("b** {#f00|c") + separator +
                             QStringLiteral("d}");
        const AttributedString result = parser.parse(text);
        EXPECT_EQ(result.string(), text);
        EXPECT_EQ(result.runs().size(), 1u);
    }
    // Spans on separate lines work.
    const AttributedString lines = parser.parse(QStringLiteral("**a**\n**b**"));
    EXPECT_EQ(lines.string(), QStringLiteral("a\nb"));
    EXPECT_EQ(lines.attributesAt(0).font, parser.boldFont());
    EXPECT_EQ(lines.attributesAt(1).font, parser.font());
    EXPECT_EQ(lines.attributesAt(2).font, parser.boldFont());
}

TEST(TessalineTest, MarkupFirstClosingDelimiterClosesTheSpan)
{
    const MarkupParser parser;
    const AttributedString nested = parser.parse(QStringLiteral("**a **b** c**"));
    EXPECT_EQ(nested.string(), QStringLiteral("a b c"));
    const auto runs = runsOf(nested);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "a ");
    EXPECT_EQ(runs[0].attributes.font, parser.boldFont());
    EXPECT_EQ(runs[1].text, "b");
    EXPECT_EQ(runs[1].attributes.font, parser.font());
    EXPECT_EQ(runs[2].text, " c");
    EXPECT_EQ(runs[2].attributes.font, parser.boldFont());

    const AttributedString colours = parser.parse(QStringLiteral("{#f00|a {#0f0|b} c}"));
    EXPECT_EQ(colours.string(), QStringLiteral("a {#0f0|b c}"));
    const auto colourRuns = runsOf(colours);
    ASSERT_EQ(colourRuns.size(), 2u);
    EXPECT_EQ(colourRuns[0].text, "a {#0f0|b");
    EXPECT_EQ(colourRuns[0].attributes.foregroundColor, red);
    EXPECT_EQ(colourRuns[1].text, " c}");
    EXPECT_EQ(colourRuns[1].attributes.foregroundColor, black);
}

TEST(TessalineTest, MarkupRulesNestInEitherOrderAndTheLaterFontWins)
{
    const MarkupParser parser;
    for (const char* text : {"**{#f00|x}**", "{#f00|**x**}"}) {
        const AttributedString result = parser.parse(QString::fromUtf8(text));
        EXPECT_EQ(result.string(), "x") << text;
        EXPECT_EQ(result.attributesAt(0).font, parser.boldFont()) << text;
        EXPECT_EQ(result.attributesAt(0).foregroundColor, red) << text;
    }
    const AttributedString code = parser.parse(QStringLiteral("`**x** __y__`"));
    EXPECT_EQ(code.string(), "x y");
    EXPECT_EQ(code.attributesAt(0).font, parser.monospaceFont());
    EXPECT_EQ(code.attributesAt(2).font, parser.monospaceFont());
    EXPECT_EQ(code.attributesAt(2).underlineStyle, 1);

    // Overlapping bold and italic: italic, never bold italic.
    const AttributedString overlap = parser.parse(QStringLiteral("**a //b** c//"));
    EXPECT_EQ(overlap.string(), "a b c");
    EXPECT_EQ(overlap.attributesAt(0).font, parser.boldFont());
    EXPECT_EQ(overlap.attributesAt(2).font, parser.italicFont());
    EXPECT_EQ(overlap.attributesAt(4).font, parser.italicFont());

    const AttributedString fontOverBold = parser.parse(QStringLiteral("{font:Menlo-Regular,9|**x**}"));
    EXPECT_EQ(fontOverBold.attributesAt(0).font, Font("Menlo-Regular", 9));
}

TEST(TessalineTest, MarkupTwoDoubleSlashesOnALineAreItalic)
{
    const MarkupParser parser;
    const AttributedString result = parser.parse(QStringLiteral("see a://b and c://d"));
    EXPECT_EQ(result.string(), "see a:b and c:d");
    EXPECT_EQ(result.attributesAt(5).font, parser.font());
    EXPECT_EQ(result.attributesAt(6).font, parser.italicFont());
    EXPECT_EQ(result.attributesAt(13).font, parser.italicFont());
    EXPECT_EQ(result.attributesAt(14).font, parser.font());
}

TEST(TessalineTest, MarkupUnreadableValuesFallBack)
{
    const MarkupParser parser = blueParser();
    EXPECT_EQ(parser.parse("{#zzz|text}").attributesAt(0).foregroundColor, black);
    EXPECT_EQ(parser.parse("{bg#12345|text}").attributesAt(0).backgroundColor, black);
    EXPECT_EQ(parser.parse("{#f00f00f00|text}").attributesAt(0).foregroundColor, black);
    for (const char* kern :
         {"{kabc|text}", "{k1,5|text}", "{k 2|text}", "{kinf|text}", "{knan|text}", "{k2pt|text}"})
        EXPECT_EQ(parser.parse(kern).attributesAt(0).kern, 0.0) << kern;
    for (const char* font :
         {"{font:,20|text}", "{font:NoSuchFont,20|text}", "{font:menlo-regular,20|text}"}) {
        const AttributedString result = parser.parse(font);
        EXPECT_EQ(result.string(), "text");
        EXPECT_EQ(result.attributesAt(0).font, parser.font()) << font;
    }
    EXPECT_EQ(parser.parse("{font:Menlo-Regular|text}").attributesAt(0).font,
              Font("Menlo-Regular", parser.font().pointSize()));
    EXPECT_EQ(parser.parse("{font:Menlo-Regular,big|text}").attributesAt(0).font,
              Font("Menlo-Regular", parser.font().pointSize()));
    EXPECT_EQ(parser.parse("{font:Menlo-Bold,14,ignored|text}").attributesAt(0).font, Font("Menlo-Bold", 14));
    // A size that no font can have falls back to the base size rather than making an unusable font.
    EXPECT_EQ(parser.parse("{font:Menlo-Bold,0|text}").attributesAt(0).font,
              Font("Menlo-Bold", parser.font().pointSize()));
    EXPECT_EQ(parser.parse("{font:Menlo-Bold,-3|text}").attributesAt(0).font,
              Font("Menlo-Bold", parser.font().pointSize()));
}

TEST(TessalineTest, MarkupOffsetsCountUtf16CodeUnits)
{
    const MarkupParser parser;
    const AttributedString afterEmoji = parser.parse(QString::fromUtf8("😀 **x**"));
    EXPECT_EQ(afterEmoji.string(), QString::fromUtf8("😀 x"));
    EXPECT_EQ(afterEmoji.attributesAt(2).font, parser.font());
    EXPECT_EQ(afterEmoji.attributesAt(3).font, parser.boldFont());

    const AttributedString many =
        parser.parse(QString::fromUtf8("**😀**é{#f00|👩‍👩‍👧}x //é\u0301// __end__"));
    EXPECT_EQ(many.string(), QString::fromUtf8("😀é👩‍👩‍👧x é\u0301 end"));
    EXPECT_EQ(many.attributesAt(0).font, parser.boldFont());
    EXPECT_EQ(many.attributesAt(1).font, parser.boldFont());
    EXPECT_EQ(many.attributesAt(2).font, parser.font());
    const int family = 3; // 8 code units
    EXPECT_EQ(many.attributesAt(family).foregroundColor, red);
    EXPECT_EQ(many.attributesAt(family + 7).foregroundColor, red);
    EXPECT_EQ(many.attributesAt(family + 8).foregroundColor, black);
    EXPECT_EQ(many.attributesAt(13).font, parser.italicFont());
    EXPECT_EQ(many.attributesAt(14).font, parser.italicFont());
    EXPECT_EQ(many.attributesAt(many.length() - 1).underlineStyle, 1);
}

TEST(TessalineTest, MarkupMonospaceSpansAreReallyMonospace)
{
    // Font metrics need an application; one made here is gone again when the test ends.
    int argc = 1;
    char name[] = "TessalineTest";
    char* argv[] = {name, nullptr};
    std::optional<QGuiApplication> application;
    if (QGuiApplication::instance() == nullptr)
        application.emplace(argc, argv);

    const MarkupParser parser;
    const Font font = *parser.parse("`x`").attributesAt(0).font;
    const QFontInfo info(font.toQFont());
    EXPECT_TRUE(info.fixedPitch()) << info.family().toStdString();
    const QFontMetricsF metrics(font.toQFont());
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")),
                     metrics.horizontalAdvance(QStringLiteral("MMMM")));
}

TEST(TessalineTest, MarkupIsFoundInTextWithAnUnpairedSurrogate)
{
    const MarkupParser parser;
    const QString text = QStringLiteral("a") + QChar(0xD800) + QStringLiteral(" **b**");
    const AttributedString result = parser.parse(text);
    EXPECT_EQ(result.string(), QStringLiteral("a") + QChar(0xD800) + QStringLiteral(" b"));
    EXPECT_EQ(result.attributesAt(3).font, parser.boldFont());
}

// Half a million "**" pairs, as pasted: the spans come out as they should, and in time, which the test's
// timeout bounds (each span once moved all the text after it, so this took many minutes).
TEST(TessalineTest, MarkupOfManySpansParsesWhole)
{
    const MarkupParser parser;
    QString stars;
    for (int i = 0; i < 500'000; ++i)
        stars += QStringLiteral("**");
    // Every five stars form one span that keeps a bold star; what remains is too short for a span.
    const AttributedString bold = parser.parse(stars);
    EXPECT_EQ(bold.string(), QString(200'000, u'*'));
    ASSERT_EQ(bold.runs().size(), 1u);
    EXPECT_EQ(bold.runs()[0].attributes.font, parser.boldFont());

    QString alternating;
    for (int i = 0; i < 100'000; ++i)
        alternating += QStringLiteral("**a**{#f00|b}");
    const AttributedString styled = parser.parse(alternating);
    ASSERT_EQ(styled.length(), 200'000);
    ASSERT_EQ(styled.runs().size(), 200'000u);
    for (int i : {0, 1, 99'998, 199'999}) {
        EXPECT_EQ(styled.string()[i], i % 2 ? u'b' : u'a');
        EXPECT_EQ(styled.attributesAt(i).font, i % 2 ? parser.font() : parser.boldFont()) << i;
        EXPECT_EQ(styled.attributesAt(i).foregroundColor, i % 2 ? red : black) << i;
    }
}

// What a caption's translation may leave open is counted by these openings.
TEST(TessalineTest, MarkupOpeningsAreWhatOpensEachRulesSpanInRuleOrder)
{
    const QStringList spans{"**a**",      "//a//",  "__a__",
                            "~~a~~",      "`a`",    "{#f00|a}",
                            "{bg#ff0|a}", "{k2|a}", "{font:Menlo-Bold,18|a}"};
    const MarkupParser parser;
    const QStringList openings = parser.openings();
    ASSERT_EQ(openings.size(), spans.size());
    for (qsizetype rule = 0; rule < spans.size(); ++rule) {
        EXPECT_TRUE(spans[rule].startsWith(openings[rule])) << openings[rule].toStdString();
        EXPECT_EQ(parser.parse(spans[rule]).string(), QStringLiteral("a")) << spans[rule].toStdString();
        EXPECT_EQ(parser.parse(openings[rule]).string(), openings[rule]) << "alone it stays as typed";
    }
}
