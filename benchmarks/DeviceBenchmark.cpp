#include "graphics/GraphicsContext.h"
#include "model/devices/DeviceFamily.h"
#include "model/devices/DeviceFrameCache.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DocumentModel.h"
#include "model/rendering/CanvasRenderingContext.h"
#include "model/rendering/DeviceImageSnapshot.h"
#include "model/rendering/RenderResources.h"
#include "model/rendering/SnapshotDrawing.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

using namespace pelorama::model;

namespace {

const QString& firstVariantOf(int family)
{
    return DeviceFamily::all().at(size_t(family)).variants().front().identifier();
}

// Opening a frame the first time: two key derivations, the decryption and the PNG decode. Every
// iteration uses a fresh cache.
void firstFrameLoad(benchmark::State& state)
{
    const QString& identifier = firstVariantOf(int(state.range(0)));
    state.SetLabel(identifier.toStdString());
    for (auto _ : state) {
        DeviceFrameCache cache(&DeviceFrameCache::loadFromResources);
        benchmark::DoNotOptimize(cache.frame(identifier));
    }
}
BENCHMARK(firstFrameLoad)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void cachedFrameLoad(benchmark::State& state)
{
    const QString& identifier = firstVariantOf(0);
    RenderResources::shared().deviceFrames().frame(identifier);
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderResources::shared().deviceFrames().frame(identifier));
}
BENCHMARK(cachedFrameLoad);

// A device image with a screenshot of the canvas's size, drawn the way a template canvas of that size
// draws it: an iPhone on 1242 x 2208 (argument 0) or a MacBook on 2880 x 1800 (argument 1), with no
// shadow, a drop shadow or a directional one (the second argument). One draw before timing loads the
// frame and traces its outline, so this is the cost of a draw that finds both cached.
void drawDevice(benchmark::State& state)
{
    const bool laptop = state.range(0) == 1;
    const graphics::Size canvasSize = laptop ? graphics::Size{2880, 1800} : graphics::Size{1242, 2208};
    auto coordinator = std::make_shared<store::PersistentStoreCoordinator>(documentModel());
    if (!coordinator->addPersistentStore(store::PersistentStore::Type::inMemory, {})) {
        state.SkipWithError("no store");
        return;
    }
    store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::mainQueue);
    context.setPersistentStoreCoordinator(coordinator);

    DeviceImage* device =
        DeviceImage::insertInto(context, {canvasSize.width / 2, canvasSize.height / 2}, laptop ? 0.6 : 1.1);
    if (laptop)
        device->setDeviceFamily(*DeviceFamily::findWithIdentifier(QStringLiteral("MacBook")));
    QImage screenshot(int(canvasSize.width), int(canvasSize.height), QImage::Format_ARGB32_Premultiplied);
    screenshot.fill(QColor(60, 140, 200));
    device->setImage(graphics::Image(screenshot));
    device->setShadowType(ShadowType(state.range(1)));

    QImage bitmap = graphics::GraphicsContext::makeBitmap(int(canvasSize.width), int(canvasSize.height));
    graphics::GraphicsContext graphics(bitmap);
    const CanvasRenderingContext rendering{graphics, RenderResources::shared(),        {},
                                           1,        CanvasRenderingMode::exportImage, canvasSize};
    draw(DeviceImageSnapshot::of(*device), rendering);
    for (auto _ : state) {
        // The snapshot is taken at every draw, as every render does.
        draw(DeviceImageSnapshot::of(*device), rendering);
        benchmark::DoNotOptimize(graphics.data());
    }
    state.SetLabel(laptop ? "MacBook 2880x1800" : "iPhone 1242x2208");
}
BENCHMARK(drawDevice)->ArgsProduct({{0, 1}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const pelorama::model::RenderResources::Program renderResources;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
