#pragma once

namespace appkit {

// A side of a rectangle as the user sees it on screen.
enum class RectEdge
{
    left,
    top,
    right,
    bottom,
};

} // namespace appkit
