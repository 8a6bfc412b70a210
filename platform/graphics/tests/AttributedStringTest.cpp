#include "graphics/AttributedString.h"

#include <gtest/gtest.h>

using graphics::AttributedString;
using graphics::Color;
using graphics::Font;
using graphics::TextAttributes;

namespace {

TextAttributes withFont(const Font& font)
{
    TextAttributes attributes;
    attributes.font = font;
    return attributes;
}

} // namespace

TEST(GraphicsTest, AttributesMergeByName)
{
    TextAttributes base = withFont(Font("AvenirNext-Regular", 20));
    base.foregroundColor = Color{1, 0, 0, 1};
    AttributedString text(QStringLiteral("abcdef"), base);
    text.addAttributes(withFont(Font("AvenirNext-Bold", 20)), 2, 2);
    ASSERT_EQ(text.runs().size(), 3u);
    EXPECT_EQ(text.attributesAt(2).font, Font("AvenirNext-Bold", 20));
    // Attributes of other names stay.
    EXPECT_EQ(text.attributesAt(2).foregroundColor, (Color{1, 0, 0, 1}));
    EXPECT_EQ(text.attributesAt(1).font, Font("AvenirNext-Regular", 20));
    // Setting the same attributes again joins the runs.
    text.addAttributes(withFont(Font("AvenirNext-Regular", 20)), 0, 6);
    EXPECT_EQ(text.runs().size(), 1u);
}

TEST(GraphicsTest, ReplaceKeepsTheAttributesAroundAndBrought)
{
    // The markup step: "x**ab**y" becomes "xaby" with "ab" bold.
    AttributedString text(QStringLiteral("x**ab**y"), withFont(Font("AvenirNext-Regular", 12)));
    AttributedString kept = text.substring(3, 2);
    kept.addAttributes(withFont(Font("AvenirNext-Bold", 12)), 0, 2);
    text.replace(1, 6, kept);
    EXPECT_EQ(text.string(), "xaby");
    ASSERT_EQ(text.runs().size(), 3u);
    EXPECT_EQ(text.runs()[1].start, 1);
    EXPECT_EQ(text.runs()[1].length, 2);
    EXPECT_EQ(text.attributesAt(1).font, Font("AvenirNext-Bold", 12));
    EXPECT_EQ(text.attributesAt(3).font, Font("AvenirNext-Regular", 12));

    text.replace(0, 4, AttributedString());
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(text.runs().empty());
    text.append(AttributedString(QStringLiteral("z")));
    EXPECT_EQ(text.string(), "z");
}

TEST(GraphicsTest, AppendingJoinsEqualRunsAtTheSeam)
{
    const TextAttributes regular = withFont(Font("AvenirNext-Regular", 12));
    const TextAttributes bold = withFont(Font("AvenirNext-Bold", 12));
    AttributedString text(QStringLiteral("ab"), regular);
    AttributedString tail(QStringLiteral("cd"), regular);
    tail.addAttributes(bold, 1, 1);
    text.append(tail);
    EXPECT_EQ(text.string(), "abcd");
    ASSERT_EQ(text.runs().size(), 2u);
    EXPECT_EQ(text.runs()[0], (AttributedString::Run{0, 3, regular}));
    EXPECT_EQ(text.runs()[1], (AttributedString::Run{3, 1, bold}));
    text.append(AttributedString());
    text.append(AttributedString(QStringLiteral("e"), regular));
    ASSERT_EQ(text.runs().size(), 3u);
    EXPECT_EQ(text.runs()[2], (AttributedString::Run{4, 1, regular}));
    // A substring starting and ending inside runs takes their attributes.
    const AttributedString middle = text.substring(2, 2);
    EXPECT_EQ(middle.string(), "cd");
    ASSERT_EQ(middle.runs().size(), 2u);
    EXPECT_EQ(middle.runs()[0], (AttributedString::Run{0, 1, regular}));
    EXPECT_EQ(middle.runs()[1], (AttributedString::Run{1, 1, bold}));
    EXPECT_TRUE(text.substring(5, 0).runs().empty());
    EXPECT_EQ(text.attributesAt(3), bold);
    EXPECT_EQ(text.attributesAt(4), regular);
}

TEST(GraphicsTest, SubstringCountsUtf16Units)
{
    AttributedString text(QStringLiteral("😀 x"), withFont(Font("Menlo-Regular", 12)));
    EXPECT_EQ(text.length(), 4);
    EXPECT_EQ(text.substring(3, 1).string(), "x");
    EXPECT_EQ(text.substring(3, 1).attributesAt(0).font, Font("Menlo-Regular", 12));
}

TEST(GraphicsTest, MeasuringUsesLineHeightsWithLeading)
{
    const Font font("AvenirNext-Regular", 50);
    const AttributedString line(QStringLiteral("Caption"), withFont(font));
    // Lato's line at 50 points: ascent, descent and leading at one unit per point.
    const double height = line.heightForWidth(1000);
    EXPECT_NEAR(height, 60, 1);
    EXPECT_GT(line.boundingSize(1000).width, 100);
    EXPECT_LT(line.boundingSize(1000).width, 1000);
    // Twice the size, twice the height.
    const AttributedString big(QStringLiteral("Caption"), withFont(font.withSize(100)));
    EXPECT_NEAR(big.heightForWidth(1000), 2 * height, 1);
    EXPECT_EQ(AttributedString().boundingSize(100).height, 0);
}

TEST(GraphicsTest, MeasuringWrapsAtTheWidth)
{
    const AttributedString text(QStringLiteral("one two three four five six"),
                                withFont(Font("AvenirNext-Regular", 20)));
    const double oneLine = text.heightForWidth(10000);
    EXPECT_NEAR(text.heightForWidth(120), 3 * oneLine, 2 * oneLine);
    EXPECT_GT(text.heightForWidth(120), oneLine * 2.5);
    EXPECT_LE(text.boundingSize(120).width, 120);
    // Paragraphs break at line feeds; a larger font in one paragraph makes it taller.
    AttributedString paragraphs(QStringLiteral("a\nb"), withFont(Font("AvenirNext-Regular", 20)));
    EXPECT_NEAR(paragraphs.heightForWidth(1000),
                2 * AttributedString(QStringLiteral("a"), withFont(Font("AvenirNext-Regular", 20)))
                        .heightForWidth(1000),
                0.5);
    paragraphs.addAttributes(withFont(Font("AvenirNext-Regular", 40)), 2, 1);
    EXPECT_NEAR(paragraphs.heightForWidth(1000), 24 + 48, 2);
}
