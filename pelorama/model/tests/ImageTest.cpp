#include "model/entities/Image.h"

#include "DocumentStack.h"
#include "TestPictures.h"
#include "graphics/GraphicsContext.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/StyleKit.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

// 40 x 20 pixels: red, green and blue stripes of 10, 20 and 10 pixels from left to right.
graphics::Image stripes()
{
    QImage bitmap(40, 20, QImage::Format_RGBA8888_Premultiplied);
    QPainter painter(&bitmap);
    painter.fillRect(0, 0, 10, 20, Qt::red);
    painter.fillRect(10, 0, 20, 20, Qt::green);
    painter.fillRect(30, 0, 10, 20, Qt::blue);
    painter.end();
    return graphics::Image(bitmap);
}

// A 20 x 20 picture, opaque only in its middle 10 x 10.
graphics::Image framedBlock()
{
    QImage bitmap(20, 20, QImage::Format_RGBA8888_Premultiplied);
    bitmap.fill(Qt::transparent);
    QPainter painter(&bitmap);
    painter.fillRect(5, 5, 10, 10, Qt::white);
    painter.end();
    return graphics::Image(bitmap);
}

QImage render(Image* image, graphics::Size canvasSize, double scale = 1,
              CanvasRenderingMode mode = CanvasRenderingMode::exportImage)
{
    const graphics::Image rendered =
        DetachedCanvas(Canvas(canvasSize, {image})).render(mode, canvasSize, scale);
    return rendered.isEmpty() ? QImage() : rendered.representations().front().bitmap();
}

} // namespace

class ImageTest : public testing::Test
{
protected:
    DocumentStack stack = DocumentStack::inMemory();
};

TEST_F(ImageTest, EachFillModePlacesThePictureAndPicksItsPart)
{
    Image* image = Image::insertInto(*stack.context, std::nullopt, {0, 0, 100, 100}, FillMode::stretch);
    const graphics::Size picture{400, 200};

    const auto placement = [&](graphics::Size size) {
        return std::get<ImageSnapshot>(image->snapshot()).placement(size);
    };
    std::optional<ImageSnapshot::Placement> placed = placement(picture);
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->destination, (graphics::Rect{0, 0, 100, 100}));
    EXPECT_EQ(placed->source, graphics::Rect::zero());

    image->setFillMode(FillMode::aspectFit);
    placed = placement(picture);
    EXPECT_EQ(placed->destination, (graphics::Rect{0, 25, 100, 50}));
    EXPECT_EQ(placed->source, graphics::Rect::zero());

    image->setFillMode(FillMode::aspectFill);
    placed = placement(picture);
    EXPECT_EQ(placed->destination, (graphics::Rect{0, 0, 100, 100}));
    EXPECT_EQ(placed->source, (graphics::Rect{100, 0, 200, 200}));

    EXPECT_FALSE(placement({0, 200}));
    image->setRect({10, 10, 0, 50});
    EXPECT_FALSE(placement(picture));
}

TEST_F(ImageTest, TheFillModeDecidesWhichPixelsArePainted)
{
    Image* image = Image::insertInto(*stack.context, stripes(), {0, 0, 20, 20}, FillMode::stretch);
    QImage out = render(image, {20, 20});
    EXPECT_EQ(pixelAt(out, 2, 10), QColor(Qt::red));
    EXPECT_EQ(pixelAt(out, 10, 10), QColor(Qt::green));
    EXPECT_EQ(pixelAt(out, 18, 10), QColor(Qt::blue));

    image->setFillMode(FillMode::aspectFit);
    out = render(image, {20, 20});
    EXPECT_EQ(pixelAt(out, 10, 2).alpha(), 0);
    EXPECT_EQ(pixelAt(out, 10, 17).alpha(), 0);
    EXPECT_EQ(pixelAt(out, 2, 10), QColor(Qt::red));

    // The centred square of the picture is all green.
    image->setFillMode(FillMode::aspectFill);
    out = render(image, {20, 20});
    EXPECT_EQ(pixelAt(out, 1, 10), QColor(Qt::green));
    EXPECT_EQ(pixelAt(out, 18, 10), QColor(Qt::green));
}

TEST_F(ImageTest, ARectangleWithoutAreaDrawsNothing)
{
    Image* image = Image::insertInto(*stack.context, stripes(), {5, 5, 0, 10}, FillMode::aspectFit);
    image->setShadowType(ShadowType::directional);
    const QImage out = render(image, {20, 20});
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x)
            ASSERT_EQ(out.pixelColor(x, y).alpha(), 0) << x << ", " << y;
    }
}

