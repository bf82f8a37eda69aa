#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefEnumeration.h"

namespace plenfox::cef {

// How the engine draws.
enum class CefGraphicsImplementationType : std::int32_t {
    ANGLE_IN_PROCESS = 0,
    ANGLE_IN_PROCESS_COMMAND_BUFFER = 1,
    DESKTOP_IN_PROCESS = 2,
    DESKTOP_IN_PROCESS_COMMAND_BUFFER = 3,
};

} // namespace plenfox::cef

template <> struct plenfox::jni::JavaEnumTraits<plenfox::cef::CefGraphicsImplementationType> {
    static constexpr std::string_view JavaName =
        PLENFOX_BOUNDARY_PACKAGE "CefGraphicsImplementationType";
};
