#pragma once

#include "foundation/Fatal.h"

#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

namespace foundation {

// The error half of an Expected, spelled out at the return site: return Unexpected(ParseError{...}).
template <typename E> struct Unexpected
{
    E error;
    explicit Unexpected(E e)
        : error(std::move(e))
    {}
};

// A value or the error that prevented it; the standard library's std::expected arrives only with C++23.
// Reading the value of an error (or the error of a value) is a broken contract and stops the process.
template <typename T, typename E> class [[nodiscard]] Expected
{
public:
    Expected(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    {}
    Expected(Unexpected<E> unexpected)
        : m_state(std::in_place_index<1>, std::move(unexpected.error))
    {}

    bool hasValue() const { return m_state.index() == 0; }
    explicit operator bool() const { return hasValue(); }

    T& value() &
    {
        requireValue();
        return std::get<0>(m_state);
    }
    const T& value() const&
    {
        requireValue();
        return std::get<0>(m_state);
    }
    T&& value() &&
    {
        requireValue();
        return std::get<0>(std::move(m_state));
    }
    const E& error() const
    {
        if (hasValue())
            fatal("Expected holds a value, not an error");
        return std::get<1>(m_state);
    }

    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

private:
    void requireValue() const
    {
        if (!hasValue())
            fatal("Expected holds an error, not a value");
    }

    std::variant<T, E> m_state;
};

// Success without a value. The error type need not be default-constructible.
template <typename E> class [[nodiscard]] Expected<void, E>
{
public:
    Expected() = default;
    Expected(Unexpected<E> unexpected)
        : m_error(std::move(unexpected.error))
    {}

    bool hasValue() const { return !m_error.has_value(); }
    explicit operator bool() const { return hasValue(); }
    const E& error() const
    {
        if (!m_error)
            fatal("Expected holds a value, not an error");
        return *m_error;
    }

private:
    std::optional<E> m_error;
};

} // namespace foundation
