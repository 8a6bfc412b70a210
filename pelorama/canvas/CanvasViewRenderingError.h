#pragma once

namespace pelorama::canvas {

// Why a renderer could not be made.
enum class CanvasViewRenderingError
{
    // The system cannot display through it (no OpenGL context can be made).
    unsupportedRenderer,
};

} // namespace pelorama::canvas
