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
