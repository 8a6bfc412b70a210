#pragma once

#include "foundation/Values.h"
#include "tessaline/Shared/Binding.h"

#include <QObject>
#include <QVariant>
#include <functional>
#include <optional>
#include <type_traits>

namespace tessaline {

namespace detail {

// The value as a T when it is one: of type T itself, an object that is a T, or a number that T holds
// exactly. Nil is no T.
template <typename T> std::optional<T> valueAs(const QVariant& value)
{
    if (foundation::isNil(value)) {
        return std::nullopt;
    }
    if (value.metaType() == QMetaType::fromType<T>()) {
        return value.value<T>();
    }
    if constexpr (std::is_pointer_v<T> && std::is_base_of_v<QObject, std::remove_pointer_t<T>>) {
        if (auto* object = qobject_cast<T>(foundation::objectFromValue(value))) {
            return object;
        }
    } else if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, bool>) {
        if (foundation::isNumber(value)) {
            const T number = value.value<T>();
            if (foundation::valuesEqual(QVariant::fromValue(number), value)) {
                return number;
            }
        }
    }
    return std::nullopt;
}

} // namespace detail

// A Binding whose transformers are typed: the forward one maps an A of the first object to a B of the
// second, the reverse one a B back to an A. A transformer runs only for values of its input type; nil and
// values of other types pass on untransformed.
template <typename A, typename B> class TransformableBinding
{
public:
    using ForwardTransformer = std::function<B(const A&)>;
    using ReverseTransformer = std::function<A(const B&)>;

    TransformableBinding(QObject* first, const QString& firstKeyPath, QObject* second,
                         const QString& secondKeyPath, bool twoWayBinding = true,
                         ForwardTransformer forwardTransformer = {},
                         ReverseTransformer reverseTransformer = {})
        : m_forwardTransformer(std::move(forwardTransformer))
        , m_reverseTransformer(std::move(reverseTransformer))
        , m_binding(first, firstKeyPath, second, secondKeyPath, twoWayBinding,
                    typed<A, B>(m_forwardTransformer), typed<B, A>(m_reverseTransformer))
    {}
    TransformableBinding(const TransformableBinding&) = delete;
    TransformableBinding& operator=(const TransformableBinding&) = delete;

    QObject* first() const { return m_binding.first(); }
    const QString& firstKeyPath() const { return m_binding.firstKeyPath(); }
    QObject* second() const { return m_binding.second(); }
    const QString& secondKeyPath() const { return m_binding.secondKeyPath(); }
    bool twoWayBinding() const { return m_binding.twoWayBinding(); }
    const ForwardTransformer& forwardTransformer() const { return m_forwardTransformer; }
    const ReverseTransformer& reverseTransformer() const { return m_reverseTransformer; }

private:
    template <typename From, typename To>
    static Binding::Transformer typed(const std::function<To(const From&)>& transformer)
    {
        if (!transformer) {
            return {};
        }
        return [transformer](const QVariant& value) -> QVariant {
            if (const std::optional<From> input = detail::valueAs<From>(value)) {
                return QVariant::fromValue(transformer(*input));
            }
            return value;
        };
    }

    ForwardTransformer m_forwardTransformer;
    ReverseTransformer m_reverseTransformer;
    Binding m_binding;
};

} // namespace tessaline
