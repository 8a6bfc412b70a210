#include "model/TextRect.h"

#include "DocumentStack.h"
#include "ledgerline/ColorProperty.h"
#include "ledgerline/EnumerationProperty.h"
#include "ledgerline/FontProperty.h"
#include "ledgerline/PropertyCollection.h"
#include "ledgerline/PropertyGroup.h"
#include "ledgerline/StringProperty.h"
#include "model/Canvas.h"
#include "model/TextMask.h"
#include "model/TextRendering.h"

#include <QCoreApplication>
#include <QImage>
#include <QUndoStack>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

using namespace pelorama::model;

namespace {

const graphics::Color white{1, 1, 1, 1};

// The box of the pixels whose alpha exceeds threshold, in the y-up pixel space of the canvas; an empty
// rectangle when there is no ink.
QRect inkBounds(const QImage& bitmap, int threshold = 0)
{
    QRect bounds;
    for (int row = 0; row < bitmap.height(); ++row) {
        for (int x = 0; x < bitmap.width(); ++x) {
            if (qAlpha(bitmap.pixel(x, row)) > threshold)
                bounds |= QRect(x, bitmap.height() - 1 - row, 1, 1);
        }
    }
    return bounds;
}

qint64 totalAlpha(const QImage& bitmap)
{
    qint64 total = 0;
    for (int row = 0; row < bitmap.height(); ++row) {
        for (int x = 0; x < bitmap.width(); ++x)
            total += qAlpha(bitmap.pixel(x, row));
    }
    return total;
}

class TextRectTest : public testing::Test
{
protected:
    TextRect* makeCaption(const QString& text, const graphics::Rect& rect,
                          VerticalAlignment vertical = VerticalAlignment::top,
                          graphics::TextAlignment horizontal = graphics::TextAlignment::left)
    {
        TextRect* caption = TextRect::insertInto(*stack.context, rect, text, horizontal, vertical);
        // Inter, which the setup installs, at a size whose lines are tens of pixels high.
        caption->setFont(graphics::Font(QStringLiteral("HelveticaNeue"), 40));
        return caption;
    }

    // A caption with a directional shadow, so that drawing fills both caches.
    static TextRect* makeCaptionIn(store::ManagedObjectContext& context, const QString& text)
    {
        TextRect* caption = TextRect::insertInto(context, {10, 10, 280, 180}, text,
                                                 graphics::TextAlignment::center, VerticalAlignment::center);
        caption->setFont(graphics::Font(QStringLiteral("AvenirNext-Regular"), 30));
        caption->setShadowType(ShadowType::directional);
        return caption;
    }

    // The caption drawn alone on a transparent canvas at one pixel per point.
    static QImage render(TextRect* caption, graphics::Size canvasSize = {600, 600}, double scale = 1)
    {
        const graphics::Image image =
            Canvas(canvasSize, {caption}).render(CanvasRenderingMode::exportImage, canvasSize, scale);
        return image.representations().at(0).bitmap();
    }

    DocumentStack stack = DocumentStack::inMemory();
};

TEST_F(TextRectTest, ANewCaptionHasTheInsertionDefaults)
{
    TextRect* caption = TextRect::insertInto(*stack.context);
    EXPECT_EQ(caption->rect(), graphics::Rect::zero());
    EXPECT_EQ(caption->text(), "");
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::left);
    EXPECT_EQ(caption->verticalAlignment(), VerticalAlignment::top);
    EXPECT_EQ(caption->color(), white);
    EXPECT_EQ(caption->font(), graphics::Font(QStringLiteral("AvenirNext-Regular"), 50));
    EXPECT_EQ(caption->uniqueIdentifier().size(), 36);
    EXPECT_EQ(caption->boundingRect(), caption->rect());
    EXPECT_EQ(caption->cachedAttributedString(), nullptr);
    EXPECT_EQ(caption->maskImage(), nullptr);
    EXPECT_EQ(caption->maskSize(), (graphics::Size{0, 0}));
}

