// Exporting template screenshots at the built-in output sizes: a gradient, a device frame holding an
// app capture with a drop shadow, and a two-line caption. Render, PNG encoding and the whole export to
// a file (as the Export commands write it) are timed apart; the file's size is set against libpng's at
// zlib level 6 on the same pixels. A document of several such screenshots is exported as a job, whose
// screenshots render side by side while each render also splits its own work.
#include "document/ExportJob.h"
#include "document/ExportPlan.h"
#include "graphics/BitmapImageRep.h"
#include "graphics/PngWriter.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/RenderResources.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"
#include "templates/TemplateCategory.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <png.h>
#include <random>

using namespace pelorama;

namespace {

// Photo-like pixels: smooth shapes with fine grain, which deflate finds little to repeat in.
void paintPhoto(QImage& image, const QRect& area)
{
    std::mt19937 random(17);
    std::normal_distribution<double> grain(0, 3);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const double u = double(x - area.left()) / area.width();
            const double v = double(y - area.top()) / area.height();
            const double sky = 0.5 + 0.5 * std::sin(6 * u + 2 * std::cos(9 * v)) * std::cos(4 * v);
            const auto channel = [&](double value) {
                return std::clamp(int(value + grain(random)), 0, 255);
            };
            row[x] = qRgb(channel(40 + 160 * sky), channel(90 + 120 * v), channel(200 - 120 * sky * v));
        }
    }
}

// A 750 x 1334 app capture: a title bar, rows of text, a photo and a tab bar.
graphics::Image makeCapture()
{
    QImage capture(750, 1334, QImage::Format_ARGB32_Premultiplied);
    capture.fill(QColor(248, 248, 250));
    paintPhoto(capture, QRect(0, 380, 750, 420));
    QPainter painter(&capture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(0, 0, 750, 128), QColor(30, 110, 220));
    painter.fillRect(QRect(0, 1234, 750, 100), QColor(236, 236, 240));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(26);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(30, 60, 690, 50), Qt::AlignLeft, QStringLiteral("Inbox: 24 unread"));
    font.setPixelSize(21);
    painter.setFont(font);
    for (int line = 0; line < 9; ++line) {
        painter.setPen(QColor(40, 40, 48));
        painter.drawText(QPointF(30, 170 + line * 25),
                         QStringLiteral("Meeting notes %1: agenda, numbers and follow-ups").arg(line + 1));
    }
    for (int line = 0; line < 14; ++line) {
        painter.setPen(line % 3 == 0 ? QColor(30, 110, 220) : QColor(60, 60, 70));
        painter.drawText(
            QPointF(30, 852 + line * 28),
            QStringLiteral("Row %1 - 12:%2 - Lorem ipsum dolor sit amet").arg(line + 1).arg(10 + line));
    }
    painter.end();
    return graphics::Image(capture.convertToFormat(graphics::BitmapImageRep::pixelFormat));
}

// The reference encoder: libpng at zlib level 6 with its adaptive filters, on one core.
qsizetype referencePngSize(const QImage& rendered)
{
    const bool opaque =
        !rendered.hasAlphaChannel() ||
        rendered.convertToFormat(QImage::Format_RGB888).convertToFormat(rendered.format()) == rendered;
    const QImage pixels = rendered.convertToFormat(opaque ? QImage::Format_RGB888 : QImage::Format_RGBA8888);
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return 0;
    }
    png_set_write_fn(
        png, &out,
        [](png_structp writer, png_bytep data, png_size_t length) {
            static_cast<QByteArray*>(png_get_io_ptr(writer))
                ->append(reinterpret_cast<const char*>(data), qsizetype(length));
        },
        nullptr);
    png_set_IHDR(png, info, png_uint_32(pixels.width()), png_uint_32(pixels.height()), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 6);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_write_info(png, info);
    for (int y = 0; y < pixels.height(); ++y)
        png_write_row(png, pixels.constScanLine(y));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out.size();
}

struct Case
{
    const char* category;
    const char* layout;
};

// One built-in template per output size, in the "Ocean" theme: a gradient and a drop-shadowed device.
const Case cases[] = {
    {"iPhone", "Text Above"},         // 1242 x 2208
    {"iPad", "Portrait Text Above"},  // 2048 x 2732
    {"iPad", "Landscape Text Above"}, // 2732 x 2048
    {"Mac", "Text Above MacBook"},    // 2880 x 1800
};

// An in-memory store on the main thread.
class Store
{
public:
    Store()
        : m_coordinator(std::make_shared<store::PersistentStoreCoordinator>(model::documentModel()))
        , m_context(store::ManagedObjectContext::ConcurrencyType::mainQueue)
    {
        if (!m_coordinator->addPersistentStore(store::PersistentStore::Type::inMemory, {}))
            qFatal("no store");
        m_context.setPersistentStoreCoordinator(m_coordinator);
    }

