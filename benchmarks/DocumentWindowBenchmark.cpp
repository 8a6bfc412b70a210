// A whole document window after one edit, as a user makes it: from the change of the model to the canvas
// showing it, with all the work the edit sets off on the main thread (the thumbnail of the selected row,
// the inspector, the commands' states). The window is offscreen, its canvas view 600 x 800 points at two
// pixels per point, showing the built-in iPhone template "Text Above" of the theme "Vivid" (a gradient, a
// caption above a device frame casting a directional shadow) with an app capture in the device, inserted
// as the template picker inserts it.
//
// Each iteration makes one edit and runs the event loop until the canvas has rendered and painted it and
// nothing else is pending. The goal is under 16 ms a case, so that typing and dragging keep 60 frames a
// second. Wall time is what the user waits for; CPU time is the main thread's.

#include "DocumentWindowScene.h"
#include "TemplateScene.h"
#include "app/Document.h"
#include "app/window/DocumentWindow.h"
#include "canvas/CanvasView.h"
#include "document/EditActions.h"
#include "document/ScreenshotArrangement.h"
#include "model/devices/DeviceFamily.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/entities/StockGradient.h"
#include "model/entities/TextRect.h"
#include "store/ManagedObjectContext.h"
#include "templates/Template.h"
#include "templates/TemplateCategory.h"

#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

using namespace pelorama;

using benchmarks::appCapture;
using benchmarks::ScriptTexts;
using benchmarks::scriptTexts;
using benchmarks::textAbove;

namespace {

class Window
{
public:
    Window()
    {
        auto made = m_documents.controller().makeUntitledDocument(app::Document::typeName());
        if (!made.hasValue())
            qFatal("No new document");
        document = static_cast<app::Document*>(*made);
        window = document->documentWindow();
        store::ManagedObjectContext& context = *document->managedObjectContext();
        screenshot = &textAbove(QStringLiteral("Vivid")).instantiateScreenshot(context);
        if (document::EditActions(context, document->arrangement()).insertScreenshot(*screenshot))
            qFatal("The template screenshot was not inserted");
        for (model::DrawableMapping* mapping : screenshot->drawableMappings()) {
            if (auto* found = dynamic_cast<model::DeviceImage*>(mapping->drawable()))
                device = found;
            if (auto* found = dynamic_cast<model::TextRect*>(mapping->drawable()))
                caption = found;
        }
        if (!device || !caption)
            qFatal("The template has no device or no caption");
        device->setImage(appCapture());
        canvas = window->canvasView();
        QObject::connect(canvas, &canvas::CanvasView::didRender, [this] { m_rendered = true; });

        window->show();
        settle();
        // The canvas view takes what the window does not give the list and the inspector.
        const QSize wanted(600, 800);
        window->resize(window->size() + wanted - canvas->size());
        settle();
        if (canvas->size() != wanted)
            qWarning("The canvas view is %dx%d points", canvas->width(), canvas->height());
    }

    // Runs the event loop until the canvas has rendered, and then until nothing is pending.
    void showEdit()
    {
        m_rendered = false;
        while (!m_rendered)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        settle();
    }

    static void settle() { benchmarks::settle(); }

    app::Document* document = nullptr;
    app::DocumentWindow* window = nullptr;
    canvas::CanvasView* canvas = nullptr;
    model::Screenshot* screenshot = nullptr;
    model::DeviceImage* device = nullptr;
    model::TextRect* caption = nullptr;

private:
    benchmarks::Documents m_documents;
    bool m_rendered = false;
};

Window& window()
{
    static Window shown;
    return shown;
}

// Typing in the caption (benchmarks::scriptTexts): every edit lays out a caption no render has seen.
void captionText(benchmark::State& state)
{
    Window& shown = window();
    const ScriptTexts& texts = scriptTexts[state.range(0)];
    state.SetLabel(texts.name);
    int edit = 0;
    for (auto _ : state) {
        shown.caption->setText(texts.edit(++edit));
        shown.showEdit();
    }
}
BENCHMARK(captionText)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void fontSize(benchmark::State& state)
{
    Window& shown = window();
    const graphics::Font font = shown.caption->font();
    int edit = 0;
    for (auto _ : state) {
        shown.caption->setFont(
            graphics::Font(font.postScriptName(), font.pointSize() + (++edit % 2 ? 2 : 0)));
        shown.showEdit();
    }
    shown.caption->setFont(font);
    shown.settle();
}
BENCHMARK(fontSize)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void backgroundColour(benchmark::State& state)
{
    Window& shown = window();
    shown.screenshot->setBackgroundType(model::BackgroundType::solid);
    shown.settle();
    int edit = 0;
    for (auto _ : state) {
        shown.screenshot->setSolidBackgroundColor(
            graphics::Color::fromQColor(QColor::fromHsv((++edit * 37) % 360, 150, 230)));
        shown.showEdit();
    }
    shown.screenshot->setBackgroundType(model::BackgroundType::gradient);
    shown.settle();
}
BENCHMARK(backgroundColour)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void stockGradient(benchmark::State& state)
{
    Window& shown = window();
    const std::vector<const model::StockGradient*>& gradients = model::StockGradient::all();
    int edit = 0;
    for (auto _ : state) {
        shown.screenshot->setStockGradient(gradients[size_t(++edit) % gradients.size()]);
        shown.showEdit();
    }
}
BENCHMARK(stockGradient)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void deviceModel(benchmark::State& state)
{
    Window& shown = window();
    const std::vector<model::DeviceVariant>& variants = shown.device->deviceFamily().variants();
    const model::DeviceVariant original = shown.device->deviceVariant();
    int edit = 0;
    for (auto _ : state) {
        shown.device->setDeviceVariant(variants[size_t(++edit) % 2]);
        shown.showEdit();
    }
    shown.device->setDeviceVariant(original);
    shown.settle();
}
BENCHMARK(deviceModel)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void shadowType(benchmark::State& state)
{
    Window& shown = window();
    const model::ShadowType original = shown.device->shadowType();
    int edit = 0;
    for (auto _ : state) {
        shown.device->setShadowType(++edit % 2 ? model::ShadowType::drop : model::ShadowType::directional);
        shown.showEdit();
    }
    shown.device->setShadowType(original);
    shown.settle();
}
BENCHMARK(shadowType)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

// Dragging the angle dial of the device's directional shadow across 90 degrees, a degree a step; each
// iteration is one step, at an angle the bands have not been cast for before in the sweep.
void angleDrag(benchmark::State& state)
{
    Window& shown = window();
    shown.device->setShadowType(model::ShadowType::directional);
    shown.settle();
    const double start = shown.device->shadowAngle();
    int step = 0;
    for (auto _ : state) {
        // Another half degree on every sweep, so that no step finds its bands cast already.
        shown.device->setShadowAngle(start + 1 + step % 90 + 0.5 * (step / 90 % 2));
        ++step;
        shown.showEdit();
    }
    shown.device->setShadowAngle(start);
    shown.settle();
}
BENCHMARK(angleDrag)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

} // namespace

int main(int argc, char** argv)
{
    return benchmarks::windowBenchmarkMain(argc, argv);
}
