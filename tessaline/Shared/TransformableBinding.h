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
        : forwardTransformer_(std::move(forwardTransformer))
        , reverseTransformer_(std::move(reverseTransformer))
        , binding_(first, firstKeyPath, second, secondKeyPath, twoWayBinding,
                   typed<A, B>(forwardTransformer_), typed<B, A>(reverseTransformer_))
    {}
    TransformableBinding(const TransformableBinding&) = delete;
    TransformableBinding& operator=(const TransformableBinding&) = delete;

    QObject* first() const { return binding_.first(); }
    const QString& firstKeyPath() const { return binding_.firstKeyPath(); }
    QObject* second() const { return binding_.second(); }
    const QString& secondKeyPath() const { return binding_.secondKeyPath(); }
    bool twoWayBinding() const { return binding_.twoWayBinding(); }
    const ForwardTransformer& forwardTransformer() const { return forwardTransformer_; }
    const ReverseTransformer& reverseTransformer() const { return reverseTransformer_; }

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

    ForwardTransformer forwardTransformer_;
    ReverseTransformer reverseTransformer_;
    Binding binding_;
};

} // namespace tessaline
