#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"

#include <string_view>

namespace plenfox::cef {

// Receives zoom changes. The engine never asks the client for it; it has no methods.
class CefZoomHandler : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefZoomHandler";
};

} // namespace plenfox::cef
