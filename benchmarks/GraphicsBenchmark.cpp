#include "graphics/GraphicsContext.h"
#include "graphics/Path.h"
#include "graphics/ShadowRenderer.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

// The Mac display canvas, the largest of the built-in templates.
constexpr int canvasWidth = 2880;
constexpr int canvasHeight = 1800;

void fillCanvas(benchmark::State& state)
{
    QImage bitmap = graphics::GraphicsContext::makeBitmap(canvasWidth, canvasHeight);
    graphics::GraphicsContext context(bitmap);
    context.setFillColor({0.2, 0.4, 0.8, 1});
    for (auto _ : state) {
        context.fillRect({0, 0, canvasWidth, canvasHeight});
        benchmark::DoNotOptimize(context.data());
    }
    state.SetItemsProcessed(state.iterations() * canvasWidth * canvasHeight);
}
BENCHMARK(fillCanvas)->Unit(benchmark::kMillisecond);

// A rounded shape covering most of the canvas, drawn with a drop shadow of the given blur radius.
void shadowBlur(benchmark::State& state)
{
    QImage bitmap = graphics::GraphicsContext::makeBitmap(canvasWidth, canvasHeight);
    graphics::GraphicsContext context(bitmap);
    context.setShadow(graphics::Shadow{{0, 0, 0, 0.4}, {0, -20}, double(state.range(0))});
    context.setFillColor({1, 1, 1, 1});
    const graphics::Path shape =
        graphics::Path::roundedRect({200, 200, canvasWidth - 400, canvasHeight - 400}, 40, 40);
    for (auto _ : state) {
        context.fillPath(shape);
        benchmark::DoNotOptimize(context.data());
    }
    state.SetItemsProcessed(state.iterations() * canvasWidth * canvasHeight);
}
BENCHMARK(shadowBlur)->Arg(10)->Arg(40)->Unit(benchmark::kMillisecond);

// The blur alone, on the layer the shape above draws into.
void shadowRender(benchmark::State& state)
{
    QImage layer = graphics::GraphicsContext::makeBitmap(canvasWidth - 400, canvasHeight - 400);
    {
        graphics::GraphicsContext context(layer);
        context.setFillColor({1, 1, 1, 1});
        context.fillPath(graphics::Path::roundedRect({0, 0, canvasWidth - 400, canvasHeight - 400}, 40, 40));
    }
    const double radius = double(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(graphics::ShadowRenderer::render(layer, radius, {0, 0, 0, 0.4}));
    }
    state.SetItemsProcessed(state.iterations() * layer.width() * layer.height());
}
BENCHMARK(shadowRender)->Arg(10)->Arg(40)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