TEST_F(ImageTest, ADropShadowFallsBelowThePicture)
{
    Image* image = Image::insertInto(*stack.context, framedBlock(), {10, 20, 20, 20}, FillMode::stretch);
    image->setShadowType(ShadowType::drop);
    image->setShadowBlurRadius(0);
    image->setShadowColor(graphics::Color{1, 0, 0, 1});
    const QImage out = render(image, {40, 40}, 2);
    // The opaque middle covers canvas x 15...25, y 25...35; the shadow lies 10 points lower.
    EXPECT_EQ(pixelAt(out, 40, 40), QColor(Qt::red));
    EXPECT_EQ(pixelAt(out, 40, 60), QColor(Qt::white));
    EXPECT_EQ(pixelAt(out, 40, 20).alpha(), 0);
}

TEST_F(ImageTest, ADirectionalShadowIsAFractionOfTheCanvasDiagonalAtEveryScale)
{
    // A 30 x 40 canvas has a diagonal of 50, so depth 0.2 makes a band 10 points long.
    Image* image = Image::insertInto(*stack.context, framedBlock(), {5, 15, 20, 20}, FillMode::stretch);
    image->setShadowType(ShadowType::directional);
    image->setShadowDepth(0.2);
    image->setShadowAngle(270);
    image->setShadowColor(graphics::Color{1, 0, 0, 1});
    for (const double scale : {1.0, 2.0}) {
        const QImage out = render(image, {30, 40}, scale);
        const auto at = [&](double x, double y) {
            return pixelAt(out, int(x * scale), int(y * scale));
        };
        // The block's outline spans x 10...20 and y 21...30 (the traced outline sits on pixel corners).
        EXPECT_EQ(at(15, 15), QColor(Qt::red)) << "scale " << scale;
        EXPECT_EQ(at(15, 25), QColor(Qt::white)) << "scale " << scale;
        EXPECT_EQ(at(15, 9).alpha(), 0) << "scale " << scale;
        EXPECT_EQ(at(23, 15).alpha(), 0) << "scale " << scale;
    }
}

TEST_F(ImageTest, AnAspectFilledPictureCastsFromItsShownPartOnly)
{
    // The picture is 40 x 20 with an opaque block at x 5...35; shown aspect-filled in a square, its middle
    // 20 x 20 fills the rect, and the band cast to the left starts at the rect's left edge.
    QImage bitmap(40, 20, QImage::Format_RGBA8888_Premultiplied);
    bitmap.fill(Qt::transparent);
    QPainter painter(&bitmap);
    painter.fillRect(5, 0, 30, 20, Qt::white);
    painter.end();
    Image* image =
        Image::insertInto(*stack.context, graphics::Image(bitmap), {20, 0, 20, 20}, FillMode::aspectFill);
    image->setShadowType(ShadowType::directional);
    image->setShadowAngle(180);
    image->setShadowDepth(10 / std::sqrt(40.0 * 40 + 20 * 20));
    image->setShadowColor(graphics::Color{1, 0, 0, 1});
    const QImage out = render(image, {40, 20});
    EXPECT_EQ(pixelAt(out, 15, 10), QColor(Qt::red));
    EXPECT_EQ(pixelAt(out, 25, 10), QColor(Qt::white));
    EXPECT_EQ(pixelAt(out, 5, 10).alpha(), 0);
}

TEST_F(ImageTest, WithoutAPictureEachModeDrawsItsPlaceholderInBitmapPixels)
{
    Image* image = Image::insertInto(*stack.context, std::nullopt, {10, 20, 100, 50}, FillMode::stretch);
    const graphics::Size canvas{1000, 500};
    const auto expected = [](void (*draw)(graphics::GraphicsContext&, const graphics::Rect&)) {
        QImage bitmap = graphics::GraphicsContext::makeBitmap(2000, 1000);
        graphics::GraphicsContext context(bitmap);
        draw(context, {20, 40, 200, 100});
        return bitmap;
    };
    const auto renderedAt2000 = [&](CanvasRenderingMode mode) {
        return DetachedCanvas(Canvas(canvas, {image}))
            .render(mode, {2000, 1000}, 1)
            .representations()
            .front()
            .bitmap();
    };
    EXPECT_EQ(renderedAt2000(CanvasRenderingMode::canvasView), expected(&StyleKit::drawImagePlaceholder));
    EXPECT_EQ(renderedAt2000(CanvasRenderingMode::templatePreview), expected(&StyleKit::drawEmptyBox));
    const QImage blank = graphics::GraphicsContext::makeBitmap(2000, 1000);
    EXPECT_EQ(renderedAt2000(CanvasRenderingMode::exportImage), blank);
    EXPECT_EQ(renderedAt2000(CanvasRenderingMode::thumbnail), blank);
}