TEST_F(TextRectTest, HorizontalAlignmentAcceptsOnlyThePlatformsFiveValues)
{
    TextRect* caption = makeCaption("Hello", {20, 20, 300, 100});
    caption->setPrimitiveValue(qint64(2), "horizontalAlignment");
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::center);
    caption->setPrimitiveValue(qint64(4), "horizontalAlignment");
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::natural);
    for (const qint64 damaged : {qint64(5), qint64(1) << 40, qint64(-2)}) {
        caption->setPrimitiveValue(damaged, "horizontalAlignment");
        EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::left) << damaged;
        EXPECT_EQ(caption->valueForKey("horizontalAlignment"), QVariant(qint64(0))) << damaged;
    }
    caption->setPrimitiveValue(QVariant(), "horizontalAlignment");
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::left);

    // A damaged alignment lays the text out as left does.
    caption->setPrimitiveValue(qint64(77), "horizontalAlignment");
    const QImage damaged = render(caption);
    caption->setHorizontalAlignment(graphics::TextAlignment::left);
    caption->prepareForRedrawAfterChangingWithKeyPath("horizontalAlignment");
    EXPECT_EQ(render(caption), damaged);
}

TEST_F(TextRectTest, TheInspectorOffersTextThenShadow)
{
    TextRect* caption = makeCaption("Hello", {20, 20, 300, 100}, VerticalAlignment::bottom);
    const auto collection = caption->makePropertyCollection();
    ASSERT_EQ(collection->groups().size(), 2u);
    const ledgerline::PropertyGroup& text = *collection->groups().at(0);
    EXPECT_EQ(text.name(), "Text");
    EXPECT_EQ(collection->groups().at(1)->name(), "Shadow");
    EXPECT_EQ(collection->groups().at(1)->properties().size(), 6u);
    QStringList names;
    for (const auto& property : text.properties())
        names.append(property->name());
    EXPECT_EQ(names, (QStringList{"Font", "Color", "Horizontal Alignment", "Vertical Alignment", "Text"}));

    auto& font = dynamic_cast<ledgerline::FontProperty&>(*text.properties().at(0));
    EXPECT_EQ(font.font(), caption->font());
    font.setValue(QVariant::fromValue(graphics::Font(QStringLiteral("AvenirNext-Bold"), 60)));
    EXPECT_EQ(caption->font(), graphics::Font(QStringLiteral("AvenirNext-Bold"), 60));
    auto& color = dynamic_cast<ledgerline::ColorProperty&>(*text.properties().at(1));
    EXPECT_EQ(color.color(), white);

    // Left, Center, Right on screen; the platform's raw values 0, 2, 1 in the document.
    auto& horizontal = dynamic_cast<ledgerline::EnumerationProperty&>(*text.properties().at(2));
    EXPECT_EQ(horizontal.displayStyle(), ledgerline::EnumerationProperty::segmentedDisplay);
    ASSERT_EQ(horizontal.options().size(), 3u);
    EXPECT_EQ(horizontal.options()[1].title, "Center");
    EXPECT_EQ(horizontal.options()[1].value, QVariant(qint64(2)));
    EXPECT_EQ(horizontal.selectedIndex(), 0);
    horizontal.selectOption(2);
    EXPECT_EQ(caption->primitiveValue("horizontalAlignment"), QVariant(qint64(1)));
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::right);

    auto& vertical = dynamic_cast<ledgerline::EnumerationProperty&>(*text.properties().at(3));
    EXPECT_EQ(vertical.displayStyle(), ledgerline::EnumerationProperty::segmentedDisplay);
    EXPECT_EQ(vertical.options()[1].title, "Middle");
    EXPECT_EQ(vertical.selectedIndex(), 2);
    caption->setVerticalAlignment(VerticalAlignment::center);
    EXPECT_EQ(vertical.selectedIndex(), 1);

    auto& string = dynamic_cast<ledgerline::StringProperty&>(*text.properties().at(4));
    EXPECT_EQ(string.textStyle(), ledgerline::StringProperty::multiLineText);
    EXPECT_EQ(string.maximumLength(), TextRect::maximumTextLength);
    EXPECT_EQ(string.text(), "Hello");
    string.setValue(QStringLiteral("Two\nlines"));
    EXPECT_EQ(caption->text(), "Two\nlines");
}

// Each key that triggers a redraw, and a few that do not, with the caches it must drop.
struct Invalidation
{
    const char* key;
    // And with it the text's layout.
    bool dropsStyledText;
    bool dropsMask;
};

class CacheInvalidation : public TextRectTest, public testing::WithParamInterface<Invalidation>
{
};

