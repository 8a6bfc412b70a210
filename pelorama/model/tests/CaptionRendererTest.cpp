#include "model/rendering/CaptionRenderer.h"

#include "CaptionFixture.h"
#include "graphics/GraphicsContext.h"
#include "model/entities/TextRect.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/RenderResources.h"
#include "model/rendering/TextMaskCache.h"
#include "model/rendering/TextRendering.h"

#include <QCoreApplication>
#include <QImage>
#include <QUndoStack>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

using namespace pelorama::model;

namespace {

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

class CaptionRendererTest : public CaptionFixture
{
protected:
    // A caption with a directional shadow, so that drawing makes its mask too.
    static TextRect* makeCaptionIn(store::ManagedObjectContext& context, const QString& text)
    {
        TextRect* caption = TextRect::insertInto(context, {10, 10, 280, 180}, text,
                                                 graphics::TextAlignment::center, VerticalAlignment::center);
        caption->setFont(graphics::Font(QStringLiteral("AvenirNext-Regular"), 30));
        caption->setShadowType(ShadowType::directional);
        return caption;
    }

    // The caption drawn alone on a transparent canvas of canvasSize at scale pixels per point, by
    // renderer.
    static QImage render(CaptionRenderer& renderer, const CaptionSnapshot& caption,
                         graphics::Size canvasSize = {600, 600}, double scale = 1)
    {
        QImage bitmap = graphics::GraphicsContext::makeBitmap(int(canvasSize.width * scale),
                                                              int(canvasSize.height * scale));
        graphics::GraphicsContext context(bitmap);
        const graphics::AffineTransform transform = graphics::AffineTransform::scale(scale, scale);
        context.concatenate(transform);
        renderer.draw(caption, {context, RenderResources::shared(), transform, scale,
                                CanvasRenderingMode::exportImage, canvasSize});
        return bitmap;
    }

    // A snapshot of the caption taken now, drawn by the fixture's renderer, which keeps what it made from
    // one render to the next as the canvas view's does.
    QImage render(const TextRect* caption, graphics::Size canvasSize = {600, 600}, double scale = 1)
    {
        return render(renderer, CaptionSnapshot::of(*caption), canvasSize, scale);
    }

    // The same by a renderer that has drawn nothing before.
    static QImage renderAfresh(const TextRect* caption, graphics::Size canvasSize = {600, 600},
                               double scale = 1)
    {
        CaptionRenderer fresh;
        return render(fresh, CaptionSnapshot::of(*caption), canvasSize, scale);
    }

    std::shared_ptr<const graphics::AttributedString> styledText(const TextRect* caption)
    {
        return renderer.styledText(CaptionSnapshot::of(*caption).style);
    }

    std::optional<TextMask> mask(const TextRect* caption)
    {
        const CaptionSnapshot snapshot = CaptionSnapshot::of(*caption);
        return renderer.mask(snapshot.style, snapshot.rect.width(), RenderResources::shared().textMasks());
    }

