#include "graphics/ShadowRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace graphics {
namespace {

// Averages use a fixed-point reciprocal of the window: a sum of at most 255 x window times it stays
// within 32 bits, which lets the compiler vectorise the loops.
constexpr int averageShift = 23;

quint32 reciprocalOf(int window)
{
    return quint32(((quint64(1) << averageShift) + quint64(window) / 2) / quint64(window));
}

inline quint8 average(quint32 sum, quint32 reciprocal)
{
    return quint8(
        std::min<quint32>((sum * reciprocal + (quint32(1) << (averageShift - 1))) >> averageShift, 255));
}

// Blurs one row of width bytes with a box of radius r from source into target (distinct buffers).
void boxBlurRow(const quint8* source, quint8* target, int width, int r)
{
    const quint32 reciprocal = reciprocalOf(2 * r + 1);
    quint32 sum = 0;
    for (int x = 0; x < std::min(r, width); ++x) {
        sum += source[x];
    }
    for (int x = 0; x < width; ++x) {
        if (x + r < width) {
            sum += source[x + r];
        }
        target[x] = average(sum, reciprocal);
        if (x - r >= 0) {
            sum -= source[x - r];
        }
    }
}

// Blurs every row with the boxes in turn, keeping each row in cache for all of them.
void boxBlurRows(std::vector<quint8>& plane, int width, int height, const std::array<int, 3>& boxWidths)
{
    std::vector<quint8> first(std::size_t(width), 0);
    std::vector<quint8> second(std::size_t(width), 0);
    for (int y = 0; y < height; ++y) {
        quint8* row = plane.data() + std::size_t(y) * std::size_t(width);
        const quint8* source = row;
        quint8* buffers[2] = {first.data(), second.data()};
        int next = 0;
        for (int boxWidth : boxWidths) {
            if (boxWidth > 1) {
                boxBlurRow(source, buffers[next], width, (boxWidth - 1) / 2);
                source = buffers[next];
                next = 1 - next;
            }
        }
        if (source != row) {
            std::copy(source, source + width, row);
        }
    }
}

// Blurs each column with a box of radius r, walking rows so memory is read in order.
void boxBlurColumns(std::vector<quint8>& plane, std::vector<quint8>& scratch, int width, int height, int r)
{
    const quint32 reciprocal = reciprocalOf(2 * r + 1);
    std::copy(plane.begin(), plane.end(), scratch.begin());
    std::vector<quint32> sums(std::size_t(width), 0);
    auto rowOf = [&](int y) {
        return scratch.data() + std::size_t(y) * std::size_t(width);
    };
    for (int y = 0; y < std::min(r, height); ++y) {
        const quint8* source = rowOf(y);
        for (int x = 0; x < width; ++x) {
            sums[std::size_t(x)] += source[x];
        }
    }
    for (int y = 0; y < height; ++y) {
        if (y + r < height) {
            const quint8* entering = rowOf(y + r);
            for (int x = 0; x < width; ++x) {
                sums[std::size_t(x)] += entering[x];
            }
        }
        quint8* target = plane.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            target[x] = average(sums[std::size_t(x)], reciprocal);
        }
        if (y - r >= 0) {
            const quint8* leaving = rowOf(y - r);
            for (int x = 0; x < width; ++x) {
                sums[std::size_t(x)] -= leaving[x];
            }
        }
    }
}

} // namespace

std::array<int, 3> ShadowRenderer::boxWidths(double blurRadius)
{
    const double sigma = blurRadius > 0 && std::isfinite(blurRadius) ? blurRadius / 2 : 0;
    if (sigma < 0.5) {
        return {1, 1, 1};
    }
    constexpr int passes = 3;
    const double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0) {
        --lower;
    }
    const int upper = lower + 2;
    const double lowerCount =
        (12 * sigma * sigma - passes * lower * lower - 4.0 * passes * lower - 3.0 * passes) /
        (-4.0 * lower - 4.0);
    const int m = int(std::lround(lowerCount));
    std::array<int, 3> widths{};
    for (int i = 0; i < passes; ++i) {
        widths[std::size_t(i)] = i < m ? lower : upper;
    }
    return widths;
}

int ShadowRenderer::extent(double blurRadius)
{
    int total = 0;
    for (int width : boxWidths(blurRadius)) {
        total += (width - 1) / 2;
    }
    return total;
}

QImage ShadowRenderer::render(const QImage& layer, double blurRadius, const Color& color)
{
    const int pad = extent(blurRadius);
    const int width = layer.width() + 2 * pad;
    const int height = layer.height() + 2 * pad;
    std::vector<quint8> plane(std::size_t(width) * std::size_t(height), 0);
    // The alpha byte's position within a pixel word differs between the ARGB and RGBA layouts.
    const bool alphaLast =
        layer.format() == QImage::Format_RGBA8888_Premultiplied || layer.format() == QImage::Format_RGBA8888;
    for (int y = 0; y < layer.height(); ++y) {
        const uchar* source = layer.constScanLine(y);
        quint8* target = plane.data() + std::size_t(y + pad) * std::size_t(width) + std::size_t(pad);
        if (alphaLast) {
            for (int x = 0; x < layer.width(); ++x) {
                target[x] = source[4 * x + 3];
            }
        } else {
            const QRgb* pixels = reinterpret_cast<const QRgb*>(source);
            for (int x = 0; x < layer.width(); ++x) {
                target[x] = quint8(qAlpha(pixels[x]));
            }
        }
    }
    std::vector<quint8> scratch(plane.size());
    boxBlurRows(plane, width, height, boxWidths(blurRadius));
    for (int boxWidth : boxWidths(blurRadius)) {
        if (boxWidth > 1) {
            boxBlurColumns(plane, scratch, width, height, (boxWidth - 1) / 2);
        }
    }

    const QColor tint = color.toQColor();
    // Premultiplied pixels in RGBA byte order, one per alpha level.
    std::array<quint32, 256> tinted{};
    for (int a = 0; a < 256; ++a) {
        const double alpha = tint.alphaF() * a / 255.0;
        const quint8 bytes[4] = {quint8(qRound(tint.redF() * alpha * 255)),
                                 quint8(qRound(tint.greenF() * alpha * 255)),
                                 quint8(qRound(tint.blueF() * alpha * 255)), quint8(qRound(alpha * 255))};
        std::memcpy(&tinted[std::size_t(a)], bytes, sizeof bytes);
    }
    QImage shadow(width, height, QImage::Format_RGBA8888_Premultiplied);
    for (int y = 0; y < height; ++y) {
        quint32* target = reinterpret_cast<quint32*>(shadow.scanLine(y));
        const quint8* source = plane.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            target[x] = tinted[source[x]];
        }
    }
    return shadow;
}

} // namespace graphics