TEST_P(CacheInvalidation, DropsExactlyTheCachesTheKeyAffects)
{
    TextRect* caption = makeCaption("Hello **world**", {10, 10, 200, 100});
    caption->setShadowType(ShadowType::directional);
    render(caption);
    const auto styledText = caption->cachedAttributedString();
    const auto layout = caption->cachedTextLayout();
    const auto mask = caption->maskImage();
    const graphics::Size maskSize = caption->maskSize();
    ASSERT_NE(styledText, nullptr);
    ASSERT_NE(layout, nullptr);
    ASSERT_NE(mask, nullptr);

    caption->prepareForRedrawAfterChangingWithKeyPath(GetParam().key);
    EXPECT_EQ(caption->cachedAttributedString(), GetParam().dropsStyledText ? nullptr : styledText);
    EXPECT_EQ(caption->cachedTextLayout(), GetParam().dropsStyledText ? nullptr : layout);
    EXPECT_EQ(caption->maskImage(), GetParam().dropsMask ? nullptr : mask);
    EXPECT_EQ(caption->maskSize(), maskSize);

    // The next draw builds what was dropped.
    render(caption);
    EXPECT_NE(caption->cachedAttributedString(), nullptr);
    EXPECT_EQ(caption->cachedTextLayout() == layout, !GetParam().dropsStyledText);
    EXPECT_NE(caption->maskImage(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    TextRect, CacheInvalidation,
    testing::Values(Invalidation{"text", true, true}, Invalidation{"font", true, true},
                    Invalidation{"color", true, true}, Invalidation{"horizontalAlignment", true, true},
                    Invalidation{"rect", false, true}, Invalidation{"verticalAlignment", false, false},
                    Invalidation{"shadowType", false, false}, Invalidation{"shadowAngle", false, false},
                    Invalidation{"shadowDepth", false, false}, Invalidation{"shadowDistance", false, false},
                    Invalidation{"shadowBlurRadius", false, false}, Invalidation{"shadowColor", false, false},
                    Invalidation{"Text", false, false}, Invalidation{"uniqueIdentifier", false, false},
                    Invalidation{"", false, false}),
    [](const testing::TestParamInfo<Invalidation>& info) {
        return info.param.key[0] ? std::string(info.param.key) + (info.param.key[0] == 'T' ? "Capital" : "")
                                 : std::string("Empty");
    });

TEST_F(TextRectTest, DrawingFollowsEveryChangeWhetherOrNotAnyoneReportsIt)
{
    QUndoStack undo;
    stack.context->setUndoStack(&undo);
    TextRect* caption = makeCaptionIn(*stack.context, "Old");
    QCoreApplication::processEvents();
    const QImage old = render(caption);
    ASSERT_GT(totalAlpha(old), 0);

    // Nothing tells the caption of these changes (no canvas view shows it); each draw sees them.
    const auto drawnAsAFreshCaption = [&](const std::string& why) {
        DocumentStack other = DocumentStack::inMemory();
        TextRect* fresh = makeCaptionIn(*other.context, caption->text());
        fresh->setRect(caption->rect());
        fresh->setFont(caption->font());
        fresh->setColor(caption->color());
        fresh->setHorizontalAlignment(caption->horizontalAlignment());
        EXPECT_EQ(render(caption), render(fresh)) << why;
    };
    caption->setText("New");
    QCoreApplication::processEvents();
    EXPECT_NE(render(caption), old);
    EXPECT_EQ(caption->cachedAttributedString()->string(), "New");
    drawnAsAFreshCaption("text");

    undo.undo();
    ASSERT_EQ(caption->text(), "Old");
    EXPECT_EQ(render(caption), old) << "undo";
    undo.redo();
    ASSERT_EQ(caption->text(), "New");
    drawnAsAFreshCaption("redo");

    // The mask is laid out at the rectangle's width, the styled text built from font, colour and alignment.
    caption->setRect({10, 10, 120, 180});
    drawnAsAFreshCaption("rect");
    caption->setFont(graphics::Font(QStringLiteral("HelveticaNeue"), 24));
    drawnAsAFreshCaption("font");
    caption->setColor(graphics::Color{0, 0, 1, 1});
    drawnAsAFreshCaption("color");
    caption->setHorizontalAlignment(graphics::TextAlignment::right);
    drawnAsAFreshCaption("horizontalAlignment");
}

TEST_F(TextRectTest, ReportedChangesLetGoOfTheCachesAtOnce)
{
    TextRect* caption = makeCaption("Old", {10, 10, 200, 100});
    render(caption);
    caption->setText("New");
    caption->prepareForRedrawAfterChangingWithKeyPath("text");
    EXPECT_EQ(caption->cachedAttributedString(), nullptr);
    render(caption);
    EXPECT_EQ(caption->cachedAttributedString()->string(), "New");
    // No directional shadow, no mask.
    EXPECT_EQ(caption->maskImage(), nullptr);
}

// A caption is laid out once per change of what it shows: renders after other changes (a shadow's angle
// being dragged, the caption moved) draw the same layout, in any script. The setup installs DejaVu Sans,
// which covers Hebrew and Arabic; scripts no installed font covers are not assumed here.
TEST_F(TextRectTest, RendersThatChangeNothingOfTheTextLayItOutNoMore)
{
    for (const QString& text :
         {QStringLiteral("Plan **your** week in seconds"), QStringLiteral("תכננו את **השבוע** בשניות"),
          QStringLiteral("خطط **لأسبوعك** في ثوانٍ")}) {
        SCOPED_TRACE(text.toStdString());
        TextRect* caption = makeCaption(text, {20, 300, 300, 200});
        caption->setShadowType(ShadowType::drop);
        render(caption);
        const auto layout = caption->cachedTextLayout();
        ASSERT_NE(layout, nullptr);
        EXPECT_GE(layout->lineCount(), 2);

        caption->setShadowAngle(300);
        caption->prepareForRedrawAfterChangingWithKeyPath("shadowAngle");
        render(caption);
        EXPECT_EQ(caption->cachedTextLayout(), layout);

        // Moved, the caption draws the same lines at its new place.
        caption->setRect({60, 250, 300, 200});
        caption->prepareForRedrawAfterChangingWithKeyPath("rect");
        const QImage moved = render(caption);
        EXPECT_EQ(caption->cachedTextLayout(), layout);
        TextRect* fresh = makeCaption(text, {60, 250, 300, 200});
        fresh->setShadowType(ShadowType::drop);
        fresh->setShadowAngle(300);
        EXPECT_EQ(moved, render(fresh));

        // Another width, other lines.
        caption->setRect({60, 250, 1000, 200});
        caption->prepareForRedrawAfterChangingWithKeyPath("rect");
        render(caption);
        ASSERT_NE(caption->cachedTextLayout(), layout);
        EXPECT_EQ(caption->cachedTextLayout()->lineCount(), 1);
    }
}

TEST(TextRendering, PlacesTheTextBoxByTheVerticalAlignment)
{
    const graphics::Rect rect(100, 200, 400, 300);
    EXPECT_EQ(captionTextY(rect, 60, VerticalAlignment::top), 440);
    EXPECT_EQ(captionTextY(rect, 60, VerticalAlignment::center), 320);
    EXPECT_EQ(captionTextY(rect, 60, VerticalAlignment::bottom), 200);
    // Text taller than the rectangle overhangs below, on both sides, or above.
    EXPECT_EQ(captionTextY(rect, 500, VerticalAlignment::top), 0);
    EXPECT_EQ(captionTextY(rect, 500, VerticalAlignment::center), 100);
    EXPECT_EQ(captionTextY(rect, 500, VerticalAlignment::bottom), 200);

    const TextMask mask{nullptr, {404, 64}};
    EXPECT_EQ(mask.imageRect(100, 440), graphics::Rect(98, 438, 404, 64));
    EXPECT_NEAR(directionalShadowLength({1242, 2208}, 0.5), 1266.7, 0.05);
}

TEST_F(TextRectTest, DrawsItsLinesWhereTheVerticalAlignmentPutsThem)
{
    const graphics::Rect rect(50, 100, 400, 300);
    for (const VerticalAlignment alignment :
         {VerticalAlignment::top, VerticalAlignment::center, VerticalAlignment::bottom}) {
        TextRect* caption = makeCaption("Hello", rect, alignment);
        const QRect ink = inkBounds(render(caption));
        const double height = captionTextHeight(*caption->cachedAttributedString(), rect.width());
        const double y = captionTextY(rect, height, alignment);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_GT(height, 20);
        // The glyphs lie inside their line box, which the alignment placed.
        EXPECT_GE(ink.top(), y - 1) << int(alignment);
        EXPECT_LE(ink.bottom(), y + height + 1) << int(alignment);
        EXPECT_GE(ink.left(), rect.minX() - 1);
        EXPECT_LT(ink.left(), rect.minX() + 10);
        stack.context->deleteObject(caption);
    }
}

TEST_F(TextRectTest, LinesAlignHorizontallyWithinTheRectanglesWidth)
{
    const graphics::Rect rect(50, 100, 400, 300);
    TextRect* left = makeCaption("Hello", rect);
    TextRect* center = makeCaption("Hello", rect, VerticalAlignment::top, graphics::TextAlignment::center);
    TextRect* right = makeCaption("Hello", rect, VerticalAlignment::top, graphics::TextAlignment::right);
    const QRect leftInk = inkBounds(render(left));
    const QRect centerInk = inkBounds(render(center));
    const QRect rightInk = inkBounds(render(right));
    EXPECT_NEAR(leftInk.left(), rect.minX(), 6);
    EXPECT_NEAR((centerInk.left() + centerInk.right() + 1) / 2.0, rect.midX(), 4);
    EXPECT_NEAR(rightInk.right() + 1, rect.maxX(), 6);
    // The alignment moves the lines, not the height they take.
    EXPECT_EQ(leftInk.top(), centerInk.top());
    EXPECT_EQ(leftInk.height(), rightInk.height());

    // Long text wraps at the rectangle's width.
    TextRect* wrapped = makeCaption("Hello Hello Hello Hello Hello Hello", {50, 100, 200, 300});
    const QRect wrappedInk = inkBounds(render(wrapped));
    EXPECT_LE(wrappedInk.right(), 250);
    EXPECT_GT(wrappedInk.height(), 2 * leftInk.height());
}

TEST_F(TextRectTest, MarkupDrawsBoldAndColouredRunsWithoutItsCharacters)
{
    const graphics::Rect rect(20, 20, 560, 200);
    TextRect* plain = makeCaption("Wide Wide", rect);
    TextRect* bold = makeCaption("**Wide Wide**", rect);
    EXPECT_GT(totalAlpha(render(bold)), totalAlpha(render(plain)) * 1.05);
    EXPECT_EQ(bold->cachedAttributedString()->string(), "Wide Wide");
    const graphics::Font boldFont = *bold->cachedAttributedString()->attributesAt(0).font;
    EXPECT_EQ(boldFont, bold->font()->heavier());
    EXPECT_NE(boldFont, *bold->font());

    // White text with a red word: the left of the ink is white, the right red.
    TextRect* coloured = makeCaption("Wide {#f00|Wide}", rect);
    const QImage pixels = render(coloured);
    EXPECT_EQ(coloured->cachedAttributedString()->string(), "Wide Wide");
    const QRect ink = inkBounds(pixels);
    int white = 0;
    int red = 0;
    int redOnTheLeft = 0;
    for (int row = 0; row < pixels.height(); ++row) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QColor colour = pixels.pixelColor(x, row);
            if (colour.alpha() < 250)
                continue;
            const bool isRed = colour.red() > 240 && colour.green() < 15 && colour.blue() < 15;
            white += colour.red() > 240 && colour.green() > 240 && colour.blue() > 240;
            red += isRed;
            redOnTheLeft += isRed && x < ink.center().x() - 10;
        }
    }
    EXPECT_GT(white, 100);
    EXPECT_GT(red, 100);
    EXPECT_EQ(redOnTheLeft, 0);
}

