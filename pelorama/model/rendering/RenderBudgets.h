#pragma once

#include <cstddef>

namespace pelorama::model {

// How many bytes of pixels each cache of RenderResources keeps at most, all in one place so that what the
// process may hold for drawing is read off here: 352 MB in all.
struct RenderBudgets
{
    static constexpr std::size_t megabyte = 1024 * 1024;

    // A dozen large screen captures: the pictures of the screenshots being drawn, and some to come back to.
    std::size_t pictures = 192 * megabyte;
    // The resampled device frames and pictures of the canvas view: a few canvas-sized layers.
    std::size_t canvasViewImages = 64 * megabyte;
    // The filled directional shadow bands of traced pictures: a few canvas-sized layers.
    std::size_t shadowBands = 64 * megabyte;
    // Masks are one pixel per point: a few dozen captions' worth.
    std::size_t textMasks = 32 * megabyte;
};

} // namespace pelorama::model
