#include "model/rendering/GradientRasterizer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace pelorama::model {

namespace {

using Vector = std::array<float, 4>; // red, green, blue, alpha; 0...255, premultiplied

// Components outside 0...1 (and NaN) are clamped so that the colour is a valid premultiplied one.
float unit(double component)
{
    if (!(component > 0))
        return 0;
    return component < 1 ? static_cast<float>(component) : 1.0f;
}

Vector premultiplied(const graphics::Color& color)
{
    const float alpha = unit(color.alpha);
    return {unit(color.red) * alpha * 255.0f, unit(color.green) * alpha * 255.0f,
            unit(color.blue) * alpha * 255.0f, alpha * 255.0f};
}

uchar byte(float value)
{
    if (!(value > 0))
        return 0;
    return value < 255 ? static_cast<uchar>(value) : uchar(255);
}

} // namespace

void fillBitmapContext(graphics::GraphicsContext& context, const graphics::Gradient& gradient)
{
    const int width = context.width();
    const int height = context.height();
    if (width <= 0 || height <= 0)
        return;
    const qsizetype bytesPerRow = context.bytesPerRow() / 4 * 4;

    Vector color = premultiplied(gradient.stop(1).color);
    const Vector last = premultiplied(gradient.stop(0).color);
    const float reciprocal = 1.0f / static_cast<float>(height);
    Vector step;
    for (std::size_t i = 0; i < 4; ++i)
        step[i] = (last[i] - color[i]) * reciprocal;

    uchar* row = context.data();
    for (int y = 0; y < height; ++y, row += bytesPerRow) {
        const uchar alpha = byte(color[3]);
        // Rounding could lift a component a hair above its alpha; a premultiplied pixel never is.
        const std::array<uchar, 4> pixel{std::min(byte(color[0]), alpha), std::min(byte(color[1]), alpha),
                                         std::min(byte(color[2]), alpha), alpha};
        for (int x = 0; x < width; ++x)
            std::memcpy(row + 4 * qsizetype(x), pixel.data(), 4);
        for (std::size_t i = 0; i < 4; ++i)
            color[i] += step[i];
    }
}

} // namespace pelorama::model
