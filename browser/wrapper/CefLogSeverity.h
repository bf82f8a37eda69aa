#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefEnumeration.h"

namespace plenfox::cef {

// How much the engine writes into its log.
enum class CefLogSeverity : std::int32_t {
    VERBOSE = -1,
    INFO = 0,
    WARNING = 1,
    ERROR = 2,
    ERROR_REPORT = 3,
    DISABLE = 99,
};

} // namespace plenfox::cef

template <> struct plenfox::jni::JavaEnumTraits<plenfox::cef::CefLogSeverity> {
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefLogSeverity";
};
