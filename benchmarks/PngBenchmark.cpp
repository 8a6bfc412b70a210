#include "graphics/BitmapImageRep.h"
#include "graphics/PngWriter.h"
#include "graphics/ShadowRenderer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <benchmark/benchmark.h>
#include <cmath>
#include <png.h>
#include <random>
#include <vector>

namespace {

constexpr int canvasWidth = 2880;
constexpr int canvasHeight = 1800;

// Photo-like pixels: smooth shapes with fine grain, which deflate finds little to repeat in.
void paintPhoto(QImage& image, const QRect& area, std::mt19937& random)
{
    std::normal_distribution<double> grain(0, 3);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const double u = double(x - area.left()) / area.width();
            const double v = double(y - area.top()) / area.height();
            const double sky = 0.5 + 0.5 * std::sin(6 * u + 2 * std::cos(9 * v)) * std::cos(4 * v);
            auto channel = [&](double value) {
                return std::clamp(int(value + grain(random)), 0, 255);
            };
            row[x] = qRgb(channel(40 + 160 * sky), channel(90 + 120 * v), channel(200 - 120 * sky * v));
        }
    }
}

// A 750 x 1334 app capture: status and tab bars, rows of text, a photo.
QImage makeCapture(std::mt19937& random)
{
    QImage capture(750, 1334, QImage::Format_ARGB32_Premultiplied);
    capture.fill(QColor(248, 248, 250));
    paintPhoto(capture, QRect(0, 380, 750, 420), random);
    QPainter painter(&capture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(0, 0, 750, 128), QColor(30, 110, 220));
    painter.fillRect(QRect(0, 1234, 750, 100), QColor(236, 236, 240));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(26);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(30, 60, 690, 50), Qt::AlignLeft, QStringLiteral("Inbox — 24 unread"));
    font.setPixelSize(21);
    painter.setFont(font);
    painter.setPen(QColor(40, 40, 48));
    for (int line = 0; line < 9; ++line) {
        const int y = 150 + line * 25;
        painter.drawText(QPointF(30, y + 20),
                         QStringLiteral("Meeting notes %1: agenda, numbers and follow-ups").arg(line + 1));
    }
    for (int line = 0; line < 14; ++line) {
        const int y = 830 + line * 28;
        painter.setPen(line % 3 == 0 ? QColor(30, 110, 220) : QColor(60, 60, 70));
        painter.drawText(
            QPointF(30, y + 22),
            QStringLiteral("Row %1 · 12:%2 · Lorem ipsum dolor sit amet").arg(line + 1).arg(10 + line));
    }
    return capture;
}

// A screenshot as a template renders it: a gradient, a device frame holding the capture with a drop
// shadow, and a two-line caption. With transparency, the area around the frame is left clear.
QImage makeScreenshot(bool transparent)
{
    std::mt19937 random(17);
    QImage canvas(canvasWidth, canvasHeight, graphics::BitmapImageRep::pixelFormat);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!transparent) {
        QLinearGradient gradient(0, 0, canvasWidth, canvasHeight);
        gradient.setColorAt(0, QColor(255, 94, 98));
        gradient.setColorAt(1, QColor(255, 153, 102));
        painter.fillRect(canvas.rect(), gradient);
    }
    const QRectF frame(1700, 140, 900, 1560);
    QImage frameLayer(frame.size().toSize(), graphics::BitmapImageRep::pixelFormat);
    frameLayer.fill(Qt::transparent);
    {
        QPainter layerPainter(&frameLayer);
        layerPainter.setRenderHint(QPainter::Antialiasing);
        QPainterPath body;
        body.addRoundedRect(QRectF(0, 0, 900, 1560), 110, 110);
        layerPainter.fillPath(body, QColor(28, 28, 30));
        layerPainter.drawImage(QRectF(60, 110, 780, 1340), makeCapture(random));
    }
    const QImage shadow = graphics::ShadowRenderer::render(frameLayer, 40, {0, 0, 0, 0.5});
    const int extent = graphics::ShadowRenderer::extent(40);
    painter.drawImage(QPointF(frame.x() - extent, frame.y() - extent + 20), shadow);
    painter.drawImage(frame.topLeft(), frameLayer);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(120);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(160, 600, 1400, 600), Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("Everything you need, at a glance"));
    return canvas;
}

const QImage& screenshot(bool transparent)
{
    static const QImage opaqueImage = makeScreenshot(false);
    static const QImage transparentImage = makeScreenshot(true);
    return transparent ? transparentImage : opaqueImage;
}

// The reference encoder: libpng at zlib level 6 with its adaptive filters, on one core, from the same
// un-premultiplied pixels (converted before timing).
QByteArray referencePng(const QImage& pixels)
{
    QByteArray out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(
        png, &out,
        [](png_structp writer, png_bytep data, png_size_t length) {
            static_cast<QByteArray*>(png_get_io_ptr(writer))
                ->append(reinterpret_cast<const char*>(data), qsizetype(length));
        },
        nullptr);
    const bool alpha = pixels.format() == QImage::Format_RGBA8888;
    png_set_IHDR(png, info, png_uint_32(pixels.width()), png_uint_32(pixels.height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 6);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_ALL_FILTERS);
    png_write_info(png, info);
    for (int y = 0; y < pixels.height(); ++y) {
        png_write_row(png, pixels.constScanLine(y));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

QImage referencePixels(bool transparent)
{
    return screenshot(transparent)
        .convertToFormat(transparent ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
}

qsizetype referenceSize(bool transparent)
{
    static const qsizetype opaqueSize = referencePng(referencePixels(false)).size();
    static const qsizetype transparentSize = referencePng(referencePixels(true)).size();
    return transparent ? transparentSize : opaqueSize;
}

void pngWriter(benchmark::State& state)
{
    const bool transparent = state.range(0) != 0;
    const QImage& image = screenshot(transparent);
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray png = graphics::PngWriter::encode(image);
        size = png.size();
        benchmark::DoNotOptimize(png.constData());
    }
    state.counters["bytes"] = double(size);
    state.counters["vsLibpng6"] = double(size) / double(referenceSize(transparent));
}
BENCHMARK(pngWriter)->ArgName("alpha")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void libpngLevel6(benchmark::State& state)
{
    const QImage pixels = referencePixels(state.range(0) != 0);
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray png = referencePng(pixels);
        size = png.size();
        benchmark::DoNotOptimize(png.constData());
    }
    state.counters["bytes"] = double(size);
}
BENCHMARK(libpngLevel6)->ArgName("alpha")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Qt's own PNG writer, which export used before.
void qtPngWriter(benchmark::State& state)
{
    const QImage& image = screenshot(state.range(0) != 0);
    qsizetype size = 0;
    for (auto _ : state) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        size = png.size();
    }
    state.counters["bytes"] = double(size);
}
BENCHMARK(qtPngWriter)->ArgName("alpha")->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

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