TEST_F(TextRectTest, AnUnknownOrMissingFontDrawsInTheSystemFont)
{
    TextRect* unknown = makeCaption("Hello", {20, 20, 400, 200});
    unknown->setFont(graphics::Font(QStringLiteral("NoSuchFace-Regular"), 40));
    TextRect* system = makeCaption("Hello", {20, 20, 400, 200});
    system->setFont(graphics::Font::systemFont(40));
    EXPECT_EQ(render(unknown), render(system));
    EXPECT_EQ(unknown->font()->postScriptName(), "NoSuchFace-Regular");

    TextRect* missing = makeCaption("Hello", {20, 20, 400, 200});
    missing->setFont(std::nullopt);
    missing->setColor(std::nullopt);
    EXPECT_FALSE(inkBounds(render(missing)).isEmpty());
}

TEST_F(TextRectTest, EmptyTextDrawsNothingAndItsMaskHoldsNoInk)
{
    TextRect* caption = makeCaption("", {20, 20, 100.5, 50});
    caption->setShadowType(ShadowType::directional);
    EXPECT_TRUE(inkBounds(render(caption)).isEmpty());
    ASSERT_NE(caption->maskImage(), nullptr);
    EXPECT_EQ(caption->maskSize(), (graphics::Size{105, 4}));
    EXPECT_EQ(totalAlpha(caption->maskImage()->representations().at(0).bitmap()), 0);
}