    store::ManagedObjectContext& context() { return m_context; }

private:
    std::shared_ptr<store::PersistentStoreCoordinator> m_coordinator;
    store::ManagedObjectContext m_context;
};

// Adds the screenshot of a case to context, with the capture in its device and a two-line caption.
model::Screenshot& addScreenshot(store::ManagedObjectContext& context, const Case& exportCase)
{
    model::Screenshot* screenshot = nullptr;
    for (const templates::TemplateCategory& category : templates::TemplateCategory::all()) {
        if (category.name() != exportCase.category)
            continue;
        for (const std::unique_ptr<templates::Template>& item :
             category.templateGroups().front().templates()) {
            if (item->name() == exportCase.layout)
                screenshot = &item->instantiateScreenshot(context);
        }
    }
    static const graphics::Image capture = makeCapture();
    for (model::Drawable* drawable : screenshot->makeCanvas().drawables()) {
        if (auto* device = dynamic_cast<model::DeviceImage*>(drawable))
            device->setImage(capture);
        if (auto* caption = dynamic_cast<model::TextRect*>(drawable))
            caption->setText(QStringLiteral("Everything you need,\nat a glance"));
    }
    return *screenshot;
}

// The screenshot of a case in a store of its own.
class Export
{
public:
    explicit Export(const Case& exportCase)
        : m_screenshot(&addScreenshot(m_store.context(), exportCase))
    {}

    graphics::Size size() const { return m_screenshot->size(); }
    QImage render() const
    {
        const graphics::Image image = model::DetachedCanvas(m_screenshot->makeCanvas())
                                          .render(model::CanvasRenderingMode::exportImage, size(), 1);
        return image.representations().front().bitmap();
    }
    bool exportTo(const QString& path) const
    {
        document::ExportJob job(document::ExportPlan::ofScreenshot(*m_screenshot, path));
        QEventLoop loop;
        QObject::connect(&job, &document::ExportJob::finished, &loop, &QEventLoop::quit);
        job.start();
        loop.exec();
        return !job.alert();
    }

private:
    Store m_store;
    model::Screenshot* m_screenshot;
};

void label(benchmark::State& state, const Export& exporter)
{
    state.SetLabel(
        QStringLiteral("%1x%2").arg(exporter.size().width).arg(exporter.size().height).toStdString());
}

void render(benchmark::State& state)
{
    const Export exporter(cases[state.range(0)]);
    label(state, exporter);
    exporter.render(); // loads the frame
    for (auto _ : state)
        benchmark::DoNotOptimize(exporter.render());
}
BENCHMARK(render)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

void encodePng(benchmark::State& state)
{
    const Export exporter(cases[state.range(0)]);
    label(state, exporter);
    const QImage pixels = exporter.render();
    QByteArray png;
    for (auto _ : state) {
        png = graphics::PngWriter::encode(pixels);
        benchmark::DoNotOptimize(png);
    }
    const qsizetype reference = referencePngSize(pixels);
    state.counters["bytes"] = double(png.size());
    state.counters["libpng6_bytes"] = double(reference);
    state.counters["vs_libpng6"] = reference ? double(png.size()) / double(reference) : 0;
    // The file holds exactly the rendered pixels.
    const QImage decoded = QImage::fromData(png, "PNG").convertToFormat(pixels.format());
    state.counters["exact"] = decoded == pixels ? 1 : 0;
}
BENCHMARK(encodePng)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

void exportToFile(benchmark::State& state)
{
    const Export exporter(cases[state.range(0)]);
    label(state, exporter);
    exporter.render();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Screenshot.png"));
    for (auto _ : state) {
        if (!exporter.exportTo(path)) {
            state.SkipWithError("the file could not be written");
            break;
        }
    }
    state.counters["bytes"] = double(QFileInfo(path).size());
}
BENCHMARK(exportToFile)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

// A document of eight screenshots, two at each size, exported as the Export command does it.
void exportDocument(benchmark::State& state)
{
    Store document;
    for (int copy = 0; copy < 2; ++copy) {
        for (const Case& exportCase : cases) {
            model::Screenshot& screenshot = addScreenshot(document.context(), exportCase);
            screenshot.setName(
                QStringLiteral("%1 %2 %3").arg(exportCase.category, exportCase.layout).arg(copy));
        }
    }
    QTemporaryDir folder;
    for (auto _ : state) {
        document::ExportJob job(document::ExportPlan::ofDocument(document.context(), folder.path()));
        QEventLoop loop;
        QObject::connect(&job, &document::ExportJob::finished, &loop, &QEventLoop::quit);
        job.start();
        if (!job.isFinished())
            loop.exec();
        if (job.alert()) {
            state.SkipWithError("a file could not be written");
            break;
        }
    }
}
BENCHMARK(exportDocument)->Unit(benchmark::kMillisecond)->UseRealTime();

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
