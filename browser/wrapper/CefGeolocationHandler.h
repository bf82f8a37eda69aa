#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <string_view>

namespace plenfox::cef {

// Receives location requests. The engine never asks the client for it; it has no methods.
class CefGeolocationHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefGeolocationHandler";
};

} // namespace plenfox::cef