TEST_F(TextRectTest, TheMaskIsTheCaptionsInkWithATwoPointMarginAtOnePixelPerPoint)
{
    // Bottom alignment puts the text box on whole pixels, so the mask and the canvas rasterise alike.
    const graphics::Rect rect(40, 30, 250.3, 200);
    TextRect* caption = makeCaption("Hello {#0f0|there}", rect, VerticalAlignment::bottom);
    caption->setShadowType(ShadowType::directional);
    caption->setShadowColor(graphics::Color{0, 0, 0, 0});
    const QImage canvas = render(caption, {600, 600}, 1);

    const double height = captionTextHeight(*caption->cachedAttributedString(), rect.width());
    const graphics::Size size = caption->maskSize();
    EXPECT_EQ(size, (graphics::Size{std::ceil(250.3) + 4, std::ceil(height) + 4}));
    const std::shared_ptr<const graphics::Image> mask = caption->maskImage();
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->size(), size);
    const QImage maskPixels = mask->representations().at(0).bitmap();
    EXPECT_EQ(maskPixels.size(), QSize(int(size.width), int(size.height)));

    // Drawn 2 points in from its corner, the mask's ink lines up with the caption's at (x - 2, y - 2).
    const QRect ink = inkBounds(maskPixels);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 2);
    EXPECT_GE(ink.top(), 2);
    EXPECT_EQ(ink.translated(int(rect.minX()) - 2, int(rect.minY()) - 2), inkBounds(canvas));
    int largestDifference = 0;
    for (int y = 0; y < maskPixels.height(); ++y) {
        for (int x = 0; x < maskPixels.width(); ++x) {
            const QColor inMask = pixelAt(maskPixels, x, y);
            const QColor onCanvas = pixelAt(canvas, x + int(rect.minX()) - 2, y + int(rect.minY()) - 2);
            largestDifference = std::max({largestDifference, std::abs(inMask.alpha() - onCanvas.alpha()),
                                          std::abs(inMask.green() - onCanvas.green())});
        }
    }
    EXPECT_LE(largestDifference, 2);

    // The mask keeps one pixel per point whatever the render scale.
    caption->prepareForRedrawAfterChangingWithKeyPath("rect");
    render(caption, {600, 600}, 3);
    EXPECT_EQ(caption->maskSize(), size);
    EXPECT_EQ(caption->maskImage()->representations().at(0).bitmap().size(), maskPixels.size());
}

