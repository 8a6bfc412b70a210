#pragma once

#include <concepts>
#include <memory>
#include <type_traits>
#include <utility>

namespace ledgerline {

namespace detail {

template <typename T>
concept PointerLike = std::is_pointer_v<T> || requires(T& object)
{
    object.get();
    *object;
};

} // namespace detail

// Configures an object in place and hands it back, so that an object can be made, set up and passed on in
// one expression:
//
//     group.addProperty(then(std::make_unique<NumericProperty>(1.0), [&](NumericProperty& depth) {
//         depth.setName("Depth");
//         depth.bind(entity, "shadowDepth");
//     }));
//
// For pointers and smart pointers configure receives the object pointed to; for values, the value itself.
template <typename T, typename Configure> T then(T object, Configure&& configure)
{
    if constexpr (detail::PointerLike<T>) {
        std::forward<Configure>(configure)(*object);
    } else {
        std::forward<Configure>(configure)(object);
    }
    return object;
}

} // namespace ledgerline
