// The canvas view rendering again after one edit, as while the user types a caption or drags the angle
// dial of a shadow: an iPhone screenshot of 1242 x 2208 points (a gradient, a caption with a drop
// shadow, a device frame showing an app capture with a drop shadow, and a picture with a directional
// shadow) shown in a 600 x 800-point canvas view, rendered in canvasView mode at scale 2. The goal is
// under 16 ms per render, so that dragging stays at 60 frames a second: frames, contours and styled text
// come from their caches, nothing is decoded or traced again.
//
// Each iteration makes the change and lets the event loop run the one render it schedules.

#include "canvas/CanvasView.h"
#include "model/Canvas.h"
#include "model/DeviceImage.h"
#include "model/DocumentModel.h"
#include "model/DrawableMapping.h"
#include "model/Image.h"
#include "model/Screenshot.h"
#include "model/TextRect.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

using namespace pelorama;

namespace {

// An app capture: opaque bars and rows, as a real one has.
graphics::Image appCapture()
{
    QImage pixels(1170, 2532, QImage::Format_RGBA8888_Premultiplied);
    pixels.fill(QColor(245, 245, 247));
    QPainter painter(&pixels);
    painter.fillRect(0, 0, 1170, 280, QColor(30, 110, 220));
    for (int row = 0; row < 14; ++row) {
        painter.fillRect(40, 340 + row * 150, 110, 110, QColor::fromHsv(row * 25, 160, 220));
        painter.fillRect(190, 360 + row * 150, 700, 30, QColor(60, 60, 60));
        painter.fillRect(190, 410 + row * 150, 480, 24, QColor(150, 150, 150));
    }
    painter.end();
    return graphics::Image(pixels);
}

// A badge with a transparent surround, so its shadow follows its outline.
graphics::Image badge()
{
    QImage pixels(360, 360, QImage::Format_RGBA8888_Premultiplied);
    pixels.fill(Qt::transparent);
    QPainter painter(&pixels);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(250, 200, 40));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(20, 20, 320, 320);
    painter.end();
    return graphics::Image(pixels);
}

class Scene
{
public:
    Scene()
    {
        m_coordinator = std::make_shared<store::PersistentStoreCoordinator>(model::documentModel());
        (void)m_coordinator->addPersistentStore(store::PersistentStore::Type::InMemory, {});
        m_context = std::make_unique<store::ManagedObjectContext>(
            store::ManagedObjectContext::ConcurrencyType::MainQueue);
        m_context->setPersistentStoreCoordinator(m_coordinator);

        model::Screenshot* screenshot = model::Screenshot::insertInto(*m_context);
        screenshot->setSize({1242, 2208});

        device = model::DeviceImage::insertInto(*m_context, {621, 552}, 0.8);
        device->setImage(appCapture());
        device->setShadowType(model::ShadowType::drop);

        caption = model::TextRect::insertInto(
            *m_context, {80, device->rect().maxY() + 60, 1082, 2208 - device->rect().maxY() - 120},
            "**Plan** your week\nin seconds", graphics::TextAlignment::center,
            model::VerticalAlignment::center);
        caption->setFont(graphics::Font("AvenirNext-DemiBold", 96));
        caption->setShadowType(model::ShadowType::drop);

        picture =
            model::Image::insertInto(*m_context, badge(), {880, 1500, 280, 280}, model::FillMode::stretch);
        picture->setShadowType(model::ShadowType::directional);
        picture->setShadowDepth(0.5);
        picture->setShadowAngle(300);

        model::DrawableMapping::insert(*device, *screenshot, *m_context);
        model::DrawableMapping::insert(*caption, *screenshot, *m_context);
        model::DrawableMapping::insert(*picture, *screenshot, *m_context);

        view = std::make_unique<canvas::CanvasView>(nullptr, false);
        view->resize(600, 800);
        view->setCanvas(std::make_shared<model::Canvas>(screenshot->makeCanvas()));
        QCoreApplication::processEvents();
    }

    model::DeviceImage* device = nullptr;
    model::TextRect* caption = nullptr;
    model::Image* picture = nullptr;
    std::unique_ptr<canvas::CanvasView> view;

private:
    std::shared_ptr<store::PersistentStoreCoordinator> m_coordinator;
    std::unique_ptr<store::ManagedObjectContext> m_context;
};

Scene& scene()
{
    static Scene made;
    return made;
}

void renderAfterCaptionChange(benchmark::State& state)
{
    Scene& shown = scene();
    int edit = 0;
    for (auto _ : state) {
        shown.caption->setText(QStringLiteral("**Plan** your week\nin %1 seconds").arg(++edit % 10));
        QCoreApplication::processEvents();
    }
    benchmark::DoNotOptimize(shown.view->contents());
}
BENCHMARK(renderAfterCaptionChange)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Dragging the angle of the device's drop shadow (argument 0), of the device's directional shadow (1)
// or of the picture's directional shadow (2).
void renderAfterShadowAngleChange(benchmark::State& state)
{
    Scene& shown = scene();
    const int which = int(state.range(0));
    model::Shadowable& shadowed = which < 2 ? static_cast<model::Shadowable&>(*shown.device) : *shown.picture;
    const model::ShadowType type = shadowed.shadowType();
    if (which == 1)
        shadowed.setShadowType(model::ShadowType::directional);
    QCoreApplication::processEvents();
    const char* const labels[] = {"device, drop shadow", "device, directional shadow",
                                  "picture, directional shadow"};
    state.SetLabel(labels[which]);
    int step = 0;
    for (auto _ : state) {
        shadowed.setShadowAngle(270 + (++step % 60));
        QCoreApplication::processEvents();
    }
    benchmark::DoNotOptimize(shown.view->contents());
    shadowed.setShadowType(type);
    QCoreApplication::processEvents();
}
BENCHMARK(renderAfterShadowAngleChange)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The same render with nothing changed: what every render costs at the least.
void renderUnchanged(benchmark::State& state)
{
    Scene& shown = scene();
    for (auto _ : state) {
        shown.view->setNeedsRendering(true);
        QCoreApplication::processEvents();
    }
    benchmark::DoNotOptimize(shown.view->contents());
}
BENCHMARK(renderUnchanged)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
