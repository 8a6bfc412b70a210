#include "model/Canvas.h"

#include "DocumentStack.h"
#include "model/CanvasRenderingContext.h"
#include "model/Drawable.h"

#include <QObject>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

using namespace pelorama::model;

namespace {

// Fills a rectangle of the canvas with a colour and remembers what it was given.
class Swatch : public QObject, public Drawable
{
public:
    Swatch(graphics::Rect rect, graphics::Color color)
        : m_rect(rect)
        , m_color(color)
    {}

    void draw(const Canvas& canvas, const CanvasRenderingContext& context) override
    {
        ++calls;
        canvasSize = canvas.size();
        scaleFactor = context.scaleFactor;
        mode = context.renderingMode;
        pixelWidth = context.graphicsContext.width();
        transform = context.transform;
        context.graphicsContext.setFillColor(m_color);
        context.graphicsContext.fillRect(m_rect);
    }
    QStringList keypathsTriggeringRedraw() const override { return {}; }
    void prepareForRedrawAfterChangingWithKeyPath(const QString&) override {}
    pelorama::model::DrawableSnapshot snapshot() const override
    {
        return pelorama::model::GradientSnapshot{};
    }

    int calls = 0;
    graphics::Size canvasSize;
    double scaleFactor = 0;
    CanvasRenderingMode mode = CanvasRenderingMode::exportImage;
    int pixelWidth = 0;
    graphics::AffineTransform transform;

private:
    graphics::Rect m_rect;
    graphics::Color m_color;
};

const graphics::Color red{1, 0, 0, 1};
const graphics::Color blue{0, 0, 1, 1};

const QImage& pixels(const graphics::Image& image)
{
    return image.representations().at(0).bitmap();
}

} // namespace

TEST(Canvas, ExportsAtTheCanvasSizeExceptForTheTemplateSizes)
{
    Swatch background(graphics::Rect(0, 0, 1242, 2208), red);
    const graphics::Image full =
        Canvas({1242, 2208}, {&background}).render(CanvasRenderingMode::exportImage, {1242, 2208}, 1);
    EXPECT_EQ(full.size(), (graphics::Size{1242, 2208}));
    EXPECT_EQ(pixels(full).size(), QSize(1242, 2208));
    EXPECT_EQ(background.scaleFactor, 1);

    // An older iPhone canvas is stretched to the current template size.
    Swatch small(graphics::Rect(0, 0, 750, 1334), blue);
    const graphics::Image stretched =
        Canvas({750, 1334}, {&small}).render(CanvasRenderingMode::exportImage, {750, 1334}, 1);
    EXPECT_EQ(stretched.size(), (graphics::Size{1242, 2208}));
    ASSERT_EQ(stretched.representations().size(), 1u);
    EXPECT_EQ(pixels(stretched).size(), QSize(1242, 2208));
    EXPECT_EQ(pixelAt(pixels(stretched), 1241, 2207), QColor(Qt::blue));
    EXPECT_EQ(pixelAt(pixels(stretched), 0, 0), QColor(Qt::blue));

    // Only exact sizes match, and only when exporting.
    const graphics::Image fraction =
        Canvas({750, 1334.5}, {&small}).render(CanvasRenderingMode::exportImage, {750, 1334.5}, 1);
    EXPECT_EQ(pixels(fraction).size(), QSize(750, 1334));
    const graphics::Image view =
        Canvas({750, 1334}, {&small}).render(CanvasRenderingMode::canvasView, {750, 1334}, 1);
    EXPECT_EQ(pixels(view).size(), QSize(750, 1334));
}

