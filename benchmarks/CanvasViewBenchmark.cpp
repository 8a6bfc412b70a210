// The canvas view rendering again after one edit, as while the user types a caption or drags the angle
// dial of a shadow: the built-in iPhone template "Text Above" (a gradient, a caption with a drop shadow
// above a device frame) of the theme "Vivid", whose device casts a directional shadow (argument 0), or
// of "Professional", whose device casts a drop shadow (argument 1), built as the template picker builds
// it, with an app capture in the device, shown in a 600 x 800-point canvas view and rendered in
// canvasView mode at scale 2. The goal is under 16 ms per render, so that dragging stays at 60 frames a
// second: frames, contours and styled text come from their caches, nothing is decoded or traced again.
//
// Each iteration makes the change and runs the event loop until the one render it schedules, drawn on the
// view's render thread, is shown: the figures are wall-clock time.

#include "TemplateScene.h"
#include "canvas/CanvasView.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/RenderResources.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"
#include "templates/Template.h"
#include "templates/TemplateCategory.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

using namespace pelorama;

using benchmarks::appCapture;
using benchmarks::ScriptTexts;
using benchmarks::scriptTexts;
using benchmarks::textAbove;

namespace {

class Scene
{
public:
    explicit Scene(const QString& theme)
    {
        m_coordinator = std::make_shared<store::PersistentStoreCoordinator>(model::documentModel());
        (void)m_coordinator->addPersistentStore(store::PersistentStore::Type::inMemory, {});
        m_context = std::make_unique<store::ManagedObjectContext>(
            store::ManagedObjectContext::ConcurrencyType::mainQueue);
        m_context->setPersistentStoreCoordinator(m_coordinator);

        model::Screenshot& screenshot = textAbove(theme).instantiateScreenshot(*m_context);
        for (model::DrawableMapping* mapping : screenshot.drawableMappings()) {
            if (auto* found = dynamic_cast<model::DeviceImage*>(mapping->drawable()))
                device = found;
            if (auto* found = dynamic_cast<model::TextRect*>(mapping->drawable()))
                caption = found;
        }
        if (!device || !caption)
            qFatal("The template has no device or no caption");
        device->setImage(appCapture());

        view = std::make_unique<canvas::CanvasView>(nullptr, false);
        view->resize(600, 800);
        view->setCanvas(std::make_shared<model::Canvas>(screenshot.makeCanvas()));
        showRender();
    }

    // Runs the event loop until the view shows what it was asked to render.
    void showRender() const
    {
        QCoreApplication::processEvents();
        while (view->needsRendering())
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }

    model::DeviceImage* device = nullptr;
    model::TextRect* caption = nullptr;
    std::unique_ptr<canvas::CanvasView> view;

private:
    std::shared_ptr<store::PersistentStoreCoordinator> m_coordinator;
    std::unique_ptr<store::ManagedObjectContext> m_context;
};

Scene& scene(bool deviceCastsDirectionalShadow)
{
    static Scene directional(QStringLiteral("Vivid"));
    static Scene drop(QStringLiteral("Professional"));
    return deviceCastsDirectionalShadow ? directional : drop;
}

Scene& scene(const benchmark::State& state)
{
    return scene(state.range(0) == 0);
}

const char* label(const benchmark::State& state)
{
    return state.range(0) == 0 ? "device with a directional shadow" : "device with a drop shadow";
}

void renderAfterCaptionChange(benchmark::State& state)
{
    Scene& shown = scene(state);
    state.SetLabel(label(state));
    int edit = 0;
    for (auto _ : state) {
        shown.caption->setText(QStringLiteral("**Plan** your week in %1 seconds").arg(++edit));
        shown.showRender();
    }
    benchmark::DoNotOptimize(shown.view->contents());
}
BENCHMARK(renderAfterCaptionChange)
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);

// The same edit in other scripts (benchmarks::scriptTexts): each caption, in any script, should cost what
// a Latin one does, and every render lays out (and for a directional shadow, masks) a caption no render
// has seen before. Argument 0 picks the script; argument 1 is the caption's own shadow: 0 the template's drop
// shadow, 1 a directional shadow, cast from a mask of the caption's ink.
void renderAfterCaptionChangeInScript(benchmark::State& state)
{
    Scene& shown = scene(false);
    const ScriptTexts& texts = scriptTexts[state.range(0)];
    const bool directional = state.range(1) == 1;
    state.SetLabel(QStringLiteral("%1, caption with a %2 shadow")
                       .arg(QLatin1String(texts.name), QLatin1String(directional ? "directional" : "drop"))
                       .toStdString());
    const model::ShadowType templateShadow = shown.caption->shadowType();
    shown.caption->setShadowType(directional ? model::ShadowType::directional : templateShadow);
    int edit = 0;
    for (auto _ : state) {
        shown.caption->setText(texts.edit(++edit));
        shown.showRender();
    }
    benchmark::DoNotOptimize(shown.view->contents());
    shown.caption->setShadowType(templateShadow);
    shown.showRender();
}
BENCHMARK(renderAfterCaptionChangeInScript)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);

// Dragging the angle dial of the device's shadow.
void renderAfterShadowAngleChange(benchmark::State& state)
{
    Scene& shown = scene(state);
    state.SetLabel(label(state));
    int step = 0;
    for (auto _ : state) {
        shown.device->setShadowAngle(285 + (++step % 60));
        shown.showRender();
    }
    benchmark::DoNotOptimize(shown.view->contents());
}
BENCHMARK(renderAfterShadowAngleChange)
    ->DenseRange(0, 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5);

// The same render with nothing changed: what every render costs at the least.
void renderUnchanged(benchmark::State& state)
{
    Scene& shown = scene(state);
    state.SetLabel(label(state));
    for (auto _ : state) {
        shown.view->setNeedsRendering(true);
        shown.showRender();
    }
    benchmark::DoNotOptimize(shown.view->contents());
}
BENCHMARK(renderUnchanged)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const pelorama::model::RenderResources::Program renderResources;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