TEST_F(TextRectTest, AMaskTooLargeForABitmapIsLeftOut)
{
    TextRect* caption = makeCaption("Hello", {0, 0, 1e12, 100});
    caption->setShadowType(ShadowType::directional);
    caption->setShadowColor(graphics::Color{0, 0, 0, 1});
    EXPECT_FALSE(inkBounds(render(caption)).isEmpty());
    EXPECT_EQ(caption->maskImage(), nullptr);
}

TEST_F(TextRectTest, ADropShadowFallsAlongItsAngleAtTheRenderScale)
{
    const graphics::Rect rect(50, 300, 400, 200);
    TextRect* caption = makeCaption("Hello", rect);
    caption->setColor(graphics::Color{1, 1, 1, 1});
    const QRect alone = inkBounds(render(caption));
    caption->setShadowType(ShadowType::drop);
    caption->setShadowBlurRadius(0);
    caption->setShadowDistance(30);
    caption->setShadowColor(graphics::Color{0, 0, 0, 1});
    const QImage shadowed = render(caption);
    // Angle 270: the shadow's ink reaches 30 points below the text, black under the glyphs' own white.
    const QRect withShadow = inkBounds(shadowed);
    EXPECT_NEAR(withShadow.top(), alone.top() - 30, 1);
    EXPECT_NEAR(withShadow.bottom(), alone.bottom(), 1);
    const QColor belowText = pixelAt(shadowed, alone.center().x(), alone.top() - 15);
    EXPECT_TRUE(belowText.alpha() == 0 || belowText.red() < 10);

    // At three pixels per point the offset is three times as many pixels.
    const QImage large = render(caption, {600, 600}, 3);
    const QRect largeInk = inkBounds(large);
    caption->setShadowType(ShadowType::none);
    EXPECT_NEAR(inkBounds(render(caption, {600, 600}, 3)).top() - largeInk.top(), 90, 3);
}

