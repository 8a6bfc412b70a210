#include "model/entities/TextRect.h"

#include "CaptionFixture.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

class TextRectTest : public CaptionFixture
{
protected:
    // The caption drawn alone on a transparent canvas at one pixel per point.
    static QImage render(TextRect* caption, graphics::Size canvasSize = {600, 600}, double scale = 1)
    {
        const graphics::Image image = DetachedCanvas(Canvas(canvasSize, {caption}))
                                          .render(CanvasRenderingMode::exportImage, canvasSize, scale);
        return image.representations().at(0).bitmap();
    }
};

// What a caption holds from its insertion on, as a new caption of a document stores it.
TEST_F(TextRectTest, InsertionSetsTheCaptionsDefaults)
{
    const TextRect* caption = TextRect::insertInto(*stack.context);
    EXPECT_EQ(caption->rect(), (graphics::Rect{0, 0, 0, 0}));
    EXPECT_EQ(caption->text(), "");
    EXPECT_EQ(caption->font(), graphics::Font("AvenirNext-Regular", 50));
    EXPECT_EQ(caption->color(), (graphics::Color{1, 1, 1, 1}));
    EXPECT_EQ(caption->horizontalAlignment(), graphics::TextAlignment::left);
    EXPECT_EQ(caption->verticalAlignment(), VerticalAlignment::top);
    EXPECT_EQ(caption->shadowType(), ShadowType::none);
    EXPECT_EQ(caption->shadowDepth(), 1);
    EXPECT_EQ(caption->shadowDistance(), 10);
    EXPECT_EQ(caption->shadowBlurRadius(), 10);
    EXPECT_EQ(caption->shadowColor(), (graphics::Color{0, 0, 0, 0.25}));
    EXPECT_EQ(caption->shadowAngle(), 270);
    EXPECT_EQ(caption->uniqueIdentifier().size(), 36);
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
    EXPECT_EQ(render(caption), damaged);
}

} // namespace
