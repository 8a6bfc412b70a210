#pragma once

#include "foundation/Expected.h"
#include "store/Error.h"

#include <utility>

namespace store {

// A value or the Error that kept it from being made.
template <typename T> using Result = foundation::Expected<T, Error>;

// The failure half of a Result.
inline foundation::Unexpected<Error> failure(Error error)
{
    return foundation::Unexpected<Error>(std::move(error));
}

inline foundation::Unexpected<Error> failure(Error::Code code, QString message)
{
    return failure(Error(code, std::move(message)));
}

} // namespace store
