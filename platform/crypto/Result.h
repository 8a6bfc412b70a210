#pragma once

#include <optional>
#include <utility>

namespace crypto {

// What a call into the cryptographic library reports: 0 on success, otherwise the library's code of the
// first error it queued (or a non-zero stand-in when it queued none).
using Status = unsigned long;

// The value a call produced, or the status of its failure.
template <typename T> class Result
{
public:
    Result(T value)
        : m_value(std::move(value))
    {}

    static Result failure(Status status) { return Result(status); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    // Throws std::bad_optional_access for a failure.
    const T& value() const& { return m_value.value(); }
    T&& value() && { return std::move(m_value.value()); }

    // 0 for a result that is ok().
    Status status() const { return m_status; }

private:
    explicit Result(Status status)
        : m_status(status == 0 ? 1 : status)
    {}

    std::optional<T> m_value;
    Status m_status = 0;
};

} // namespace crypto
