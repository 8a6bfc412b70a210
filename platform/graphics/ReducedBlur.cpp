// The blurs too wide to work out at full resolution: ShadowRenderer's reduction, spread and blurReduced.
#include "graphics/ShadowRenderer.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace graphics {
namespace {

// The radius, in reduced pixels, that reduction() brings a wide blur to at most.
constexpr double reducedRadius = 256;

// Where the full pixels of a line fall between two of the reduced mask's pixels: for each full pixel the
// nearer-left mask pixel (relative to the mask's first) and the weight of the one right of it.
struct Samples
{
    std::vector<int> index;
    std::vector<float> weight;
};

// Full pixel p (from first, count of them) has its centre at p + 0.5; the reduced pixel i covers full
// pixels factor i ... factor (i + 1), its centre at factor (i + 0.5). maskStart is the reduced position
// of the mask's first pixel.
Samples samples(int first, int count, int factor, int maskStart)
{
    Samples line;
    line.index.resize(std::size_t(count));
    line.weight.resize(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const double reduced = (first + i + 0.5) / factor - 0.5 - maskStart;
        const double left = std::floor(reduced);
        line.index[std::size_t(i)] = int(left);
        line.weight[std::size_t(i)] = float(reduced - left);
    }
    return line;
}

} // namespace

int ShadowRenderer::reduction(double blurRadius)
{
    const double radius = boundedRadius(blurRadius);
    return radius <= largestFullRadius ? 1 : int(std::ceil(radius / reducedRadius));
}

int ShadowRenderer::spread(double blurRadius)
{
    const int factor = reduction(blurRadius);
    return factor * extent(boundedRadius(blurRadius) / factor);
}

ShadowRenderer::Mask ShadowRenderer::blurReduced(const QImage& reducedLayer, int factor, double blurRadius,
                                                 const QRect& wanted)
{
    const double radius = boundedRadius(blurRadius) / factor;
    const Mask reduced = blur(reducedLayer, radius);
    // The reduced mask's pixels relative to the reduced layer's.
    const QRect maskArea = reduced.area.translated(-extent(radius), -extent(radius));
    // Each full pixel interpolates the two mask pixels either side of it along each axis.
    const QRect covered = factor == 1
                              ? maskArea
                              : QRect(maskArea.left() * factor - factor, maskArea.top() * factor - factor,
                                      (maskArea.width() + 2) * factor, (maskArea.height() + 2) * factor);
    Mask mask;
    mask.area = covered & wanted;
    if (reduced.area.isEmpty() || mask.area.isEmpty()) {
        mask.area = QRect();
        return mask;
    }
    const int width = mask.area.width();
    const int height = mask.area.height();
    mask.alpha = std::make_unique_for_overwrite<quint8[]>(std::size_t(width) * std::size_t(height));
    if (factor == 1) {
        for (int y = 0; y < height; ++y) {
            std::memcpy(mask.alpha.get() + qsizetype(y) * width,
                        reduced.alpha.get() +
                            qsizetype(mask.area.top() + y - maskArea.top()) * maskArea.width() +
                            (mask.area.left() - maskArea.left()),
                        std::size_t(width));
        }
        return mask;
    }
    const Samples columns = samples(mask.area.left(), width, factor, maskArea.left());
    const Samples rows = samples(mask.area.top(), height, factor, maskArea.top());
    const int maskWidth = maskArea.width();
    const int maskHeight = maskArea.height();
    const auto at = [&](int x, int y) -> float {
        if (x < 0 || y < 0 || x >= maskWidth || y >= maskHeight) {
            return 0;
        }
        return reduced.alpha[std::size_t(y) * std::size_t(maskWidth) + std::size_t(x)];
    };
    for (int y = 0; y < height; ++y) {
        const int top = rows.index[std::size_t(y)];
        const float down = rows.weight[std::size_t(y)];
        quint8* row = mask.alpha.get() + qsizetype(y) * width;
        for (int x = 0; x < width; ++x) {
            const int left = columns.index[std::size_t(x)];
            const float across = columns.weight[std::size_t(x)];
            const float upper = at(left, top) + (at(left + 1, top) - at(left, top)) * across;
            const float lower = at(left, top + 1) + (at(left + 1, top + 1) - at(left, top + 1)) * across;
            row[x] = quint8(std::lround(upper + (lower - upper) * down));
        }
    }
    return mask;
}

} // namespace graphics
