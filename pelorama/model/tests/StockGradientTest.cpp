#include "model/entities/StockGradient.h"

#include "DocumentStack.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/GradientSwatch.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace pelorama::model;

TEST(StockGradient, LooksUpByExactIdentifierAndByColours)
{
    // Every row is found by its own identifier, so none is shadowed by another.
    for (const StockGradient* gradient : StockGradient::all())
        EXPECT_EQ(StockGradient::withIdentifier(gradient->identifier()), gradient);
    EXPECT_EQ(StockGradient::withIdentifier("Marlit3"), nullptr);
    EXPECT_EQ(StockGradient::withIdentifier(""), nullptr);
    const StockGradient* row7 = StockGradient::all()[7];
    EXPECT_EQ(StockGradient::matching(row7->startColor(), row7->endColor()), row7);
    EXPECT_EQ(StockGradient::matching(row7->endColor(), row7->startColor()), nullptr);
    graphics::Color device = row7->startColor();
    device.space = graphics::ColorSpace::deviceRGB;
    EXPECT_EQ(StockGradient::matching(device, row7->endColor()), nullptr);
}

TEST(StockGradient, ColoursFoundAgainAfterASaveAndReopen)
{
    QTemporaryDir directory;
    const QString path = directory.filePath("persistentStore");
    for (int row : {0, 9, 21}) {
        {
            auto stack = DocumentStack::sqlite(path);
            const auto old = stack.context->execute(Screenshot::fetchRequest());
            ASSERT_TRUE(old);
            for (store::ManagedObject* screenshot : *old)
                stack.context->deleteObject(screenshot);
            Screenshot* screenshot = Screenshot::insertInto(*stack.context);
            screenshot->setStockGradient(StockGradient::all()[std::size_t(row)]);
            testing::internal::CaptureStdout();
            ASSERT_TRUE(stack.context->save());
            testing::internal::GetCapturedStdout();
        }
        auto stack = DocumentStack::sqlite(path);
        const auto screenshots = stack.context->execute(Screenshot::fetchRequest());
        ASSERT_EQ(screenshots->size(), 1);
        EXPECT_EQ(dynamic_cast<Screenshot*>(screenshots->first())->stockGradient(),
                  StockGradient::all()[std::size_t(row)]);
    }
}

TEST(StockGradient, RendersASwatchAtTwoPixelsPerPoint)
{
    const StockGradient* gradient = StockGradient::all()[0];
    const graphics::Image image = renderGradientSwatch(gradient->gradient(), {30, 20}, 2);
    EXPECT_EQ(image.size(), (graphics::Size{30, 20}));
    ASSERT_EQ(image.representations().size(), 1u);
    EXPECT_EQ(image.representations()[0].pixelsWide(), 60);
    EXPECT_EQ(image.representations()[0].pixelsHigh(), 40);
    EXPECT_EQ(image.representations()[0].size(), (graphics::Size{30, 20}));

    const graphics::Image fractional = renderGradientSwatch(gradient->gradient(), {30.9, 20.9}, 2);
    EXPECT_EQ(fractional.size(), (graphics::Size{30.9, 20.9}));
    EXPECT_EQ(fractional.representations()[0].pixelsWide(), 60);
    EXPECT_EQ(fractional.representations()[0].pixelsHigh(), 40);

    for (graphics::Size nothing : {graphics::Size{0, 20}, graphics::Size{0.5, 0.5}, graphics::Size{NAN, 20},
                                   graphics::Size{1e12, 20}, graphics::Size{-30, 20}}) {
        EXPECT_TRUE(renderGradientSwatch(gradient->gradient(), nothing, 2).representations().empty());
    }
}

TEST(StockGradient, TheSwatchRunsFromStartAtTheTopToEndAtTheBottomWithADarkRim)
{
    const StockGradient* gradient = StockGradient::all()[4];
    QImage bitmap = graphics::GraphicsContext::makeBitmap(30, 30);
    {
        graphics::GraphicsContext context(bitmap);
        drawGradientSwatch(context, gradient->gradient(), graphics::Rect(0, 0, 30, 30));
    }
    const auto near = [](const QColor& pixel, const graphics::Color& color, double tolerance) {
        return std::abs(pixel.redF() - color.red) < tolerance &&
               std::abs(pixel.greenF() - color.green) < tolerance &&
               std::abs(pixel.blueF() - color.blue) < tolerance;
    };
    // y-up: row 28 lies just inside the top rim, row 1 just inside the bottom one.
    EXPECT_TRUE(near(pixelAt(bitmap, 15, 27), gradient->startColor(), 0.08));
    EXPECT_TRUE(near(pixelAt(bitmap, 15, 2), gradient->endColor(), 0.08));
    // The rim: a quarter black over the gradient, one point wide.
    const QColor rim = pixelAt(bitmap, 15, 29);
    EXPECT_LT(rim.greenF(), pixelAt(bitmap, 15, 27).greenF() * 0.85);
    EXPECT_EQ(pixelAt(bitmap, 0, 0).alpha(), 0); // outside the rounded corner
}
