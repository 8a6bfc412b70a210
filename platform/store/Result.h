#pragma once

#include "foundation/Fatal.h"
#include "store/Error.h"

#include <optional>
#include <utility>
#include <variant>

namespace store {

// A value or the Error that kept it from being made.
template <typename T> class Result
{
public:
    Result(T value)
        : m_state(std::move(value))
    {}
    Result(Error error)
        : m_state(std::move(error))
    {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value()
    {
        if (!ok())
            foundation::fatal("Result holds an error: " + error().message());
        return std::get<0>(m_state);
    }
    const T& value() const
    {
        if (!ok())
            foundation::fatal("Result holds an error: " + error().message());
        return std::get<0>(m_state);
    }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }

    const Error& error() const
    {
        if (ok())
            foundation::fatal("Result holds no error");
        return std::get<1>(m_state);
    }

private:
    std::variant<T, Error> m_state;
};

template <> class Result<void>
{
public:
    Result() = default;
    Result(Error error)
        : m_error(std::move(error))
    {}

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const
    {
        if (ok())
            foundation::fatal("Result holds no error");
        return *m_error;
    }

private:
    std::optional<Error> m_error;
};

} // namespace store