    CaptionRenderer renderer;
};

// A change of one input of a caption, and which of the renderer's products it keeps.
struct Change
{
    const char* name;
    void (*apply)(CaptionSnapshot&);
    bool keepsStyledText;
    // And with it the mask, which is drawn from the layout.
    bool keepsLayout;
};

class CaptionRendererCaches : public CaptionRendererTest, public testing::WithParamInterface<Change>
{
};

TEST_P(CaptionRendererCaches, ReuseWhatTheCaptionsInputsStillSelect)
{
    CaptionSnapshot caption = CaptionSnapshot::of(*makeCaption("Hello **world**", {10, 10, 200, 100}));
    caption.shadow.type = ShadowType::directional;
    render(renderer, caption);
    const auto styled = renderer.styledText(caption.style);
    const auto layout = renderer.layout(caption.style, caption.rect.width());
    const std::optional<TextMask> ink =
        renderer.mask(caption.style, caption.rect.width(), RenderResources::shared().textMasks());
    ASSERT_TRUE(ink);

    CaptionSnapshot changed = caption;
    GetParam().apply(changed);
    ASSERT_NE(changed, caption);
    const QImage drawn = render(renderer, changed);
    EXPECT_EQ(renderer.styledText(changed.style) == styled, GetParam().keepsStyledText);
    EXPECT_EQ(renderer.layout(changed.style, changed.rect.width()) == layout, GetParam().keepsLayout);
    EXPECT_EQ(
        renderer.mask(changed.style, changed.rect.width(), RenderResources::shared().textMasks())->image ==
            ink->image,
        GetParam().keepsLayout);
    // Whatever was reused, the picture is the one a renderer that never drew the caption makes.
    CaptionRenderer fresh;
    EXPECT_EQ(drawn, render(fresh, changed));

    // Changed back, the caption finds what it had.
    render(renderer, caption);
    EXPECT_EQ(renderer.styledText(caption.style), styled);
    EXPECT_EQ(renderer.layout(caption.style, caption.rect.width()), layout);
}

INSTANTIATE_TEST_SUITE_P(
    CaptionRenderer, CaptionRendererCaches,
    testing::Values(
        Change{"Text", [](CaptionSnapshot& c) { c.style.text = "Hello **there**"; }, false, false},
        Change{"Font", [](CaptionSnapshot& c) { c.style.font = graphics::Font(QStringLiteral("Inter"), 30); },
               false, false},
        Change{"Color",
               [](CaptionSnapshot& c) {
                   c.style.color = {1, 0, 0, 1};
               },
               false, false},
        Change{"HorizontalAlignment",
               [](CaptionSnapshot& c) { c.style.alignment = graphics::TextAlignment::right; }, false, false},
        Change{"Width", [](CaptionSnapshot& c) { c.rect.size.width = 150; }, true, false},
        Change{"Position",
               [](CaptionSnapshot& c) {
                   c.rect.origin = {40, 60};
               },
               true, true},
        Change{"Height", [](CaptionSnapshot& c) { c.rect.size.height = 300; }, true, true},
        Change{"VerticalAlignment",
               [](CaptionSnapshot& c) { c.verticalAlignment = VerticalAlignment::bottom; }, true, true},
        Change{"ShadowAngle", [](CaptionSnapshot& c) { c.shadow.angle = 300; }, true, true},
        Change{"ShadowDepth", [](CaptionSnapshot& c) { c.shadow.depth = 0.3; }, true, true},
        Change{"ShadowColor",
               [](CaptionSnapshot& c) {
                   c.shadow.color = {0, 0, 1, 1};
               },
               true, true},
        Change{"ShadowType", [](CaptionSnapshot& c) { c.shadow.type = ShadowType::drop; }, true, true}),
    [](const testing::TestParamInfo<Change>& info) { return std::string(info.param.name); });

TEST_F(CaptionRendererTest, DrawingFollowsEveryChangeWhetherOrNotAnyoneReportsIt)
{
    QUndoStack undo;
    stack.context->setUndoStack(&undo);
    TextRect* caption = makeCaptionIn(*stack.context, "Old");
    QCoreApplication::processEvents();
    const QImage old = render(caption);
    ASSERT_GT(totalAlpha(old), 0);

    // Nothing tells the renderer of these changes; each render's snapshot holds them.
    const auto drawnAsAFreshCaption = [&](const std::string& why) {
        DocumentStack other = DocumentStack::inMemory();
        TextRect* fresh = makeCaptionIn(*other.context, caption->text());
        fresh->setRect(caption->rect());
        fresh->setFont(caption->font());
        fresh->setColor(caption->color());
        fresh->setHorizontalAlignment(caption->horizontalAlignment());
        EXPECT_EQ(render(caption), renderAfresh(fresh)) << why;
    };
    caption->setText("New");
    QCoreApplication::processEvents();
    EXPECT_NE(render(caption), old);
    EXPECT_EQ(styledText(caption)->string(), "New");
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

TEST_F(CaptionRendererTest, RenderersShareMasksWithinABoundedCache)
{
    TextRect* caption = makeCaption("Shared **mask**", {10, 10, 220, 100});
    caption->setShadowType(ShadowType::directional);
    render(caption);
    CaptionRenderer other;
    const CaptionSnapshot snapshot = CaptionSnapshot::of(*caption);
    const std::optional<TextMask> mine = mask(caption);
    const std::optional<TextMask> theirs =
        other.mask(snapshot.style, snapshot.rect.width(), RenderResources::shared().textMasks());
    ASSERT_TRUE(mine && theirs);
    EXPECT_EQ(mine->image, theirs->image);

    // A cache with room for about two masks of one line keeps the two used last.
    const auto styleOf = [&](const QString& text) {
        CaptionStyle style = snapshot.style;
        style.text = text;
        return style;
    };
    const double width = snapshot.rect.width();
    const std::optional<TextMask> oneLine = TextMask::draw(*other.layout(styleOf("One"), width), width);
    ASSERT_TRUE(oneLine && oneLine->image);
    TextMaskCache cache(std::size_t(oneLine->image->representations().at(0).bytesPerPlane()) * 5 / 2);
    int draws = 0;
    const auto maskOf = [&](const QString& text) {
        const CaptionStyle style = styleOf(text);
        return cache.mask(style, width, [&] {
            ++draws;
            return TextMask::draw(*other.layout(style, width), width);
        });
    };
    const auto first = maskOf("One");
    maskOf("Two");
    EXPECT_EQ(maskOf("One")->image, first->image);
    EXPECT_EQ(draws, 2);
    maskOf("Three");
    EXPECT_EQ(cache.count(), 2u);
    // "Two" was used least recently and went; "One" is still served as it was.
    EXPECT_EQ(maskOf("One")->image, first->image);
    EXPECT_EQ(draws, 3);
    maskOf("Two");
    EXPECT_EQ(draws, 4);

    // A mask too large for a bitmap is not kept, and asked for again is tried again.
    CaptionStyle huge = snapshot.style;
    EXPECT_FALSE(cache.mask(huge, 1e12, [&] {
        ++draws;
        return TextMask::draw(*other.layout(huge, 1e12), 1e12);
    }));
    EXPECT_FALSE(cache.mask(huge, 1e12, [&] {
        ++draws;
        return std::optional<TextMask>();
    }));
    EXPECT_EQ(draws, 6);
    EXPECT_EQ(cache.count(), 2u);
}

// A caption is laid out once per change of what it shows: renders after other changes (a shadow's angle
// being dragged, the caption moved) draw the same layout, in any script. The setup installs DejaVu Sans,
// which covers Hebrew and Arabic; scripts no installed font covers are not assumed here.
TEST_F(CaptionRendererTest, RendersThatChangeNothingOfTheTextLayItOutNoMore)
{
    const auto layoutOf = [&](const TextRect* caption) {
        const CaptionSnapshot snapshot = CaptionSnapshot::of(*caption);
        return renderer.layout(snapshot.style, snapshot.rect.width());
    };
    for (const QString& text :
         {QStringLiteral("Plan **your** week in seconds"), QStringLiteral("תכננו את **השבוע** בשניות"),
          QStringLiteral("خطط **لأسبوعك** في ثوانٍ")}) {
        SCOPED_TRACE(text.toStdString());
        TextRect* caption = makeCaption(text, {20, 300, 300, 200});
        caption->setShadowType(ShadowType::drop);
        render(caption);
        const auto layout = layoutOf(caption);
        ASSERT_NE(layout, nullptr);
        EXPECT_GE(layout->lineCount(), 2);

        caption->setShadowAngle(300);
        render(caption);
        EXPECT_EQ(layoutOf(caption), layout);

        // Moved, the caption draws the same lines at its new place.
        caption->setRect({60, 250, 300, 200});
        const QImage moved = render(caption);
        EXPECT_EQ(layoutOf(caption), layout);
        TextRect* fresh = makeCaption(text, {60, 250, 300, 200});
        fresh->setShadowType(ShadowType::drop);
        fresh->setShadowAngle(300);
        EXPECT_EQ(moved, renderAfresh(fresh));

        // Another width, other lines.
        caption->setRect({60, 250, 1000, 200});
        render(caption);
        ASSERT_NE(layoutOf(caption), layout);
        EXPECT_EQ(layoutOf(caption)->lineCount(), 1);
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

TEST_F(CaptionRendererTest, DrawsItsLinesWhereTheVerticalAlignmentPutsThem)
{
    const graphics::Rect rect(50, 100, 400, 300);
    for (const VerticalAlignment alignment :
         {VerticalAlignment::top, VerticalAlignment::center, VerticalAlignment::bottom}) {
        TextRect* caption = makeCaption("Hello", rect, alignment);
        const QRect ink = inkBounds(render(caption));
        const double height = captionTextHeight(*styledText(caption), rect.width());
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

TEST_F(CaptionRendererTest, LinesAlignHorizontallyWithinTheRectanglesWidth)
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

TEST_F(CaptionRendererTest, MarkupDrawsBoldAndColouredRunsWithoutItsCharacters)
{
    const graphics::Rect rect(20, 20, 560, 200);
    TextRect* plain = makeCaption("Wide Wide", rect);
    TextRect* bold = makeCaption("**Wide Wide**", rect);
    EXPECT_GT(totalAlpha(render(bold)), totalAlpha(render(plain)) * 1.05);
    EXPECT_EQ(styledText(bold)->string(), "Wide Wide");
    const graphics::Font boldFont = *styledText(bold)->attributesAt(0).font;
    EXPECT_EQ(boldFont, bold->font().heavier());
    EXPECT_NE(boldFont, bold->font());

    // White text with a red word: the left of the ink is white, the right red.
    TextRect* coloured = makeCaption("Wide {#f00|Wide}", rect);
    const QImage pixels = render(coloured);
    EXPECT_EQ(styledText(coloured)->string(), "Wide Wide");
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

TEST_F(CaptionRendererTest, AnUnknownFontDrawsInTheSystemFont)
{
    TextRect* unknown = makeCaption("Hello", {20, 20, 400, 200});
    unknown->setFont(graphics::Font(QStringLiteral("NoSuchFace-Regular"), 40));
    TextRect* system = makeCaption("Hello", {20, 20, 400, 200});
    system->setFont(graphics::Font::systemFont(40));
    EXPECT_EQ(render(unknown), render(system));
    EXPECT_EQ(unknown->font().postScriptName(), "NoSuchFace-Regular");
}

// A value the store lacks, or holds in a form that cannot be read, draws as a new caption's.
TEST_F(CaptionRendererTest, AMissingValueDrawsAsANewCaptionsValue)
{
    for (const ShadowType type : {ShadowType::drop, ShadowType::directional}) {
        for (const char* key : {"font", "color", "shadowColor", "shadowAngle", "shadowDepth",
                                "shadowDistance", "shadowBlurRadius"}) {
            SCOPED_TRACE(key);
            TextRect* caption = TextRect::insertInto(*stack.context, {20, 150, 500, 300}, "Hello",
                                                     graphics::TextAlignment::left, VerticalAlignment::top);
            caption->setShadowType(type);
            const QImage fresh = render(caption);
            caption->setPrimitiveValue(QVariant(), key);
            EXPECT_EQ(render(caption), fresh);
            caption->setPrimitiveValue(QStringLiteral("unreadable"), key);
            EXPECT_EQ(render(caption), fresh);
        }
    }
}

TEST_F(CaptionRendererTest, EmptyTextDrawsNothingAndItsMaskHoldsNoInk)
{
    TextRect* caption = makeCaption("", {20, 20, 100.5, 50});
    caption->setShadowType(ShadowType::directional);
    EXPECT_TRUE(inkBounds(render(caption)).isEmpty());
    const std::optional<TextMask> ink = mask(caption);
    ASSERT_TRUE(ink && ink->image);
    EXPECT_EQ(ink->size, (graphics::Size{105, 4}));
    EXPECT_EQ(totalAlpha(ink->image->representations().at(0).bitmap()), 0);
}

TEST_F(CaptionRendererTest, TheMaskIsTheCaptionsInkWithATwoPointMarginAtOnePixelPerPoint)
{
    // Bottom alignment puts the text box on whole pixels, so the mask and the canvas rasterise alike.
    const graphics::Rect rect(40, 30, 250.3, 200);
    TextRect* caption = makeCaption("Hello {#0f0|there}", rect, VerticalAlignment::bottom);
    caption->setShadowType(ShadowType::directional);
    caption->setShadowColor(graphics::Color{0, 0, 0, 0});
    const QImage canvas = render(caption, {600, 600}, 1);

    const double height = captionTextHeight(*styledText(caption), rect.width());
    const std::optional<TextMask> drawn = mask(caption);
    ASSERT_TRUE(drawn && drawn->image);
    const graphics::Size size = drawn->size;
    EXPECT_EQ(size, (graphics::Size{std::ceil(250.3) + 4, std::ceil(height) + 4}));
    EXPECT_EQ(drawn->image->size(), size);
    const QImage maskPixels = drawn->image->representations().at(0).bitmap();
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
    // The mask keeps one pixel per point whatever the render scale: first drawn at three pixels per point,
    // a caption of another width makes a mask of its width in points.
    caption->setRect({40, 30, 180.6, 200});
    render(caption, {600, 600}, 3);
    const std::optional<TextMask> scaled = mask(caption);
    ASSERT_TRUE(scaled && scaled->image);
    const double scaledHeight = captionTextHeight(*styledText(caption), 180.6);
    EXPECT_EQ(scaled->size, (graphics::Size{std::ceil(180.6) + 4, std::ceil(scaledHeight) + 4}));
    EXPECT_EQ(scaled->image->representations().at(0).bitmap().size(),
              QSize(int(scaled->size.width), int(scaled->size.height)));
}

TEST_F(CaptionRendererTest, AMaskTooLargeForABitmapIsLeftOut)
{
    TextRect* caption = makeCaption("Hello", {0, 0, 1e12, 100});
    caption->setShadowType(ShadowType::directional);
    caption->setShadowColor(graphics::Color{0, 0, 0, 1});
    EXPECT_FALSE(inkBounds(render(caption)).isEmpty());
    EXPECT_FALSE(mask(caption));
}

TEST_F(CaptionRendererTest, ADropShadowFallsAlongItsAngleAtTheRenderScale)
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

TEST_F(CaptionRendererTest, ADirectionalShadowIsCastFromTheMaskAlongTheAngle)
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

// Snapshots are plain values: renderers of their own draw them on any threads at once, sharing the masks
// (the texts are this test's own, so the threads also make them).
TEST_F(CaptionRendererTest, SnapshotsDrawConcurrentlyOnAnyThread)
{
    constexpr int threadCount = 4;
    const QStringList texts{"One **bold** at once", "{#f00|Two} red at once", "Three //it// at once",
                            "Four `mono` at once"};
    std::vector<CaptionSnapshot> captions;
    for (const QString& text : texts)
        captions.push_back(CaptionSnapshot::of(*makeCaptionIn(*stack.context, text)));

    std::vector<std::vector<QImage>> results(threadCount);
    std::vector<std::thread> threads;
    threads.reserve(threadCount);
    for (int i = 0; i < threadCount; ++i) {
        threads.emplace_back([&, i] {
            CaptionRenderer own;
            for (int round = 0; round < 3; ++round) {
                for (int k = 0; k < threadCount; ++k)
                    results[i].push_back(render(own, captions[(i + k) % threadCount], {300, 200}, 2));
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int i = 0; i < threadCount; ++i) {
        for (std::size_t n = 0; n < results[i].size(); ++n) {
            CaptionRenderer fresh;
            const CaptionSnapshot& caption = captions[(i + n) % threadCount];
            EXPECT_EQ(results[i][n], render(fresh, caption, {300, 200}, 2)) << i << " " << n;
        }
    }
}

} // namespace
