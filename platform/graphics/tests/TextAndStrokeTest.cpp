#include "Pixels.h"
#include "graphics/AttributedString.h"
#include "graphics/Gradient.h"
#include "graphics/GraphicsContext.h"
#include "graphics/Path.h"

#include <gtest/gtest.h>
#include <thread>

using graphics::AttributedString;
using graphics::Color;
using graphics::Font;
using graphics::GraphicsContext;
using graphics::Path;
using graphics::TextAttributes;

namespace {

TextAttributes attributesWith(const Font& font)
{
    TextAttributes attributes;
    attributes.font = font;
    return attributes;
}

QImage renderText(const AttributedString& text, int width = 200, int height = 60)
{
    QImage bitmap = GraphicsContext::makeBitmap(width, height);
    GraphicsContext context(bitmap);
    context.drawText(text, {0, 0, double(width), double(height)});
    return bitmap;
}

// A V with its apex at (50, 80), stroked 10 wide with the given miter limit.
QImage strokeVee(double miterLimit)
{
    QImage bitmap = GraphicsContext::makeBitmap(100, 100);
    GraphicsContext context(bitmap);
    Path vee;
    vee.moveTo({20, 20});
    vee.lineTo({50, 80});
    vee.lineTo({80, 20});
    graphics::StrokeAttributes attributes;
    attributes.lineWidth = 10;
    attributes.miterLimit = miterLimit;
    vee.setStrokeAttributes(attributes);
    context.strokePath(vee);
    return bitmap;
}

} // namespace

TEST(GraphicsTest, KerningWidensAndStylesDraw)
{
    const Font font("AvenirNext-Regular", 20);
    AttributedString plain(QStringLiteral("spaced"), attributesWith(font));
    AttributedString kerned = plain;
    TextAttributes kern;
    kern.kern = 5;
    kerned.addAttributes(kern, 0, kerned.length());
    EXPECT_NEAR(kerned.boundingSize(1000).width - plain.boundingSize(1000).width, 30, 6);

    // A background colour fills behind the glyphs over the line's height.
    AttributedString highlighted(QStringLiteral("  "), attributesWith(font));
    TextAttributes background;
    background.backgroundColor = Color{0, 1, 0, 1};
    highlighted.addAttributes(background, 0, 2);
    const QImage highlight = renderText(highlighted);
    EXPECT_EQ(pixelAt(highlight, 2, 50), QColor(0, 255, 0));
    EXPECT_EQ(alphaAt(highlight, 150, 50), 0);

    // Underline and strikethrough add ink below the baseline and through the middle of spaces.
    AttributedString spaces(QStringLiteral("     "), attributesWith(font));
    EXPECT_EQ(inkInRows(renderText(spaces), 0, 60), 0);
    TextAttributes underline;
    underline.underlineStyle = 1;
    AttributedString underlined = spaces;
    underlined.addAttributes(underline, 0, 5);
    EXPECT_GT(inkInRows(renderText(underlined), 0, 60), 0);
    TextAttributes strike;
    strike.strikethroughStyle = 1;
    AttributedString struck = spaces;
    struck.addAttributes(strike, 0, 5);
    EXPECT_GT(inkInRows(renderText(struck), 0, 60), 0);
}

TEST(GraphicsTest, TextRendersOnWorkerThreadsAlike)
{
    const AttributedString text(QStringLiteral("Template preview"),
                                attributesWith(Font("HelveticaNeue-Thin", 24)));
    const QImage reference = renderText(text);
    std::vector<QImage> results(4);
    std::vector<std::thread> threads;
    for (QImage& result : results) {
        threads.emplace_back([&text, target = &result] { *target = renderText(text); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const QImage& result : results) {
        EXPECT_EQ(result, reference);
    }
}

TEST(GraphicsTest, MiterJoinsBevelBeyondTheLimit)
{
    // The V's miter is 1 / sin(26.57 degrees) = 2.236 line widths long.
    EXPECT_GT(alphaAt(strokeVee(10), 50, 88), 200);
    EXPECT_GT(alphaAt(strokeVee(2.3), 50, 88), 200);
    EXPECT_EQ(alphaAt(strokeVee(2.2), 50, 88), 0);
    EXPECT_GT(alphaAt(strokeVee(2.2), 50, 81), 200);
}

TEST(GraphicsTest, GradientStopsKeepTheirLocations)
{
    QImage bitmap = GraphicsContext::makeBitmap(100, 10);
    GraphicsContext context(bitmap);
    const graphics::Gradient gradient(
        {{Color{1, 0, 0, 1}, 0}, {Color{0, 1, 0, 1}, 0.25}, {Color{0, 0, 1, 1}, 1}});
    EXPECT_EQ(gradient.stopCount(), 3);
    EXPECT_EQ(gradient.stop(1).location, 0.25);
    context.drawGradient(gradient, graphics::Rect{0, 0, 100, 10}, 0);
    EXPECT_GT(pixelAt(bitmap, 25, 5).green(), 245);
    EXPECT_GT(pixelAt(bitmap, 99, 5).blue(), 245);
    EXPECT_GT(pixelAt(bitmap, 0, 5).red(), 245);
}

TEST(GraphicsTest, CopyWithShadowKeepsTheShadowAndReplacesUnderTheShape)
{
    QImage bitmap = GraphicsContext::makeBitmap(40, 20);
    GraphicsContext context(bitmap);
    context.setFillColor(Color{1, 0, 0, 1});
    context.fillRect({0, 0, 40, 20});
    context.setCompositingOperation(graphics::CompositingOperation::copy);
    context.setShadow(graphics::Shadow{Color{0, 1, 0, 1}, {20, 0}, 0});
    context.setFillColor(Color{0, 0, 1, 0.5});
    context.fillRect({0, 0, 10, 20});
    EXPECT_NEAR(alphaAt(bitmap, 5, 10), 128, 2);
    EXPECT_EQ(pixelAt(bitmap, 5, 10).red(), 0);
    EXPECT_EQ(pixelAt(bitmap, 15, 10), QColor(255, 0, 0));
    EXPECT_GT(pixelAt(bitmap, 25, 10).green(), 100);
}
