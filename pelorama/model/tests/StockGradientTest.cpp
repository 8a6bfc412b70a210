#include "model/entities/StockGradient.h"

#include "DocumentStack.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/GradientSwatch.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace pelorama::model;

// Themes name a stock gradient by its identifier and documents find one again by its two colours: the
// catalogue keeps each row where it is, with these calibrated colours, alpha 1.
TEST(StockGradient, HoldsTheTwentyTwoGradientsInOrder)
{
    const struct
    {
        const char* identifier;
        graphics::Color start;
        graphics::Color end;
    } rows[] = {
        {"tivel", {0.149, 0.471, 0.863, 1}, {0.067, 0.282, 0.573, 1}},
        {"orsana1", {0.776, 0.886, 0.878, 1}, {0.412, 0.698, 0.824, 1}},
        {"orsana2", {0.914, 0.631, 0.435, 1}, {0.710, 0.420, 0.278, 1}},
        {"bellin4", {0.812, 0.678, 0.600, 1}, {0.486, 0.408, 0.361, 1}},
        {"quentra1", {0.078, 0.494, 0.812, 1}, {0.141, 0.820, 0.933, 1}},
        {"lunesse", {0.263, 0.580, 0.475, 1}, {0.047, 0.220, 0.376, 1}},
        {"pardeo", {0.922, 0.290, 0.314, 1}, {0.776, 0.169, 0.184, 1}},
        {"veskan", {0.224, 0.616, 0.765, 1}, {0.118, 0.373, 0.580, 1}},
        {"quentra2", {0.749, 0.282, 0.667, 1}, {0.282, 0.451, 0.984, 1}},
        {"amberine", {0.592, 0.592, 0.592, 1}, {0.369, 0.369, 0.369, 1}},
        {"fernal", {0.894, 0.231, 0.173, 1}, {0.988, 0.329, 0.259, 1}},
        {"corvane", {0.996, 0.588, 0.275, 1}, {0.988, 0.322, 0.420, 1}},
        {"fiorel", {0.655, 0.494, 0.388, 1}, {0.886, 0.800, 0.733, 1}},
        {"tasmir2", {0.173, 0.141, 0.302, 1}, {0.345, 0.314, 0.471, 1}},
        {"ondrel", {0.725, 0.651, 0.671, 1}, {0.561, 0.349, 0.227, 1}},
        {"pemberl", {0.988, 0.871, 0.220, 1}, {0.933, 0.718, 0.184, 1}},
        {"marlit1", {0.706, 0.925, 0.318, 1}, {0.263, 0.580, 0.133, 1}},
        {"marlit2", {0.980, 0.851, 0.380, 1}, {0.969, 0.424, 0.114, 1}},
        {"marlit3", {0.961, 0.318, 0.373, 1}, {0.627, 0.016, 0.110, 1}},
        {"marlit4", {0.216, 0.149, 0.690, 1}, {0.773, 0.424, 0.843, 1}},
        {"quillory", {0.255, 0.361, 0.573, 1}, {0.118, 0.212, 0.404, 1}},
        {"tornesk", {0.080, 0.530, 0.790, 1}, {0.000, 0.020, 0.180, 1}},
    };
    const auto& all = StockGradient::all();
    ASSERT_EQ(all.size(), std::size(rows));
    for (std::size_t index = 0; index < all.size(); ++index) {
        EXPECT_EQ(all[index]->identifier(), QLatin1String(rows[index].identifier)) << index;
        EXPECT_EQ(all[index]->startColor(), rows[index].start) << rows[index].identifier;
        EXPECT_EQ(all[index]->endColor(), rows[index].end) << rows[index].identifier;
    }
    EXPECT_EQ(&StockGradient::all(), &all) << "built once";
}

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
