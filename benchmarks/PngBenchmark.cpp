#include "foundation/ParallelFor.h"
#include "graphics/BitmapImageRep.h"
#include "graphics/PngWriter.h"
#include "graphics/ShadowRenderer.h"
#include "graphics/StripDeflater.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <png.h>
#include <random>
#include <vector>
#include <zlib.h>

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

// The deflate stage alone, on all cores, over the filtered rows the writer makes of the opaque
// screenshot, in strips of whole rows of about 256 KB: deflated apart, as the writer does, or as it did
// before, with zlib at level 4 for filtered data, each strip primed with the 32 KB before it.
struct FilteredRows
{
    std::vector<quint8> bytes;
    qsizetype rowBytes = 0;
};

// The writer's own filtered rows, read back from its PNG: the IDAT chunks inflated.
FilteredRows filteredRows()
{
    const QByteArray png = graphics::PngWriter::encode(screenshot(false));
    QByteArray stream;
    FilteredRows rows;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const auto bigEndian = [&](qsizetype offset) {
            return quint32(quint8(png[offset])) << 24 | quint32(quint8(png[offset + 1])) << 16 |
                   quint32(quint8(png[offset + 2])) << 8 | quint32(quint8(png[offset + 3]));
        };
        const qsizetype length = bigEndian(at);
        const QByteArray type = png.mid(at + 4, 4);
        if (type == "IHDR") {
            rows.rowBytes = qsizetype(bigEndian(at + 8)) * (png[at + 17] == 6 ? 4 : 3) + 1;
        } else if (type == "IDAT") {
            stream += png.mid(at + 8, length);
        }
        at += length + 12;
    }
    rows.bytes.resize(std::size_t(rows.rowBytes * canvasHeight));
    uLongf size = uLongf(rows.bytes.size());
    uncompress(rows.bytes.data(), &size, reinterpret_cast<const Bytef*>(stream.constData()),
               uLong(stream.size()));
    rows.bytes.resize(size);
    return rows;
}

QByteArray zlibLevel4Strip(const std::vector<quint8>& rows, std::size_t begin, std::size_t end, bool last)
{
    z_stream stream{};
    deflateInit2(&stream, 4, Z_DEFLATED, -15, 8, Z_FILTERED);
    if (begin > 0) {
        const std::size_t window = std::min<std::size_t>(begin, 32 * 1024);
        deflateSetDictionary(&stream, rows.data() + begin - window, uInt(window));
    }
    QByteArray out(qsizetype(deflateBound(&stream, uLong(end - begin))) + 64, Qt::Uninitialized);
    stream.next_in = const_cast<Bytef*>(rows.data() + begin);
    stream.avail_in = uInt(end - begin);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, last ? Z_FINISH : Z_SYNC_FLUSH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

void deflateStrips(benchmark::State& state)
{
    const bool before = state.range(0) == 0;
    static const FilteredRows rows = filteredRows();
    const std::size_t rowsPerStrip = std::size_t(256 * 1024 / rows.rowBytes);
    const std::size_t stripBytes = rowsPerStrip * std::size_t(rows.rowBytes);
    const int strips = int((rows.bytes.size() + stripBytes - 1) / stripBytes);
    std::vector<QByteArray> compressed(static_cast<std::size_t>(strips));
    for (auto _ : state) {
        std::atomic<int> next = 0;
        foundation::parallelFor(
            foundation::availableThreads(),
            [&](int) {
                std::unique_ptr<graphics::StripDeflater> deflater;
                for (int strip = next++; strip < strips; strip = next++) {
                    const std::size_t begin = std::size_t(strip) * stripBytes;
                    const std::size_t end = std::min(rows.bytes.size(), begin + stripBytes);
                    const bool last = strip + 1 == strips;
                    if (before) {
                        compressed[std::size_t(strip)] = zlibLevel4Strip(rows.bytes, begin, end, last);
                        continue;
                    }
                    if (!deflater) {
                        deflater = std::make_unique<graphics::StripDeflater>();
                    }
                    compressed[std::size_t(strip)] =
                        deflater->deflate({rows.bytes.data() + begin, end - begin}, last);
                }
            },
            foundation::availableThreads());
    }
    qsizetype size = 0;
    for (const QByteArray& strip : compressed) {
        size += strip.size();
    }
    state.counters["bytes"] = double(size);
    state.counters["vsLibpng6"] = double(size) / double(referenceSize(false));
}
BENCHMARK(deflateStrips)->ArgName("new")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

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
