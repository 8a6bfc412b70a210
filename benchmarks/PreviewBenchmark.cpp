// Rendering the previews of all 132 built-in templates on 8 threads: the first run of the process,
// which also opens every device frame and placeholder picture the templates show, and later runs.
#include "model/rendering/RenderResources.h"
#include "templates/TemplateCategory.h"
#include "templates/TemplatePreviewRenderer.h"

#include <QGuiApplication>
#include <QThreadPool>
#include <benchmark/benchmark.h>

using namespace pelorama::templates;

namespace {

std::vector<Template*> catalogue()
{
    std::vector<Template*> templates;
    for (const TemplateCategory& category : TemplateCategory::all()) {
        const std::vector<Template*> ofCategory = category.templates();
        templates.insert(templates.end(), ofCategory.begin(), ofCategory.end());
    }
    return templates;
}

void renderOnEightThreads(const std::vector<Template*>& templates)
{
    QThreadPool pool;
    pool.setMaxThreadCount(8);
    TemplatePreviewRenderer::render(templates, pool).waitForFinished();
}

// Registered first, so it runs before anything has opened a frame; one iteration only.
void firstRun(benchmark::State& state)
{
    const std::vector<Template*> templates = catalogue();
    for (auto _ : state)
        renderOnEightThreads(templates);
    state.counters["previews"] = double(templates.size());
}
BENCHMARK(firstRun)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void laterRun(benchmark::State& state)
{
    const std::vector<Template*> templates = catalogue();
    renderOnEightThreads(templates);
    for (auto _ : state)
        renderOnEightThreads(templates);
}
BENCHMARK(laterRun)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const pelorama::model::RenderResources::Program renderResources;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
