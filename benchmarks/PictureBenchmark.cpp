#include "geometry/PathBoolean.h"
#include "graphics/GraphicsContext.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/Image.h"
#include "model/imaging/ChangContourDetector.h"
#include "model/imaging/DirectionalShadow.h"
#include "model/imaging/FlatShadowCaster.h"
#include "model/imaging/OutlineOrientation.h"
#include "model/rendering/AspectFit.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/CanvasRenderer.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/RenderResources.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <benchmark/benchmark.h>
#include <cmath>

// Contour tracing, directional shadows and image rendering on a picture like a device frame: a rounded
// body with a transparent surround, a transparent screen, a camera hole and side buttons.

using namespace pelorama::model;

namespace {

constexpr int frameWidth = 4000;
constexpr int frameHeight = 2300;

QImage framePixels()
{
    QImage bitmap(frameWidth, frameHeight, QImage::Format_RGBA8888_Premultiplied);
    bitmap.fill(Qt::transparent);
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath body;
    body.addRoundedRect(QRectF(60, 60, frameWidth - 120, frameHeight - 120), 260, 260);
    QPainterPath screen;
    screen.addRoundedRect(QRectF(200, 200, frameWidth - 400, frameHeight - 400), 120, 120);
    QPainterPath camera;
    camera.addEllipse(QPointF(130, frameHeight / 2.0), 28, 28);
    painter.fillPath(body.subtracted(screen).subtracted(camera), QColor(30, 30, 34));
    // Buttons standing off the body's edge.
    painter.fillRect(QRectF(900, 30, 300, 32), QColor(60, 60, 64));
    painter.fillRect(QRectF(1300, 30, 180, 32), QColor(60, 60, 64));
    painter.end();
    return bitmap;
}

const graphics::Image& framePicture()
{
    static const graphics::Image picture(framePixels());
    return picture;
}

void traceFrameContours(benchmark::State& state)
{
    const graphics::BitmapImageRep& bitmap = framePicture().representations().front();
    for (auto _ : state)
        benchmark::DoNotOptimize(ChangContourDetector::detectContours(bitmap));
}
BENCHMARK(traceFrameContours)->Unit(benchmark::kMillisecond);

// The uncached work of a directional shadow of a traced picture shown aspect-filled in a square: the
// outline intersected with the shown part, turned to run clockwise, mapped and cast.
void clippedDirectionalShadow(benchmark::State& state)
{
    const graphics::Image& picture = framePicture();
    const std::shared_ptr<const graphics::Path> outline =
        extractContours(RenderResources::shared().contours(), picture);
    const graphics::Rect placement{100, 100, 1600, 1600};
    const graphics::Rect clip = aspectFit(placement.size, {graphics::Point{}, picture.size()});
    const double sx = placement.size.width / clip.size.width;
    const graphics::AffineTransform mapping{
        sx, 0, 0, sx, placement.origin.x - clip.origin.x * sx, placement.origin.y - clip.origin.y * sx};
    for (auto _ : state) {
        const graphics::Path shown = orientedLikeTracedContours(
            pelorama::geometry::intersectingWith(*outline, graphics::Path::rect(clip)));
        benchmark::DoNotOptimize(FlatShadowCaster::shadowPath(shown.transformed(mapping), 300, 800));
    }
}
BENCHMARK(clippedDirectionalShadow)->Unit(benchmark::kMillisecond);

// Rendering a 2880 x 1800 canvas with the frame picture aspect-filled across it, once per shadow type.
// After the first render the directional shadow's bands come from the cache.
void renderImageWithShadow(benchmark::State& state)
{
    const auto coordinator = std::make_shared<store::PersistentStoreCoordinator>(documentModel());
    if (!coordinator->addPersistentStore(store::PersistentStore::Type::inMemory, {})) {
        state.SkipWithError("no store");
        return;
    }
    store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::mainQueue);
    context.setPersistentStoreCoordinator(coordinator);
    const graphics::Size canvasSize{2880, 1800};
    Image* image = Image::insertInto(context, framePicture(), {240, 200, 2400, 1400}, FillMode::aspectFill);
    image->setShadowType(static_cast<ShadowType>(state.range(0)));
    image->setShadowAngle(300);
    image->setShadowDepth(0.1);
    const Canvas canvas(canvasSize, {image});
    CanvasRenderer renderer;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            renderer.render(DetachedCanvas(canvas), CanvasRenderingMode::exportImage, canvasSize, 1));
}
BENCHMARK(renderImageWithShadow)
    ->ArgName("shadowType")
    ->Arg(int(ShadowType::none))
    ->Arg(int(ShadowType::drop))
    ->Arg(int(ShadowType::directional))
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const pelorama::model::RenderResources::Program renderResources;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
