#pragma once

namespace graphics {

// How a path's inside is decided when it is filled or clipped to; the raw values are the platform's.
enum class WindingRule
{
    nonZero = 0,
    evenOdd = 1,
};

} // namespace graphics
