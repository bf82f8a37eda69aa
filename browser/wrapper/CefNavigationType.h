#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefEnumeration.h"

namespace plenfox::cef {

// How a navigation was started.
enum class CefNavigationType : std::int32_t {
    LINKCLICKED = 0,
    FORMSUBMITTED = 1,
    BACKFORWARD = 2,
    RELOAD = 3,
    FORMRESUBMITTED = 4,
    OTHER = 5,
    LINKDROPPED = 6,
};

// No constant for other values.
template <> std::optional<CefNavigationType> fromInt<CefNavigationType>(std::int32_t value);

} // namespace plenfox::cef

template <> struct plenfox::jni::JavaEnumTraits<plenfox::cef::CefNavigationType> {
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefNavigationType";
};
