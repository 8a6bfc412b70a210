#include "model/rendering/CanvasRenderer.h"

#include "DocumentStack.h"
#include "model/entities/Drawable.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"

#include <QObject>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

using namespace pelorama::model;

namespace {

// A picture of one colour stretched over a rectangle of the canvas.
class Swatch : public QObject, public Drawable
{
public:
    Swatch(graphics::Rect rect, graphics::Color color)
        : m_rect(rect)
        , m_color(color)
    {}

    DrawableSnapshot snapshot() const override
    {
        QImage bitmap(4, 4, QImage::Format_RGBA8888_Premultiplied);
        bitmap.fill(m_color.toQColor());
        return ImageSnapshot{m_rect, FillMode::stretch, {}, PictureReference(graphics::Image(bitmap))};
    }

private:
    graphics::Rect m_rect;
    graphics::Color m_color;
};

const graphics::Color red{1, 0, 0, 1};
const graphics::Color blue{0, 0, 1, 1};

graphics::Image render(const Canvas& canvas, CanvasRenderingMode mode, graphics::Size box, double scale)
{
    CanvasRenderer renderer;
    return renderer.render(DetachedCanvas(canvas), mode, box, scale);
}

const QImage& pixels(const graphics::Image& image)
{
    return image.representations().at(0).bitmap();
}

} // namespace

TEST(CanvasRenderer, ExportsAtTheCanvasSizeExceptForTheTemplateSizes)
{
    Swatch background(graphics::Rect(0, 0, 1242, 2208), red);
    const graphics::Image full =
        render(Canvas({1242, 2208}, {&background}), CanvasRenderingMode::exportImage, {1242, 2208}, 1);
    EXPECT_EQ(full.size(), (graphics::Size{1242, 2208}));
    EXPECT_EQ(pixels(full).size(), QSize(1242, 2208));

    // An older iPhone canvas is stretched to the current template size.
    Swatch small(graphics::Rect(0, 0, 750, 1334), blue);
    const graphics::Image stretched =
        render(Canvas({750, 1334}, {&small}), CanvasRenderingMode::exportImage, {750, 1334}, 1);
    EXPECT_EQ(stretched.size(), (graphics::Size{1242, 2208}));
    ASSERT_EQ(stretched.representations().size(), 1u);
    EXPECT_EQ(pixels(stretched).size(), QSize(1242, 2208));
    EXPECT_EQ(pixelAt(pixels(stretched), 1241, 2207), QColor(Qt::blue));
    EXPECT_EQ(pixelAt(pixels(stretched), 0, 0), QColor(Qt::blue));

    // Only exact sizes match, and only when exporting.
    const graphics::Image fraction =
        render(Canvas({750, 1334.5}, {&small}), CanvasRenderingMode::exportImage, {750, 1334.5}, 1);
    EXPECT_EQ(pixels(fraction).size(), QSize(750, 1334));
    const graphics::Image view =
        render(Canvas({750, 1334}, {&small}), CanvasRenderingMode::canvasView, {750, 1334}, 1);
    EXPECT_EQ(pixels(view).size(), QSize(750, 1334));
}

TEST(CanvasRenderer, ThumbnailsAndPreviewsFitTheirBoxes)
{
    // The left half of the canvas.
    Swatch swatch(graphics::Rect(0, 0, 621, 2208), red);
    const graphics::Image thumbnail =
        render(Canvas({1242, 2208}, {&swatch}), CanvasRenderingMode::thumbnail, {150, 100}, 2);
    EXPECT_EQ(thumbnail.size(), (graphics::Size{56.25, 100}));
    EXPECT_EQ(pixels(thumbnail).size(), QSize(112, 200));
    // Drawn under the scale 112 / 1242 pixels per point: the left half is 56 pixels wide (the picture's
    // smoothed edge may reach into the next pixel).
    EXPECT_EQ(pixelAt(pixels(thumbnail), 0, 199), QColor(Qt::red));
    EXPECT_EQ(pixelAt(pixels(thumbnail), 54, 0), QColor(Qt::red));
    EXPECT_EQ(pixelAt(pixels(thumbnail), 57, 100).alpha(), 0);

    const graphics::Image preview =
        render(Canvas({2732, 2048}, {&swatch}), CanvasRenderingMode::templatePreview, {200, 200}, 2);
    EXPECT_EQ(preview.size().width, 200);
    EXPECT_NEAR(preview.size().height, 149.927, 5e-4);
    EXPECT_EQ(pixels(preview).size(), QSize(400, 299));
}

TEST(CanvasRenderer, AnEmptyCanvasIsTransparent)
{
    const graphics::Image image = render(Canvas({10, 20}, {}), CanvasRenderingMode::exportImage, {10, 20}, 1);
    ASSERT_EQ(pixels(image).size(), QSize(10, 20));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(pixels(image).pixelColor(x, y).alpha(), 0);
    }
}

TEST(CanvasRenderer, DrawablesDrawInOrderInCanvasPointsYUp)
{
    Swatch background(graphics::Rect(0, 0, 10, 10), red);
    Swatch bottomLeft(graphics::Rect(0, 0, 5, 5), blue);
    const graphics::Image image =
        render(Canvas({10, 10}, {&background, &bottomLeft}), CanvasRenderingMode::canvasView, {20, 20}, 1);
    EXPECT_EQ(pixelAt(pixels(image), 2, 2), QColor(Qt::blue));
    EXPECT_EQ(pixelAt(pixels(image), 17, 17), QColor(Qt::red));
    EXPECT_EQ(pixelAt(pixels(image), 12, 2), QColor(Qt::red));

    const graphics::Image reversed =
        render(Canvas({10, 10}, {&bottomLeft, &background}), CanvasRenderingMode::canvasView, {20, 20}, 1);
    EXPECT_EQ(pixelAt(pixels(reversed), 2, 2), QColor(Qt::red));
}

TEST(CanvasRenderer, SizesWithoutPixelsGiveAnEmptyImageAndDrawNothing)
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
            render(Canvas(each.canvas, {&swatch}), CanvasRenderingMode::exportImage, each.box, each.scale);
        EXPECT_TRUE(image.representations().empty())
            << each.canvas.width << " " << each.box.width << " " << each.scale;
    }
    const graphics::Image collapsed =
        render(Canvas({100, 50}, {&swatch}), CanvasRenderingMode::canvasView, {0, 0}, 2);
    EXPECT_EQ(collapsed.size(), (graphics::Size{0, 0}));
}

TEST(CanvasRenderer, ADestroyedDrawableIsSkipped)
{
    auto swatch = std::make_unique<Swatch>(graphics::Rect(0, 0, 4, 4), red);
    const Canvas canvas({4, 4}, {swatch.get()});
    EXPECT_EQ(canvas.drawables().size(), 1u);
    swatch.reset();
    EXPECT_TRUE(canvas.drawables().empty());
    const graphics::Image image = render(canvas, CanvasRenderingMode::exportImage, {4, 4}, 1);
    EXPECT_EQ(pixels(image).pixelColor(1, 1).alpha(), 0);
}
