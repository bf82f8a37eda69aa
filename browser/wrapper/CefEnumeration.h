#pragma once

#include "browser/jni/JavaEnum.h"

#include <cstdint>
#include <optional>

namespace plenfox::cef {

// The engine's integer value of an enumeration constant.
template <class E> constexpr std::int32_t getValue(E constant) {
    return static_cast<std::int32_t>(constant);
}

// The constant with the engine's value; each enumeration that has it says
// what a value without a constant gives.
template <class E> std::optional<E> fromInt(std::int32_t value);

} // namespace plenfox::cef
