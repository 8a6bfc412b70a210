#pragma once

#include <cstdint>

namespace foundation {

// Bounds on what reading a property list may build. A binary property list can refer to one object from
// many places; the reader copies such an object for every reference, so the bounds count every copy.
struct PropertyListLimits
{
    // Containers (arrays, dictionaries) nested inside each other, the root counting as 1.
    int maximumDepth = 256;
    // Values of every kind, each copy counted.
    std::uint64_t maximumValueCount = 1'000'000;
    // Bytes of strings and data beyond the size of the input itself, each copy counted.
    std::uint64_t maximumExtraBytes = 64ull << 20;
};

} // namespace foundation
