#include "model/entities/Gradient.h"

#include "DocumentStack.h"
#include "foundation/KeyValueCoding.h"
#include "model/entities/StockGradient.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/GradientRasterizer.h"
#include "model/rendering/RenderResources.h"
#include "model/rendering/SnapshotDrawing.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace pelorama::model;
using Pixel = std::array<int, 4>;

namespace {

QImage rasterized(int width, int height, const graphics::Color& stop0, const graphics::Color& stop1)
{
    QImage bitmap = graphics::GraphicsContext::makeBitmap(width, height);
    graphics::GraphicsContext context(bitmap);
    fillBitmapContext(context, graphics::Gradient(stop0, stop1));
    return bitmap;
}

} // namespace

TEST(GradientRasterizer, RowsRunFromStopOneAtTheTopTowardsStopZero)
{
    const QImage bitmap = rasterized(4, 4, {0, 0, 0, 1}, {1, 1, 1, 1});
    const int greys[] = {255, 191, 127, 63};
    for (int row = 0; row < 4; ++row) {
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(bytesAt(bitmap, x, row), (Pixel{greys[row], greys[row], greys[row], 255}));
    }
    const QImage single = rasterized(3, 1, {0, 0, 0, 1}, {0.2, 0.4, 1, 1});
    EXPECT_EQ(bytesAt(single, 2, 0), (Pixel{51, 102, 255, 255}));
}

TEST(GradientRasterizer, ColoursArePremultipliedByTheirAlpha)
{
    const QImage half = rasterized(2, 2, {1, 1, 1, 0.5}, {1, 1, 1, 0.5});
    EXPECT_EQ(bytesAt(half, 0, 0), (Pixel{127, 127, 127, 127}));
    EXPECT_EQ(bytesAt(half, 1, 1), (Pixel{127, 127, 127, 127}));
    const QImage red = rasterized(1, 1, {0, 0, 0, 0}, {1, 0, 0, 0.5});
    EXPECT_EQ(bytesAt(red, 0, 0), (Pixel{127, 0, 0, 127}));
    // Transparent stays transparent whatever its colour components.
    EXPECT_EQ(bytesAt(rasterized(1, 1, {1, 1, 1, 0}, {1, 1, 1, 0}), 0, 0), (Pixel{0, 0, 0, 0}));
}

TEST(GradientRasterizer, ComponentsOutsideTheRangeAreClamped)
{
    const QImage bitmap = rasterized(1, 2, {-3, NAN, 0.5, 1}, {2, -1, INFINITY, 7});
    EXPECT_EQ(bytesAt(bitmap, 0, 0), (Pixel{255, 0, 255, 255}));
    EXPECT_EQ(bytesAt(bitmap, 0, 1), (Pixel{127, 0, 191, 255}));
}

TEST(GradientRasterizer, PaddingBeyondTheWidthIsLeftAlone)
{
    // Eight pixel rowBytes per row, six of them in the image.
    std::vector<uchar> memory(8 * 4 * 3, 0xab);
    QImage bitmap(memory.data(), 6, 3, 32, QImage::Format_RGBA8888_Premultiplied);
    {
        graphics::GraphicsContext context(bitmap);
        fillBitmapContext(context,
                          graphics::Gradient(graphics::Color{0, 0, 0, 1}, graphics::Color{0, 0, 1, 1}));
    }
    for (int row = 0; row < 3; ++row) {
        const uchar* rowBytes = memory.data() + row * 32;
        EXPECT_EQ(rowBytes[5 * 4 + 3], 255) << row;
        for (int byte = 24; byte < 32; ++byte)
            EXPECT_EQ(rowBytes[byte], 0xab) << row;
    }
    EXPECT_EQ(memory[2], 255);
    EXPECT_EQ(memory[32 * 2 + 2], 85);
}

class GradientEntity : public testing::Test
{
protected:
    DocumentStack stack = DocumentStack::inMemory();
};

TEST_F(GradientEntity, TakesItsStockGradientFromItsColours)
{
    const StockGradient* row9 = StockGradient::all()[9];
    Gradient* gradient = Gradient::insertInto(*stack.context, row9->startColor(), row9->endColor());
    EXPECT_EQ(gradient->uniqueIdentifier().size(), 36);
    EXPECT_EQ(gradient->stockGradient(), row9);
    foundation::setValueForKey(gradient, QVariant::fromValue(StockGradient::all()[4]), "stockGradient");
    EXPECT_EQ(gradient->startColor(), StockGradient::all()[4]->startColor());
    EXPECT_EQ(gradient->endColor(), StockGradient::all()[4]->endColor());
    gradient->setStartColor(graphics::Color{1, 1, 1, 1});
    EXPECT_TRUE(foundation::valueForKey(gradient, "stockGradient").isNull());
}

TEST_F(GradientEntity, DrawsOverTheWholeBitmap)
{
    Gradient* gradient = Gradient::insertInto(*stack.context, {0, 0, 0, 1}, {1, 1, 1, 1});
    QImage bitmap = graphics::GraphicsContext::makeBitmap(4, 4);
    bitmap.fill(Qt::red);
    {
        graphics::GraphicsContext context(bitmap);
        context.scale(0.5, 0.5);
        draw(std::get<GradientSnapshot>(gradient->snapshot()),
             CanvasRenderingContext{context,
                                    RenderResources::shared(),
                                    graphics::AffineTransform::scale(0.5, 0.5),
                                    0.5,
                                    CanvasRenderingMode::canvasView,
                                    {8, 8}});
    }
    EXPECT_EQ(bytesAt(bitmap, 0, 0), (Pixel{255, 255, 255, 255}));
    EXPECT_EQ(bytesAt(bitmap, 3, 3), (Pixel{63, 63, 63, 255}));
}