TEST(Canvas, ThumbnailsAndPreviewsFitTheirBoxes)
{
    Swatch swatch(graphics::Rect(0, 0, 1242, 2208), red);
    const graphics::Image thumbnail =
        Canvas({1242, 2208}, {&swatch}).render(CanvasRenderingMode::thumbnail, {150, 100}, 2);
    EXPECT_EQ(thumbnail.size(), (graphics::Size{56.25, 100}));
    EXPECT_EQ(pixels(thumbnail).size(), QSize(112, 200));
    EXPECT_NEAR(swatch.scaleFactor, 0.0905797, 5e-8);
    EXPECT_EQ(swatch.transform, graphics::AffineTransform::scale(swatch.scaleFactor, swatch.scaleFactor));
    EXPECT_EQ(swatch.mode, CanvasRenderingMode::thumbnail);
    EXPECT_EQ(swatch.pixelWidth, 112);
    EXPECT_EQ(swatch.canvasSize, (graphics::Size{1242, 2208}));
    EXPECT_EQ(pixelAt(pixels(thumbnail), 111, 199), QColor(Qt::red));

    const graphics::Image preview =
        Canvas({2732, 2048}, {&swatch}).render(CanvasRenderingMode::templatePreview, {200, 200}, 2);
    EXPECT_EQ(preview.size().width, 200);
    EXPECT_NEAR(preview.size().height, 149.927, 5e-4);
    EXPECT_EQ(pixels(preview).size(), QSize(400, 299));
}

TEST(Canvas, AnEmptyCanvasIsTransparent)
{
    const graphics::Image image = Canvas({10, 20}, {}).render(CanvasRenderingMode::exportImage, {10, 20}, 1);
    ASSERT_EQ(pixels(image).size(), QSize(10, 20));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(pixels(image).pixelColor(x, y).alpha(), 0);
    }
}

TEST(Canvas, DrawablesDrawInOrderInCanvasPointsYUp)
{
    Swatch background(graphics::Rect(0, 0, 10, 10), red);
    Swatch bottomLeft(graphics::Rect(0, 0, 5, 5), blue);
    const graphics::Image image =
        Canvas({10, 10}, {&background, &bottomLeft}).render(CanvasRenderingMode::canvasView, {20, 20}, 1);
    EXPECT_EQ(pixelAt(pixels(image), 2, 2), QColor(Qt::blue));
    EXPECT_EQ(pixelAt(pixels(image), 17, 17), QColor(Qt::red));
    EXPECT_EQ(pixelAt(pixels(image), 12, 2), QColor(Qt::red));

    const graphics::Image reversed =
        Canvas({10, 10}, {&bottomLeft, &background}).render(CanvasRenderingMode::canvasView, {20, 20}, 1);
    EXPECT_EQ(pixelAt(pixels(reversed), 2, 2), QColor(Qt::red));
}

TEST(Canvas, SizesWithoutPixelsGiveAnEmptyImageAndDrawNothing)
{
    Swatch swatch(graphics::Rect(0, 0, 10, 10), red);
    struct Case
    {
        graphics::Size canvas;
        graphics::Size box;
        double scale;
    };
    for (const Case& each :
         {Case{{0, 0}, {100, 100}, 1}, Case{{100, 0}, {100, 100}, 1}, Case{{100, 100}, {0, 0}, 1},
          Case{{100, 100}, {100, 100}, 0}, Case{{100, 100}, {100, 100}, NAN}, Case{{NAN, 100}, {100, 100}, 1},
          Case{{100, 100}, {1e9, 1e9}, 1}, Case{{INFINITY, 100}, {100, 100}, 1},
          Case{{100, 100}, {0.4, 0.4}, 1}}) {
        const graphics::Image image =
            Canvas(each.canvas, {&swatch}).render(CanvasRenderingMode::exportImage, each.box, each.scale);
        EXPECT_TRUE(image.representations().empty())
            << each.canvas.width << " " << each.box.width << " " << each.scale;
    }
    EXPECT_EQ(swatch.calls, 0);
    const graphics::Image collapsed =
        Canvas({100, 50}, {&swatch}).render(CanvasRenderingMode::canvasView, {0, 0}, 2);
    EXPECT_EQ(collapsed.size(), (graphics::Size{0, 0}));
}

TEST(Canvas, ADestroyedDrawableIsSkipped)
{
    auto swatch = std::make_unique<Swatch>(graphics::Rect(0, 0, 4, 4), red);
    const Canvas canvas({4, 4}, {swatch.get()});
    EXPECT_EQ(canvas.drawables().size(), 1u);
    swatch.reset();
    EXPECT_TRUE(canvas.drawables().empty());
    const graphics::Image image = canvas.render(CanvasRenderingMode::exportImage, {4, 4}, 1);
    EXPECT_EQ(pixels(image).pixelColor(1, 1).alpha(), 0);
}
