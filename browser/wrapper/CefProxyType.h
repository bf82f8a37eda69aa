#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefEnumeration.h"

namespace plenfox::cef {

// How requests reach the network.
enum class CefProxyType : std::int32_t {
    DIRECT = 0,
    NAMED = 1,
    PAC_STRING = 2,
};

} // namespace plenfox::cef

template <> struct plenfox::jni::JavaEnumTraits<plenfox::cef::CefProxyType> {
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefProxyType";
};