TEST_F(TextRectTest, ADirectionalShadowIsCastFromTheMaskAlongTheAngle)
{
    // A canvas whose diagonal is 500 points: depth 0.1 casts a band 50 points long.
    const graphics::Size canvas{300, 400};
    TextRect* caption = makeCaption("I", {100, 200, 100, 100});
    const QRect alone = inkBounds(render(caption, canvas));
    caption->setShadowType(ShadowType::directional);
    caption->setShadowDepth(0.1);
    caption->setShadowColor(graphics::Color{0, 0, 0, 1});
    const QImage shadowed = render(caption, canvas);
    const QRect withShadow = inkBounds(shadowed, 128);
    EXPECT_NEAR(withShadow.top(), alone.top() - 50, 2);
    EXPECT_NEAR(withShadow.left(), alone.left(), 1);
    EXPECT_NEAR(withShadow.right(), alone.right(), 1);
    EXPECT_NEAR(withShadow.bottom(), alone.bottom(), 1);
    const QColor band = pixelAt(shadowed, alone.center().x(), alone.top() - 25);
    EXPECT_EQ(band.alpha(), 255);
    EXPECT_LT(band.red(), 10);
    // The caption is drawn over its band.
    EXPECT_GT(pixelAt(shadowed, alone.center().x(), alone.center().y()).red(), 245);

    // The length follows the canvas, not the render scale.
    const QRect large = inkBounds(render(caption, canvas, 2), 128);
    EXPECT_NEAR(large.top(), 2 * (alone.top() - 50), 4);

    // Towards the right (angle 0) the band leaves the glyph's right side.
    caption->setShadowAngle(0);
    const QRect right = inkBounds(render(caption, canvas), 128);
    EXPECT_NEAR(right.right(), alone.right() + 50, 2);
    EXPECT_NEAR(right.top(), alone.top(), 1);
}

TEST_F(TextRectTest, DistinctCaptionsDrawConcurrentlyOnTheirOwnContextsQueues)
{
    constexpr int threadCount = 4;
    const QStringList texts{"One **bold**", "{#f00|Two} red", "Three //it//", "Four `mono`"};
    std::vector<std::unique_ptr<store::ManagedObjectContext>> contexts;
    std::vector<TextRect*> captions;
    std::vector<QImage> expected;
    for (int i = 0; i < threadCount; ++i) {
        auto context = std::make_unique<store::ManagedObjectContext>(
            store::ManagedObjectContext::ConcurrencyType::privateQueue);
        context->setPersistentStoreCoordinator(stack.coordinator);
        context->performAndWait([&] {
            TextRect* caption = makeCaptionIn(*context, texts[i]);
            captions.push_back(caption);
            expected.push_back(render(caption, {300, 200}, 2));
            // Start from empty caches, so that the threads also fill them.
            caption->prepareForRedrawAfterChangingWithKeyPath("text");
        });
        contexts.push_back(std::move(context));
    }

    std::vector<std::vector<QImage>> results(threadCount);
    std::vector<std::thread> threads;
    for (int i = 0; i < threadCount; ++i) {
        threads.emplace_back([&, i] {
            for (int round = 0; round < 3; ++round) {
                contexts[i]->performAndWait([&] {
                    if (round == 1)
                        captions[i]->prepareForRedrawAfterChangingWithKeyPath("rect");
                    results[i].push_back(render(captions[i], {300, 200}, 2));
                });
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int i = 0; i < threadCount; ++i) {
        for (const QImage& result : results[i])
            EXPECT_EQ(result, expected[i]) << i;
    }
}

} // namespace
