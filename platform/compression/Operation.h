#pragma once

namespace compression {

enum class Operation
{
    encode = 0,
    decode = 1,
};

} // namespace compression
