#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefEnumeration.h"

namespace plenfox::cef {

// Where a stream position is counted from.
enum class CefSeekType : std::int32_t {
    CURRENT = 1,
    END = 2,
    SET = 0,
};

// No constant for other values.
template <> std::optional<CefSeekType> fromInt<CefSeekType>(std::int32_t value);

} // namespace plenfox::cef

template <> struct plenfox::jni::JavaEnumTraits<plenfox::cef::CefSeekType> {
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefSeekType";
};
